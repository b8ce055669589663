// The formation patterns: each appends to a wave the wavelets that create one formation
// of enemies together with their move, wait and fire scripts.
#include "content/level_design.h"

#include <algorithm>

#include "engine/wave.h"
#include "platform/constants.h"

namespace {

const int MOVE_TICKS = 5;                // duration recorded with a MOVE step
const int FIRE_TICKS = 5;                // duration recorded with a FIRE step
const int SHOT_GAP_TICKS = 30;           // pause between two shots of a volley
const int RELEASE_GAP_TICKS = 120;       // start gap between the enemies of patterns 1 and 2
const int SHORT_RELEASE_GAP_TICKS = 60;  // start gap in patterns 5 and 6
const int MAX_CORNER_SHOT_PAIRS = 5;     // extra shots per corner of the rectangle patrol

// Writes one enemy's script. Each step starts at the point the previous MOVE ended on;
// `steps` counts the steps written so far, so a loop jump is (target step - steps).
struct scriptPen {
  wave* target;
  float x;
  float y;
  int steps;
};

scriptPen addEnemyWavelet(wave* w, int operation, int typeId, float x, float y, int width,
                          int height) {
  w->append(new wavelet(operation, typeId, static_cast<float>(FOLLOW_ACTION_LIST), ENEMY_SPEED, x,
                        y, nullptr, ENEMY, width, height));
  return scriptPen{w, x, y, 0};
}

void addHealth(wave* w, int health) {
  w->append(
      new wavelet(0, SET_HEALTH, 0, 0, static_cast<float>(health), 0.0f, 0.0f, 0.0f, 0.0f, 0, 0));
}

void addStep(scriptPen& pen, int actionId, float toX, float toY, float speed, int nextAction,
             int ticks) {
  pen.target->append(
      new wavelet(0, ADD_ACTION, 0, actionId, pen.x, pen.y, toX, toY, speed, nextAction, ticks));
  pen.x = toX;
  pen.y = toY;
  ++pen.steps;
}

void addMove(scriptPen& pen, float x, float y, int nextAction = 1) {
  addStep(pen, MOVE, x, y, ENEMY_SPEED, nextAction, MOVE_TICKS);
}

void addFire(scriptPen& pen) {
  addStep(pen, FIRE_AIMED, pen.x, pen.y, ENEMY_BULLET_SPEED, 1, FIRE_TICKS);
}

void addWait(scriptPen& pen, int ticks, int nextAction = 1) {
  addStep(pen, WAIT, pen.x, pen.y, ENEMY_SPEED, nextAction, ticks);
}

// The jump that makes the step about to be written lead back to step `target`.
int jumpBackTo(const scriptPen& pen, int target) { return target - pen.steps; }

// One shot, then `pairs` more, each after a pause.
void addVolley(scriptPen& pen, int pairs) {
  addFire(pen);
  for (int i = 0; i < pairs; ++i) {
    addWait(pen, SHOT_GAP_TICKS);
    addFire(pen);
  }
}

// `count` shots, each after a pause 30 ticks longer than the one before (the first none).
void addWideningShots(scriptPen& pen, int count) {
  for (int j = 0; j < count; ++j) {
    addWait(pen, SHOT_GAP_TICKS * j);
    addFire(pen);
  }
}

void addRepeatedFire(scriptPen& pen, int count) {
  for (int i = 0; i < count; ++i) addFire(pen);
}

int regularHealth(int difficulty) { return difficulty + 3; }

int bossHealth(int difficulty) {
  static const int table[] = {500, 600, 700, 800, 900, 1000, 1200, 1300, 1400, 1500};
  const int entries = static_cast<int>(sizeof table / sizeof table[0]);
  if (difficulty < 0 || difficulty >= entries) return 1;
  return table[difficulty];
}

// A boss arm shuttles between (180, nearY) and (180, farY), pausing and firing four
// times at each end.
void addBossArmScript(scriptPen& pen, float nearY, float farY) {
  addMove(pen, 180, nearY);
  int loopStart = pen.steps;
  addWait(pen, 120);
  addRepeatedFire(pen, 4);
  addMove(pen, 180, farY);
  addWait(pen, 120);
  addRepeatedFire(pen, 4);
  addMove(pen, 180, nearY, jumpBackTo(pen, loopStart));
}

struct pathPoint {
  float x;
  float y;
  bool fire;  // fire once on reaching this point
};

}  // namespace

// The rectangle patrol: round (300,220), (20,220), (20,45), (300,45), firing at every
// corner. The corners leave room for at most five extra shots; higher difficulties fire
// five, and the loop jump counts the shots actually written.
void addPattern1(wave* tempWave, float /*yOffset*/, int difficulty, int numEms) {
  const int pairs = std::clamp(difficulty, 0, MAX_CORNER_SHOT_PAIRS);
  for (int k = 0; k < numEms; ++k) {
    scriptPen pen = addEnemyWavelet(tempWave, ADD_ENEMY, DEFAULT_ENEMY, 340, 220, 45, 20);
    addHealth(tempWave, regularHealth(difficulty));
    addWait(pen, RELEASE_GAP_TICKS * k);
    addMove(pen, 300, 220);
    int firstShot = pen.steps;
    addVolley(pen, pairs);
    addMove(pen, 20, 220);
    addVolley(pen, pairs);
    addMove(pen, 20, 45);
    addVolley(pen, pairs);
    addMove(pen, 300, 45);
    addVolley(pen, pairs);
    addMove(pen, 300, 220, jumpBackTo(pen, firstShot));
  }
}

