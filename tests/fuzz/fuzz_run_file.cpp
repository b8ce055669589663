// Fuzz target: a kept run's file and a table's index of runs, of any length and content.
// A run that reads whole writes back to the same bytes, with its tape in order and within
// its ticks; an index links each entry to at most one of its runs.
#include <cstring>

#include "engine/kept_runs.h"
#include "engine/level.h"
#include "frontend/game.h"
#include "tests/fuzz/fuzz_support.h"

namespace {
level* theLevel = nullptr;  // built once: a level loads its twelve sounds

void checkRun(const std::string& bytes) {
  keptRun run;
  if (decodeRun(bytes, run) != runProblem::NONE) return;
  fuzzCheck(encodeRun(run) == bytes, "a run that reads whole writes back the same bytes");
  int last = 0;
  for (const tapeEntry& e : run.tape.entries) {
    fuzzCheck(e.tick >= last && e.tick <= run.tape.ticks, "the tape's ticks in order, in the run");
    fuzzCheck(e.kind != STEP || (e.code >= 1 && e.code <= 10), "a step of 1 to 10 ticks");
    last = e.tick;
  }
}

void checkIndex(const uint8_t* data, size_t size) {
  level& lv = *theLevel;
  writeFuzzFile("records/highscores1.runs", data, size);
  loadKeptRuns(*lv.runs, {lv.highScores, lv.highScoreNames}, "records/highscores1.txt");
  for (int i = 0; i < 10; i++) {
    for (int j = i + 1; j < 10; j++) {
      fuzzCheck(lv.runs->ids[i] == 0 || lv.runs->ids[i] != lv.runs->ids[j], "one run, one entry");
    }
    keptRun run;
    runProblem problem = keptRunOf(*lv.runs, i, run);
    fuzzCheck(problem == runProblem::MISSING || lv.runs->ids[i] != 0, "no run without a link");
  }
  fuzzCheck(lv.runs->stray.size() <= 20, "a bounded index");
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  game& g = startFuzzGame();
  theLevel = new level(g.screen, g.font);
  theLevel->runs->levelNumber = 1;
  atexit([] { delete theLevel; });  // runs before the game's own clean-up
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  checkRun(std::string(reinterpret_cast<const char*>(data), size));
  checkIndex(data, size);
  return 0;
}
