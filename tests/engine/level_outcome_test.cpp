// The end of a level: the post-level texts for each outcome and grade, the difficulty
// bonus added once, and which keys and buttons leave the post-level screen.
#include <string>
#include <vector>

#include "engine/avatar.h"
#include "engine/level_run.h"
#include "platform/constants.h"
#include "tests/support/level_fixture.h"

namespace {
std::vector<std::string> screenFor(int howItEnded, int levelHealth) {
  screenLine lines[MAX_POST_LEVEL_LINES];
  int count = postLevelLines(howItEnded, levelHealth, lines);
  std::vector<std::string> shown;
  for (int i = 0; i < count; i++) shown.push_back(std::to_string(lines[i].y) + " " + lines[i].text);
  return shown;
}

const std::vector<std::string> ADVICE = {
    "80 Next time you play", "90 this level you'll get", "100 less health. ",
    "110 The less health you start ", "120 with the higher the grade! "};

std::vector<std::string> completed(std::vector<std::string> top, bool advice) {
  top.insert(top.begin(), "0 Well Done! You Completed the Level.");
  if (advice) top.insert(top.end(), ADVICE.begin(), ADVICE.end());
  top.push_back("140 Press Space (PC) or B (GP2X).");
  return top;
}
}  // namespace

TEST(PostLevelScreen, ShowsTheOutcomeAndTheGrade) {
  EXPECT_EQ(screenFor(LEVEL_COMPLETE, 1),
            completed({"20 Difficulty Bonus - 10,000.", "40 You are a genius!.",
                       "60 Grade A Awarded.", "80 Excellent!", "100 Well Played!.",
                       "120 Magnificent!"},
                      false));
  EXPECT_EQ(screenFor(LEVEL_COMPLETE, 2),
            completed({"20 Difficulty Bonus - 7,500.", "40 Outstanding!.", "60 Grade B Awarded."},
                      true));
  EXPECT_EQ(screenFor(LEVEL_COMPLETE, 3),
            completed({"20 Difficulty Bonus - 5,000.", "40 Well Done!", "60 Grade C Awarded."},
                      true));
  EXPECT_EQ(screenFor(LEVEL_COMPLETE, 6),
            completed({"20 Difficulty Bonus - 0.", "60 Grade F Awarded."}, true));
  for (int health : {7, 0, -3, 99}) {
    EXPECT_EQ(screenFor(LEVEL_COMPLETE, health),
              completed({"20 Difficulty Bonus - 0.", "60 Grade U Awarded."}, true));
  }
  EXPECT_EQ(screenFor(PLAYER_KILLED, 1),
            (std::vector<std::string>{"0 Oh no - you were shot down!",
                                      "20 You'll get more health next time",
                                      "40 you try this level.",
                                      "140 Press Space (PC) or B (GP2X)."}));
  EXPECT_EQ(screenFor(PLAYER_QUIT, 1),
            (std::vector<std::string>{"0 You quit the level!", "20 Don't give up now! ",
                                      "40 The graphics were about to get much",
                                      "60 better. No, really.",
                                      "140 Press Space (PC) or B (GP2X)."}));
  EXPECT_EQ(gradeBonus(4), 0);
  EXPECT_EQ(gradeBonus(3), 5000);
}

using LevelOutcome = LevelFixture;

TEST_F(LevelOutcome, BonusIsAddedOnceHoweverLongTheScreenWaits) {
  Uint32 start = virtualClock::now();
  // Neither another key nor another button leaves the screen; Space does.
  keyPressAt(start + 10000, SDLK_x);
  joyButtonAt(start + 10000, 12, true);
  keyPressAt(start + 30000, SDLK_SPACE);
  startCapturingStdout();
  EXPECT_EQ(lv->play(1), LEVEL_COMPLETE);
  stopCapturingStdout();
  EXPECT_GE(virtualClock::now(), start + 30000);
  EXPECT_LT(virtualClock::now(), start + 32000) << "one fade-out after Space";
  EXPECT_EQ(lv->levelAv->getScore(), 10000);
  EXPECT_EQ(lv->highScores[0], 10000) << "the entered score includes the bonus";
  EXPECT_EQ(lv->highScores[1], 0);
}

TEST_F(LevelOutcome, GradeUEarnsNoBonusAndButtonBConfirms) {
  Uint32 start = virtualClock::now();
  joyButtonAt(start + 8000, 13, true);
  startCapturingStdout();
  EXPECT_EQ(lv->play(7), LEVEL_COMPLETE);
  stopCapturingStdout();
  EXPECT_LT(virtualClock::now(), start + 10000);
  EXPECT_EQ(lv->levelAv->getScore(), 0);
  EXPECT_EQ(lv->highScores[0], 0) << "0 is not entered in a table of zeros";
  EXPECT_EQ(std::string(lv->highScoreNames[0]), std::string(30, ' '));
}
