# Tests (waves).