// The crossing patrol: after its entry the enemy keeps flying the figure (20,220),
// (20,45), (300,220), (300,45), firing `difficulty` shots at each point.
void addPattern2(wave* tempWave, float /*yOffset*/, int difficulty, int numEms) {
  const int shots = std::max(difficulty, 0);
  for (int k = 0; k < numEms; ++k) {
    scriptPen pen = addEnemyWavelet(tempWave, ADD_ENEMY, DEFAULT_ENEMY_2, 340, 0, 45, 20);
    addHealth(tempWave, regularHealth(difficulty));
    addWait(pen, RELEASE_GAP_TICKS * k);
    addMove(pen, 20, 220);
    addWideningShots(pen, shots);
    int loopStart = pen.steps;
    addMove(pen, 20, 45);
    addWideningShots(pen, shots);
    addMove(pen, 300, 220);
    addWideningShots(pen, shots);
    addMove(pen, 300, 45);
    addWideningShots(pen, shots);
    addMove(pen, 20, 220);
    addWideningShots(pen, shots);
    addWait(pen, 0, jumpBackTo(pen, loopStart));
  }
}

// The boss: two arms and a body in one ally chain, so every hit costs all three.
void addPattern3(wave* tempWave, float /*yOffset*/, int difficulty, int /*numEms*/) {
  const int health = bossHealth(difficulty);

  scriptPen upperArm = addEnemyWavelet(tempWave, ADD_ENEMY, BOSS_2, 340, 25, 90, 40);
  addHealth(tempWave, health);
  addBossArmScript(upperArm, 25, 200);

  scriptPen lowerArm = addEnemyWavelet(tempWave, ADD_ENEMY_ALLIED, BOSS_2, 340, 200, 90, 40);
  addHealth(tempWave, health);
  addBossArmScript(lowerArm, 200, 25);

  scriptPen body = addEnemyWavelet(tempWave, ADD_ENEMY_ALLIED, BOSS_1, 340, 25, 50, 215);
  addHealth(tempWave, health);
  addMove(body, 270, 25);
  int loopStart = body.steps;
  addWait(body, 5);
  for (int i = 0; i < std::max(difficulty, 0); ++i) {
    addFire(body);
    addWait(body, SHOT_GAP_TICKS);
  }
  addWait(body, 5, jumpBackTo(body, loopStart));
}

// The heavy: flies in, fires three times and leaves to the left.
void addPattern4(wave* tempWave, float yOffset, int difficulty, int /*numEms*/) {
  const float y = yOffset + 25;
  scriptPen pen = addEnemyWavelet(tempWave, ADD_ENEMY, LARGE_ENEMY, 340, y, 90, 40);
  addHealth(tempWave, regularHealth(difficulty));
  addMove(pen, 230, y);
  for (int i = 0; i < 3; ++i) {
    addFire(pen);
    addWait(pen, SHOT_GAP_TICKS);
  }
  addMove(pen, -70, y);
}

// The swoop: three enemies, 60 ticks apart, climb, dive and leave to the upper left.
void addPattern5(wave* tempWave, float yOffset, int difficulty, int /*numEms*/) {
  static const pathPoint path[] = {
      {320, 135, false}, {280, 85, false},  {260, 75, false}, {250, 65, true},   {240, 65, false},
      {230, 70, false},  {220, 85, false},  {210, 95, false}, {155, 185, false}, {150, 195, false},
      {140, 205, false}, {130, 205, false}, {120, 205, true}, {110, 205, false}, {100, 200, false},
      {90, 195, false},  {80, 190, false},  {75, 185, false}, {-60, -5, false},
  };
  for (int k = 0; k < 3; ++k) {
    scriptPen pen =
        addEnemyWavelet(tempWave, ADD_ENEMY, DEFAULT_ENEMY_3, 340, yOffset + 225, 45, 20);
    addHealth(tempWave, regularHealth(difficulty));
    if (k > 0) addWait(pen, SHORT_RELEASE_GAP_TICKS * k);
    for (const pathPoint& p : path) {
      addMove(pen, p.x, yOffset + p.y);
      if (p.fire) addFire(pen);
    }
  }
}

// The line: three enemies, 60 ticks apart, cross the screen firing twice.
void addPattern6(wave* tempWave, float yOffset, int difficulty, int /*numEms*/) {
  const float y = yOffset + 25;
  for (int k = 0; k < 3; ++k) {
    scriptPen pen = addEnemyWavelet(tempWave, ADD_ENEMY, DEFAULT_ENEMY_4, 340, y, 45, 20);
    addHealth(tempWave, regularHealth(difficulty));
    if (k > 0) addWait(pen, SHORT_RELEASE_GAP_TICKS * k);
    addMove(pen, 275, y);
    addFire(pen);
    addMove(pen, 175, y);
    addFire(pen);
    addMove(pen, -70, y);
  }
}

// Free pattern slots for later levels.
void addPattern7(wave*, float, int, int) {}
void addPattern8(wave*, float, int, int) {}
void addPattern9(wave*, float, int, int) {}
void addPattern10(wave*, float, int, int) {}
