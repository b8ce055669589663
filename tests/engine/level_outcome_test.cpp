// The end of a level: the grade and bonus for the health it was cleared with, the bonus
// added once, and which keys and buttons leave the post-level screen.
#include <string>

#include "engine/avatar.h"
#include "engine/level_run.h"
#include "platform/constants.h"
#include "tests/support/level_fixture.h"

// The grade and bonus for the health a level was cleared with: the fewer, the better.
TEST(PostLevelScreen, GradeAndBonusFollowTheStartingHealth) {
  const struct {
    int levelHealth, bonus;
    const char* gradeLine;
  } grades[] = {{1, 10000, "Grade A Awarded."}, {2, 7500, "Grade B Awarded."},
                {3, 5000, "Grade C Awarded."},  {4, 0, "Grade D Awarded."},
                {6, 0, "Grade F Awarded."},     {7, 0, "Grade U Awarded."},
                {99, 0, "Grade U Awarded."},    {0, 0, "Grade U Awarded."}};
  for (const auto& g : grades) {
    EXPECT_EQ(gradeBonus(g.levelHealth), g.bonus) << g.levelHealth;
    screenLine lines[MAX_POST_LEVEL_LINES];
    int count = postLevelLines(LEVEL_COMPLETE, g.levelHealth, lines);
    int found = 0;
    for (int i = 0; i < count; i++) found += std::string(lines[i].text) == g.gradeLine;
    EXPECT_EQ(found, 1) << g.levelHealth;
  }
}

using LevelOutcome = LevelFixture;

TEST_F(LevelOutcome, BonusIsAddedOnceHoweverLongTheScreenWaits) {
  Uint32 start = virtualClock::now();
  // Neither another key nor another button leaves the screen; Space does.
  virtualClock::at(start + 10000, [] {
    pushKeyPress(SDLK_x);
    pushJoyButton(12, true);
  });
  virtualClock::at(start + 30000, [] { pushKeyPress(SDLK_SPACE); });
  printedBy([&] { EXPECT_EQ(lv->play(1), LEVEL_COMPLETE); });
  EXPECT_GE(virtualClock::now(), start + 30000);
  EXPECT_LT(virtualClock::now(), start + 32000) << "one fade-out after Space";
  EXPECT_EQ(lv->levelAv->getScore(), 10000);
  EXPECT_EQ(lv->highScores[0], 10000) << "the entered score includes the bonus";
  EXPECT_EQ(lv->highScores[1], 0);
}

TEST_F(LevelOutcome, GradeUEarnsNoBonusAndButtonBConfirms) {
  Uint32 start = virtualClock::now();
  virtualClock::at(start + 8000, [] { pushJoyButton(13, true); });
  printedBy([&] { EXPECT_EQ(lv->play(7), LEVEL_COMPLETE); });
  EXPECT_LT(virtualClock::now(), start + 10000);
  EXPECT_EQ(lv->levelAv->getScore(), 0);
  EXPECT_EQ(lv->highScores[0], 0) << "0 is not entered in a table of zeros";
  EXPECT_EQ(std::string(lv->highScoreNames[0]), std::string(30, ' '));
}
