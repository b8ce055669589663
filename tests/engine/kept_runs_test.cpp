// The runs kept beside a level's table: the tape's encoding, the run file's refusals, the
// entries' links through later entries and removals, and a save killed at random moments.
#include <signal.h>
#include <unistd.h>

#include <cstring>

#include "engine/kept_runs.h"
#include "engine/level_run.h"
#include "platform/atomic_file.h"
#include "tests/support/level_fixture.h"

namespace {
const char* TABLE = "records/highscores1.txt";

runTape sampleTape() {
  runTape tape;
  tape.ticks = 90000;
  tape.entries = {{0, KEY_DOWN, SDLK_d},         {0, BUTTON_DOWN, 13}, {17, STEP, 3},
                  {20, FOCUS_PAUSE, 0},          {20, KEY_UP, SDLK_d}, {4000, BUTTON_UP, 13},
                  {89999, KEY_DOWN, SDLK_ESCAPE}};
  return tape;
}

keptRun sampleRun() {
  keptRun run;
  run.levelNumber = 3;
  run.startHealth = 42;
  run.dice = 0xDEADBEEFu;
  run.inherited = INHERITED_PAUSE | INHERITED_FIRE_POWER;
  run.pendingPoints = 200;
  run.score = 123456;
  memcpy(run.name, "A pilot                       ", 30);
  run.tape = sampleTape();
  return run;
}

bool sameEntries(const runTape& a, const runTape& b) {
  if (a.ticks != b.ticks || a.entries.size() != b.entries.size()) return false;
  for (size_t i = 0; i < a.entries.size(); i++) {
    const tapeEntry &x = a.entries[i], &y = b.entries[i];
    if (x.tick != y.tick || x.kind != y.kind || x.code != y.code) return false;
  }
  return true;
}

struct KeptRuns : LevelFixture {
  scratchGameDir scratch;  // entered before the level is made, left after it is gone
  int plays = 0;

  // A play whose tape is as long as its score says, entered and saved as the game does.
  void playAndSave(level& target, int score) {
    if (target.runs->tableFile.empty()) printedBy([&] { target.loadHighScores(TABLE); });
    target.runs->levelNumber = 1;
    target.runs->recorded = keptRun();
    target.runs->recorded.levelNumber = 1;
    target.runs->recorded.tape.ticks = score;
    target.runs->recorded.tape.entries = {{score / 2, KEY_DOWN, SDLK_a}};
    target.runs->recordedDone = true;
    enterHighScore(target, score);
    target.saveHighScores(TABLE);
    plays++;
  }

  // Every entry with a link plays its own run: same score, same name, whole.
  void expectEveryLinkWhole(const char* when) {
    level* fresh = makeLevel();
    fresh->runs->levelNumber = 1;
    fresh->loadHighScores(TABLE);
    EXPECT_EQ(readWholeFile(TABLE).size(), 490u) << when;
    for (int i = 0; i < 10; i++) {
      if (fresh->runs->ids[i] == 0) continue;
      keptRun run;
      ASSERT_EQ(keptRunOf(*fresh->runs, i, run), runProblem::NONE) << when << ", entry " << i;
      EXPECT_EQ(run.score, fresh->highScores[i]) << when << ", entry " << i;
      EXPECT_EQ(memcmp(run.name, fresh->highScoreNames[i], 30), 0) << when;
    }
    delete fresh;
  }
};

#ifndef SKARNFALL_WINDOWS  // a forked child, killed by a signal: POSIX only
// Kills the process at the countdown'th call of the atomic save's write, sync or rename.
int countdown = 0;
void tick() {
  if (--countdown == 0) raise(SIGKILL);
}
ssize_t countedWrite(int fd, const void* bytes, size_t length) {
  tick();
  return write(fd, bytes, length);
}
int countedSync(int fd) {
  tick();
  return fsync(fd);
}
int countedRename(const char* from, const char* to) {
  tick();
  return rename(from, to);
}
#endif
}  // namespace

TEST(RunTape, RoundTripsEveryKindAndRefusesWhatIsNotAWholeTape) {
  runTape tape = sampleTape();
  std::string bytes;
  encodeTape(tape, bytes);
  runTape back;
  const uint8_t* data = reinterpret_cast<const uint8_t*>(bytes.data());
  ASSERT_TRUE(decodeTape(data, bytes.size(), tape.ticks, back));
  EXPECT_TRUE(sameEntries(tape, back));
  EXPECT_LT(bytes.size(), 3 * tape.entries.size() + 8) << "a few bytes an entry";

  const struct {
    const char* what;
    std::string bytes;
    int ticks;
  } refused[] = {
      {"cut inside an entry", bytes.substr(0, bytes.size() - 1), tape.ticks},
      {"an entry after the run's end", bytes, tape.ticks - 2},
      {"a step of 0 ticks", std::string("\x04\x00", 2), 10},
      {"a step of 11 ticks", std::string("\x04\x0b", 2), 10},
      {"a varint of six bytes", std::string("\x80\x80\x80\x80\x80\x01", 6), 10},
      {"a key past the last", std::string("\x01\xff\x7f", 3), 10},
  };
  for (const auto& r : refused) {
    runTape out;
    EXPECT_FALSE(
        decodeTape(reinterpret_cast<const uint8_t*>(r.bytes.data()), r.bytes.size(), r.ticks, out))
        << r.what;
  }
}

