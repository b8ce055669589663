# Tests (level).
