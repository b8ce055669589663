# Tests (actors).
