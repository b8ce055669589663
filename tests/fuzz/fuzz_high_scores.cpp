// Fuzz target: loading a high-score file of any length and content, entering a score,
// drawing the table screen and saving. A saved table must read back to the same file.
#include <cstdlib>
#include <cstring>

#include "engine/level.h"
#include "engine/level_run.h"
#include "frontend/game.h"
#include "tests/fuzz/fuzz_support.h"

namespace {
// Built once: a level loads its twelve sounds, which is slow even when they are missing.
level* theLevel = nullptr;

void clearTable(level& lv) {
  for (int i = 0; i < 10; i++) {
    lv.highScores[i] = 0;
    memset(lv.highScoreNames[i], ' ', 30);
    lv.highScoreNames[i][30] = '\0';
    memset(lv.highExtrasUsed[i], 0, sizeof lv.highExtrasUsed[i]);
  }
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  game& g = startFuzzGame();
  theLevel = new level(g.screen, g.font);
  atexit([] { delete theLevel; });  // runs before the game's own clean-up
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  level& lv = *theLevel;
  clearTable(lv);
  writeFuzzFile("records/highscores1.txt", data, size);
  fuzzCheck(lv.loadHighScores("records/highscores1.txt"), "an existing file loads");
  for (int i = 0; i < 10; i++) {
    fuzzCheck(lv.highScoreNames[i][30] == '\0', "every name is terminated");
    for (int c = 0; c < 30; c++) {
      size_t at = 49 * i + 9 + c;
      unsigned char expected = at < size ? data[at] : 0xFF;
      fuzzCheck(static_cast<unsigned char>(lv.highScoreNames[i][c]) == expected, "name byte");
    }
  }

  // A score made of the first four bytes enters the table as the level's end would.
  int score = 0;
  if (size >= 4) memcpy(&score, data, 4);
  enterHighScore(lv, score);
  drawHighScoreTable(lv);

  fuzzCheck(lv.saveHighScores("records/saved.txt"), "the table saves");
  std::string saved = readFuzzFile("records/saved.txt");
  fuzzCheck(saved.size() == 490, "a saved table is whole");
  int scores[10];
  memcpy(scores, lv.highScores, sizeof scores);
  clearTable(lv);
  fuzzCheck(lv.loadHighScores("records/saved.txt"), "a saved table loads");
  for (int i = 0; i < 10; i++) {
    fuzzCheck(lv.highScores[i] == scores[i] % 1000000000, "scores keep their last nine digits");
  }
  fuzzCheck(lv.saveHighScores("records/saved.txt"), "the table saves again");
  fuzzCheck(readFuzzFile("records/saved.txt") == saved, "a saved table reads back the same");
  return 0;
}
