// The high-score table: where a score enters, the 490-byte record file (round trip, short
// and odd files, failed saves that keep the old file) and the table screen's keys.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "engine/level_run.h"
#include "platform/atomic_file.h"
#include "tests/support/level_fixture.h"

namespace {
int place(std::initializer_list<int> scores, int score) {
  int table[10];
  std::copy(scores.begin(), scores.end(), table);
  return highScorePosition(table, score);
}

std::string record(const std::string& digits, const std::string& name, const std::string& flags) {
  return digits + name + std::string(30 - name.size(), ' ') + flags;
}

struct HighScores : LevelFixture {
  std::string dir;
  void SetUp() override {
    LevelFixture::SetUp();
    dir = enterScratchGameDir();
  }
  void TearDown() override {
    leaveScratchGameDir(dir);
    LevelFixture::TearDown();
  }
  void fillTable() {
    for (int i = 0; i < 10; i++) {
      lv->highScores[i] = 1000 - 100 * i;
      snprintf(lv->highScoreNames[i], 31, "%-30s", ("P" + std::to_string(i)).c_str());
      for (int e = 0; e < 10; e++) lv->highExtrasUsed[i][e] = (e == i);
    }
  }
};
}  // namespace

TEST(HighScoreEntry, PlacesAScoreBelowGreaterAndAboveEqualOrSmallerEntries) {
  const auto table = {900, 800, 700, 700, 500, 400, 300, 200, 100, 50};
  EXPECT_EQ(place(table, 900), -1) << "equal to the best is not entered";
  EXPECT_EQ(place(table, 901), 0);
  EXPECT_EQ(place(table, 700), 2) << "above the highest entry with the same score";
  EXPECT_EQ(place(table, 650), 4);
  EXPECT_EQ(place(table, 50), 9);
  EXPECT_EQ(place(table, 49), -1);
  EXPECT_EQ(place({500, 300, 0, 0, 0, 0, 0, 0, 0, 0}, 0), 2);
  EXPECT_EQ(place({0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 0), -1);
  EXPECT_EQ(place({0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 1), 0);
}

TEST_F(HighScores, AnEntryMovesLowerEntriesDownWithTheirNamesAndFlags) {
  fillTable();
  setProfile("NEW ONE");
  lv->setExtrasUsed(3, true);
  enterHighScore(*lv, 650);
  EXPECT_EQ(lv->highScores[4], 650);
  EXPECT_STREQ(lv->highScoreNames[4], "NEW ONE                       ");
  EXPECT_TRUE(lv->highExtrasUsed[4][3]);
  EXPECT_FALSE(lv->highExtrasUsed[4][4]);
  for (int i = 5; i < 10; i++) {
    EXPECT_EQ(lv->highScores[i], 1000 - 100 * (i - 1));
    EXPECT_EQ(lv->highScoreNames[i][1], '0' + i - 1);
    EXPECT_TRUE(lv->highExtrasUsed[i][i - 1]);
  }
  EXPECT_EQ(lv->highScores[3], 700);
  enterHighScore(*lv, 10);  // below the last entry
  EXPECT_EQ(lv->highScores[9], 200);
}

TEST_F(HighScores, TableRoundTripsByteForByte) {
  fillTable();
  lv->highScores[0] = 1234567890;  // only the last nine digits are kept
  snprintf(lv->highScoreNames[1], 31, "%s", "Ace 2 the 3rd   with spaces 99");
  ASSERT_TRUE(lv->saveHighScores("records/highscores1.txt"));
  std::string bytes = readWholeFile("records/highscores1.txt");
  ASSERT_EQ(bytes.size(), 490u);
  EXPECT_EQ(bytes.substr(0, 49), record("234567890", "P0", "1000000000"));
  EXPECT_EQ(bytes.substr(49, 49), "000000900Ace 2 the 3rd   with spaces 990100000000");
  EXPECT_EQ(bytes.substr(441, 49), record("000000100", "P9", "0000000001"));

  level* other = makeLevel();
  EXPECT_TRUE(other->loadHighScores("records/highscores1.txt"));
  EXPECT_EQ(other->highScores[0], 234567890);
  EXPECT_STREQ(other->highScoreNames[1], "Ace 2 the 3rd   with spaces 99");
  EXPECT_EQ(other->highScores[9], 100);
  EXPECT_TRUE(other->highExtrasUsed[9][9]);
  EXPECT_FALSE(other->highExtrasUsed[9][8]);
  ASSERT_TRUE(other->saveHighScores("records/highscores2.txt"));
  EXPECT_EQ(readWholeFile("records/highscores2.txt"), bytes);
  delete other;
}

TEST_F(HighScores, OddAndShortFilesAreReadWithinBounds) {
  // Non-digits still add (c - '0') at their place; a flag that is neither 0 nor 1 repeats
  // the last flag read; bytes past the end read as 0xFF.
  std::string first = record("00000001A", "SHORT", "x1yy0z1111");
  writeWholeFile("records/highscores3.txt", first + "0000");
  ASSERT_TRUE(lv->loadHighScores("records/highscores3.txt"));
  EXPECT_EQ(lv->highScores[0], 10 + 17);
  bool expected[10] = {false, true, true, true, false, false, true, true, true, true};
  for (int e = 0; e < 10; e++) EXPECT_EQ(lv->highExtrasUsed[0][e], expected[e]) << e;
  EXPECT_EQ(lv->highScoreNames[1][0], '\xFF');
  EXPECT_EQ(lv->highScoreNames[1][30], '\0');
  EXPECT_TRUE(lv->highExtrasUsed[9][9]) << "missing flags repeat the last one read";
  EXPECT_TRUE(lv->saveHighScores("records/highscores3.txt"));

  // Nothing but garbage: no overflow, no crash, still a full table written back.
  writeWholeFile("records/highscores4.txt", std::string(490, 'z'));
  EXPECT_TRUE(lv->loadHighScores("records/highscores4.txt"));
  EXPECT_TRUE(lv->saveHighScores("records/highscores4.txt"));
  EXPECT_EQ(readWholeFile("records/highscores4.txt").size(), 490u);
}

TEST_F(HighScores, AMissingFileKeepsTheTableAndSaysSo) {
  lv->highScores[0] = 77;
  startCapturingStdout();
  EXPECT_FALSE(lv->loadHighScores("records/highscores9.txt"));
  EXPECT_EQ(stopCapturingStdout(), "Cannot open file \n");
  EXPECT_EQ(lv->highScores[0], 77);
  EXPECT_STREQ(lv->highScoreNames[5], std::string(30, ' ').c_str());
}

TEST_F(HighScores, AFailedSaveLeavesTheOldFileIntact) {
  fillTable();
  const std::string old = std::string(490, '7');
  writeWholeFile("records/highscores5.txt", old);
  chmod("records/highscores5.txt", 0640);

  // A disk that fills up part way: the write fails after 100 bytes.
  signal(SIGXFSZ, SIG_IGN);
  rlimit saved;
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = 100;
  setrlimit(RLIMIT_FSIZE, &small);
  startCapturingStdout();
  bool saved5 = lv->saveHighScores("records/highscores5.txt");
  setrlimit(RLIMIT_FSIZE, &saved);
  EXPECT_EQ(stopCapturingStdout(), "Cannot open file \n");
  EXPECT_FALSE(saved5);
  EXPECT_EQ(readWholeFile("records/highscores5.txt"), old);

  startCapturingStdout();
  EXPECT_FALSE(lv->saveHighScores("missing/highscores1.txt"));
  EXPECT_EQ(stopCapturingStdout(), "Cannot open file \n");

  // A good save replaces the file whole and keeps its permissions; nothing is left behind.
  ASSERT_TRUE(lv->saveHighScores("records/highscores5.txt"));
  EXPECT_EQ(readWholeFile("records/highscores5.txt").substr(0, 11), "000001000P0");
  struct stat info;
  stat("records/highscores5.txt", &info);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(directoryEntries("records").size(), 1u) << "a temporary file was left";
}

TEST(AtomicFile, RefusesWhereTheDirectoryIsAFile) {
  scratchGameDir scratch;
  writeWholeFile("notadir", "x");
  EXPECT_FALSE(writeFileAtomically("notadir/file.txt", "abc", 3));
  EXPECT_TRUE(writeFileAtomically("records/file.txt", "abc", 3));
  EXPECT_EQ(readWholeFile("records/file.txt"), "abc");
}

// The table screen: which keys and buttons leave it, and what they return.
struct TableScreen : LevelFixture {
  int showWith(std::initializer_list<SDL_Event> events, std::string* printed = nullptr) {
    virtualClock::at(virtualClock::now() + 2000, [events] {
      for (SDL_Event event : events) SDL_PushEvent(&event);
    });
    startCapturingStdout();
    int result = lv->showHighScores();
    std::string out = stopCapturingStdout();
    if (printed != nullptr) *printed = out;
    return result;
  }
  static SDL_Event key(SDLKey sym) {
    SDL_Event event = {};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = sym;
    return event;
  }
  static SDL_Event button(int number) {
    SDL_Event event = {};
    event.type = SDL_JOYBUTTONDOWN;
    event.jbutton.button = static_cast<Uint8>(number);
    return event;
  }
};

TEST_F(TableScreen, KeysAndButtonsLeaveWithTheirValues) {
  std::string printed;
  EXPECT_EQ(showWith({key(SDLK_x), button(12), key(SDLK_SPACE)}, &printed), 1);
  EXPECT_EQ(printed, "Fading In12Fading Out12");
  EXPECT_EQ(showWith({key(SDLK_q)}), 0);
  EXPECT_EQ(showWith({key(SDLK_h)}), 1);
  EXPECT_EQ(showWith({button(13)}), 1);
  EXPECT_EQ(showWith({button(14)}), 1);
  EXPECT_EQ(showWith({button(15)}), 0);
  EXPECT_EQ(showWith({key(SDLK_h), key(SDLK_q)}, &printed), 0) << "q still queued after h";
  EXPECT_EQ(printed, "Fading In12Fading Out12Fading Out12");
}

TEST_F(TableScreen, DrawsScoresAndNamesOnTheirRows) {
  lv->highScores[0] = 4321;
  snprintf(lv->highScoreNames[0], 31, "%-30s", "TOPGUN");
  Uint32 start = virtualClock::now();
  showWith({key(SDLK_SPACE)});
  EXPECT_GE(virtualClock::now() - start, 2000u) << "left before any key";
  auto litIn = [&](int x0, int x1, int y0, int y1) {
    int lit = 0;
    for (int x = x0; x < x1; x++) {
      for (int y = y0; y < y1; y++) {
        Uint8 r, g, b;
        readPixel(screen, x, y, r, g, b);
        if (r > 128) lit++;
      }
    }
    return lit;
  };
  EXPECT_GT(litIn(160, 220, 20, 30), 10) << "the best entry's name";
  EXPECT_EQ(litIn(160, 220, 40, 50), 0) << "a blank name";
  EXPECT_GT(litIn(0, 40, 20, 30), 10);
  EXPECT_GT(litIn(0, 80, 220, 230), 10) << "Press Space Bar.";
}
