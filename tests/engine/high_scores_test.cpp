// The high-score table: where a score enters, the 490-byte record file's round trip and
// the table screen's keys. Failed saves: frontend/atomic_file_test.
#include "engine/level_run.h"
#include "platform/input.h"
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
  scratchGameDir scratch;  // entered before the level is made, left after it is gone
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

// The table screen: which keys and buttons leave it, and what they return.
struct TableScreen : LevelFixture {
  int showWith(std::initializer_list<SDL_Event> events, std::string* printed = nullptr) {
    virtualClock::at(virtualClock::now() + 2000, [events] {
      for (SDL_Event event : events) SDL_PushEvent(&event);
    });
    int result{};
    std::string out = printedBy([&] { result = lv->showHighScores(); });
    if (printed != nullptr) *printed = out;
    return result;
  }
  static SDL_Event key(SDLKey sym) { return keyEvent(sym, true); }
  static SDL_Event button(int number) { return joyButtonEvent(number, true); }
};

TEST_F(TableScreen, KeysAndButtonsLeaveWithTheirValues) {
  std::string printed;
  EXPECT_EQ(showWith({key(SDLK_x), button(12), key(SDLK_SPACE)}, &printed), 1);
  EXPECT_EQ(printed, "Fading In12Fading Out12");
  const struct {
    SDL_Event event;
    int result;
  } rows[] = {
      {key(SDLK_q), 0}, {key(SDLK_h), 1}, {button(13), 1}, {button(14), 1}, {button(15), 0}};
  for (const auto& r : rows) EXPECT_EQ(showWith({r.event}), r.result);
  EXPECT_EQ(showWith({key(SDLK_h), key(SDLK_q)}, &printed), 0) << "q still queued after h";
  EXPECT_EQ(printed, "Fading In12Fading Out12Fading Out12");
}
