# Tests (tools).
