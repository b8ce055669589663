# Tools that link the game library: the headless runner and benchmarks.
