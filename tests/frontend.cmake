# Tests (frontend).