TEST(RunFile, KeepsARunWholeAndNamesWhyOneCannotBePlayed) {
  keptRun run = sampleRun();
  const std::string good = encodeRun(run);
  keptRun back;
  ASSERT_EQ(decodeRun(good, back), runProblem::NONE);
  EXPECT_EQ(back.levelNumber, 3);
  EXPECT_EQ(back.startHealth, 42);
  EXPECT_EQ(back.dice, 0xDEADBEEFu);
  EXPECT_EQ(back.inherited, INHERITED_PAUSE | INHERITED_FIRE_POWER);
  EXPECT_EQ(back.pendingPoints, 200);
  EXPECT_EQ(back.score, 123456);
  EXPECT_EQ(memcmp(back.name, run.name, 30), 0);
  EXPECT_TRUE(sameEntries(back.tape, run.tape));

  keptRun otherRules = run;
  otherRules.rules ^= 1;
  std::string flipped = good, nextVersion = good, huge = good;
  flipped[70] ^= 0x10;
  nextVersion[8] = 2;
  huge.insert(66, std::string(RUN_FILE_MOST_BYTES, '\0'));
  const struct {
    const char* what;
    std::string bytes;
    runProblem expected;
  } cases[] = {
      {"nothing", "", runProblem::FOREIGN},
      {"a table file", std::string(490, '0'), runProblem::FOREIGN},
      {"the start of the magic", good.substr(0, 5), runProblem::FOREIGN},
      {"just the magic", good.substr(0, 8), runProblem::DAMAGED},
      {"cut short", good.substr(0, good.size() - 1), runProblem::DAMAGED},
      {"a byte changed", flipped, runProblem::DAMAGED},
      {"too long for a run", huge, runProblem::DAMAGED},
      {"a later format", nextVersion, runProblem::OTHER_VERSION},
      {"other rules", encodeRun(otherRules), runProblem::OTHER_RULES},
  };
  for (const auto& c : cases) {
    keptRun out;
    EXPECT_EQ(decodeRun(c.bytes, out), c.expected) << c.what;
    EXPECT_STRNE(runProblemText(c.expected), "") << c.what;
  }
}

TEST_F(KeptRuns, EntriesKeepTheirRunsAndARunLeavesWithItsEntryOnly) {
  // What a player keeps beside the table, including a file at the first run's own name.
  const char* playerFiles[] = {"records/highscores1-run1.run", "records/highscores1-run3.run.bak",
                               "records/highscores1.runs.old", "records/mine.run"};
  for (const char* name : playerFiles) writeWholeFile(name, std::string("player's ") + name);
  const std::string before = readWholeFile(playerFiles[0]);
  for (int score : {500, 900, 100, 700, 300, 800, 200, 600, 400, 1000}) playAndSave(*lv, score);
  expectEveryLinkWhole("a full table");
  // The file at run 1's name was a player's: the first run took another name.
  for (int id : lv->runs->ids) EXPECT_NE(id, 1);
  int lowestRun = lv->runs->ids[9];
  std::string lowestPath = runFilePath(TABLE, lowestRun);
  EXPECT_EQ(readWholeFile(lowestPath).size() > 0, true);

  playAndSave(*lv, 650);  // 100 falls out, and its run with it
  expectEveryLinkWhole("after an entry fell out");
  EXPECT_EQ(fopen(lowestPath.c_str(), "rb"), nullptr) << "the run that fell out stays";
  int runFiles = 0;
  for (const std::string& name : directoryEntries("records")) {
    runFiles += name.size() > 4 && name.compare(name.size() - 4, 4, ".run") == 0;
  }
  EXPECT_EQ(runFiles, 10 + 2) << "ten runs and the player's two";
  for (const char* name : playerFiles)
    EXPECT_EQ(readWholeFile(name), std::string("player's ") + name);

  playAndSave(*lv, 50);  // too low: nothing written but the table
  EXPECT_EQ(lv->highScores[9], 200);
}

TEST_F(KeptRuns, AnEntryWhoseRunWasRemovedByHandStillShowsAndSaysSo) {
  playAndSave(*lv, 300);
  playAndSave(*lv, 200);
  ASSERT_EQ(remove(runFilePath(TABLE, lv->runs->ids[0]).c_str()), 0);
  level* fresh = makeLevel();
  fresh->runs->levelNumber = 1;
  ASSERT_TRUE(fresh->loadHighScores(TABLE));
  EXPECT_EQ(fresh->highScores[0], 300);
  keptRun run;
  EXPECT_EQ(keptRunOf(*fresh->runs, 0, run), runProblem::MISSING);
  EXPECT_EQ(keptRunOf(*fresh->runs, 1, run), runProblem::NONE);
  EXPECT_EQ(keptRunOf(*fresh->runs, 2, run), runProblem::MISSING) << "an entry with no run";
  delete fresh;
}

#ifndef SKARNFALL_WINDOWS
// A hundred saves, each killed at a random moment of its files' writing (or not at all):
// afterwards every entry still names a whole run of its own score.
TEST_F(KeptRuns, KilledAtRandomMomentsNoEntryPointsAtAMissingOrHalfRun) {
  unsigned int dice = 12345;
  for (int trial = 0; trial < 100; trial++) {
    dice = dice * 1103515245u + 12345u;
    int score = 100 + static_cast<int>((dice >> 8) % 2000);
    int killAt = 1 + static_cast<int>((dice >> 20) % 16);  // past a save's last call at times
    int status = childWaitStatus([&] {
      level* inChild = makeLevel();
      countdown = killAt;
      atomicFileSystem = {countedWrite, countedSync, countedRename};
      playAndSave(*inChild, score);
    });
    ASSERT_TRUE(WIFSIGNALED(status) || (WIFEXITED(status) && WEXITSTATUS(status) == 0));
    expectEveryLinkWhole(("trial " + std::to_string(trial)).c_str());
  }
}
#endif
