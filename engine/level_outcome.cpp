// The end of a level: the fade away, the difficulty bonus, the post-level screen with the
// outcome and the grade, the high-score entry and the stop of the music.
#include <cstdio>

#include "engine/avatar.h"
#include "engine/fade.h"
#include "engine/level.h"
#include "engine/level_run.h"
#include "platform/clock.h"
#include "platform/constants.h"
#include "platform/globals.h"
#include "platform/input.h"
#include "platform/present.h"

namespace {

// What a completed level earns for the starting health it was played with.
struct grade {
  int bonus;
  const char* bonusLine;   // y 20
  const char* praiseLine;  // y 40, or none
  const char* gradeLine;   // y 60
  bool topGrade;           // praise from y 80 instead of the advice to start with less health
};

const grade GRADES[] = {
    {10000, "Difficulty Bonus - 10,000.", "You are a genius!.", "Grade A Awarded.", true},
    {7500, "Difficulty Bonus - 7,500.", "Outstanding!.", "Grade B Awarded.", false},
    {5000, "Difficulty Bonus - 5,000.", "Well Done!", "Grade C Awarded.", false},
    {0, "Difficulty Bonus - 0.", nullptr, "Grade D Awarded.", false},
    {0, "Difficulty Bonus - 0.", nullptr, "Grade E Awarded.", false},
    {0, "Difficulty Bonus - 0.", nullptr, "Grade F Awarded.", false},
    {0, "Difficulty Bonus - 0.", nullptr, "Grade U Awarded.", false},
};
const int GRADE_COUNT = sizeof GRADES / sizeof GRADES[0];

const grade& gradeFor(int levelHealth) {
  if (levelHealth >= 1 && levelHealth < GRADE_COUNT) return GRADES[levelHealth - 1];
  return GRADES[GRADE_COUNT - 1];
}

const screenLine TOP_GRADE_PRAISE[] = {
    {"Excellent!", 80}, {"Well Played!.", 100}, {"Magnificent!", 120}};
const screenLine ADVICE[] = {{"Next time you play", 80},
                             {"this level you'll get", 90},
                             {"less health. ", 100},
                             {"The less health you start ", 110},
                             {"with the higher the grade! ", 120}};
const screenLine SHOT_DOWN[] = {{"Oh no - you were shot down!", 0},
                                {"You'll get more health next time", 20},
                                {"you try this level.", 40}};
const screenLine QUIT[] = {{"You quit the level!", 0},
                           {"Don't give up now! ", 20},
                           {"The graphics were about to get much", 40},
                           {"better. No, really.", 60}};
const screenLine PRESS_SPACE = {"Press Space (PC) or B (GP2X).", 140};

template <int N>
int appendLines(screenLine* lines, int count, const screenLine (&from)[N]) {
  for (int i = 0; i < N; i++) lines[count++] = from[i];
  return count;
}

int appendGradeLines(screenLine* lines, int count, int levelHealth) {
  const grade& g = gradeFor(levelHealth);
  lines[count++] = {"Well Done! You Completed the Level.", 0};
  lines[count++] = {g.bonusLine, 20};
  if (g.praiseLine != nullptr) lines[count++] = {g.praiseLine, 40};
  lines[count++] = {g.gradeLine, 60};
  if (g.topGrade) return appendLines(lines, count, TOP_GRADE_PRAISE);
  return appendLines(lines, count, ADVICE);
}

void drawPostLevelScreen(level& lv, const levelRun& run) {
  SDL_FillRect(levelScreen, nullptr, SDL_MapRGB(levelScreen->format, 0, 0, 0));
  screenLine lines[MAX_POST_LEVEL_LINES];
  int count = postLevelLines(run.howItEnded, run.levelHealth, lines);
  for (int i = 0; i < count; i++) lv.drawText(lines[i].text, 0, lines[i].y, 255, 255, 255);
}

// Takes every pending event; true if one of them was Space or the B button.
bool confirmationTaken() {
  bool confirmed = false;
  SDL_Event event;
  while (pollInputEvent(&event)) {
    if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_SPACE) confirmed = true;
    bool buttonB = event.type == SDL_JOYBUTTONDOWN && event.jbutton.button == padButtons::B;
    if (buttonB) confirmed = true;
  }
  return confirmed;
}

// Shows the outcome until the player confirms, redrawn at most once per tick.
void showPostLevelScreen(level& lv, levelRun& run) {
  Uint32 lastDrawMs = readClock();
  while (true) {
    drawPostLevelScreen(lv, run);
    if (!run.endFaded) {
      fadeScreen(levelScreen, FADE_IN, SCREEN_FADE_TICKS);
      run.endFaded = true;
      trace("screen waits: outcome");
    }
    presentSurface(levelScreen);
    if (confirmationTaken()) return;
    waitForNextTick(lastDrawMs);
  }
}
}  // namespace

int gradeBonus(int levelHealth) { return gradeFor(levelHealth).bonus; }

int postLevelLines(int howItEnded, int levelHealth, screenLine lines[MAX_POST_LEVEL_LINES]) {
  int count = 0;
  if (howItEnded == LEVEL_COMPLETE) {
    count = appendGradeLines(lines, count, levelHealth);
  } else if (howItEnded == PLAYER_QUIT) {
    count = appendLines(lines, count, QUIT);
  } else {
    count = appendLines(lines, count, SHOT_DOWN);
  }
  lines[count++] = PRESS_SPACE;
  return count;
}

int finishLevel(level& lv, levelRun& run) {
  if (run.howItEnded != LEVEL_COMPLETE) fadeScreen(levelScreen, FADE_OUT, SCREEN_FADE_TICKS);
  if (run.howItEnded == LEVEL_COMPLETE) lv.levelAv->addToScore(gradeBonus(run.levelHealth));
  if (lv.keepEarned) lv.keepEarned(run.howItEnded);  // the score is final from here on
  showPostLevelScreen(lv, run);
  fadeScreen(levelScreen, FADE_OUT, SCREEN_FADE_TICKS);
  enterHighScore(lv, lv.levelAv->getScore());
  Mix_HaltMusic();
  return run.howItEnded;
}
