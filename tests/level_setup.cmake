# Tests (level_setup).
