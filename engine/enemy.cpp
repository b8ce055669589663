// Scripted objects: construction (animation length and straight-line velocity from a
// bearing), the per-frame update, aimed shots and the death effect.
#include "engine/enemy.h"

#include <cmath>
#include <cstdint>

#include "engine/avatar.h"
#include "engine/per_tick.h"
#include "platform/constants.h"
#include "platform/globals.h"
#include "platform/random.h"

namespace {
constexpr float SHOT_SPEED = 3.0f;                  // aimed enemy shots, pixels per tick
constexpr float DEBRIS_SPEED = 3.0f;                // explosions and power-ups, pixels per tick
constexpr int EXPLOSION_LIFE_TICKS = 50;            // one animation cycle of an enemy's explosion
constexpr int ENEMY_SHOT_SIZE = 10;                 // pixels, square
constexpr int POWER_UP_TYPE_BASE = EXTRA_LIFE - 1;  // a drop roll r gives power-up type base + r

// Animation length in ticks by sprite type; -1 for types without their own count.
int frameCountOf(int tId) {
  switch (tId) {
    case LARGE_ENEMY: return 30;
    case DEFAULT_ENEMY_3: return 4;
    case DEFAULT_ENEMY_4: return 6;
    case DEFAULT_ENEMY_2: return 9;
    case DEFAULT_ENEMY: return 20;
    case BOSS_2: return 32;
    case EXTRA_LIFE:
    case FIRE_POWER:
    case POINTS_100:
    case POINTS_500: return 17;
    default: return -1;
  }
}

// Bearing (radians clockwise from up) from the shooter at (ex, ey) to the target at
// (ax, ay); the axis cases are exact so straight shots stay on their axis.
float bearingTowards(float ex, float ey, float ax, float ay) {
  if (ax == ex) return ay >= ey ? ARC_PI : 0.0f;
  if (ay == ey) return ex > ax ? DTR270 : DTR90;
  if (ex > ax && ay > ey) return DTR270 - std::atan((ay - ey) / (ex - ax));
  if (ax > ex && ay > ey) return ARC_PI - std::atan((ax - ex) / (ay - ey));
  if (ax > ex && ey > ay) return std::atan((ax - ex) / (ey - ay));
  if (ex > ax && ey > ay) return DTR360 - std::atan((ex - ax) / (ey - ay));
  return 0.0f;
}

// The ship's guns fire along eight bearings at one speed, and debris and power-ups share
// theirs: the cos and sin of a heading (library calls on a processor without floating
// point) are worked out once per heading and speed, found again by their bits.
struct incrementMemo {
  bool filled;
  std::uint32_t direction, speed;
  float x, y;
};
const int INCREMENT_MEMO_SLOTS = 32;
incrementMemo incrementMemos[INCREMENT_MEMO_SLOTS];
}  // namespace

enemy::enemy(int tId, float dir, float sp, float x1, float y1, enemy* a, int al1, int w1, int h1)
    : sprite(tId, dir, sp, x1, y1, 1, al1, w1, h1),
      ally(a),
      nextAlly(nullptr),
      previousAlly(nullptr),
      timer(0),
      xIncrement(0.0f),
      yIncrement(0.0f),
      isWhite(false),
      refTypeId(tId),
      next(nullptr),
      previous(nullptr) {
  maxFrame = frameCountOf(tId);
  if (direction != FOLLOW_ACTION_LIST) setIncrements();
}

void enemy::setIncrements() {
  const std::uint32_t bd = bitsOf(direction), bs = bitsOf(speed);
  incrementMemo& memo = incrementMemos[(bd ^ bd >> 13 ^ bs * 7u) % INCREMENT_MEMO_SLOTS];
  if (!memo.filled || memo.direction != bd || memo.speed != bs) {
    workOutIncrements();
    memo = {true, bd, bs, xIncrement, yIncrement};
  }
  xIncrement = memo.x;
  yIncrement = memo.y;
}

void enemy::workOutIncrements() {
  const float d = direction;
  const float s = speed;
  // Headings outside one turn (other than FOLLOW_ACTION_LIST) stand still.
  xIncrement = 0.0f;
  yIncrement = 0.0f;
  if (d == 0.0f) {
    yIncrement = -s;
  } else if (d > 0.0f && d < DTR90) {
    const float a = DTR90 - d;
    xIncrement = s * std::cos(a);
    yIncrement = -s * std::sin(a);
  } else if (d == DTR90) {
    xIncrement = s;
  } else if (d > DTR90 && d < ARC_PI) {
    const float a = d - DTR90;
    xIncrement = s * std::cos(a);
    yIncrement = s * std::sin(a);
  } else if (d == ARC_PI) {
    yIncrement = s;
  } else if (d > ARC_PI && d < DTR270) {
    const float a = DTR360 - d - DTR90;
    xIncrement = -s * std::cos(a);
    yIncrement = s * std::sin(a);
  } else if (d >= DTR270 && d < DTR360) {
    const float a = d - DTR270;
    xIncrement = -s * std::cos(a);
    yIncrement = -s * std::sin(a);
  }
}

void enemy::update(int timeElapsed, avatar* av) {
  if (smartInvTimer > 0) {
    smartInvTimer -= timeElapsed;
    if (smartInvTimer < 0) smartInvTimer = 0;
  }
  animate(timeElapsed);
  if (alignment == EXPLOSION) return;  // explosions never move
  if (isWhite) {
    isWhite = false;
    typeId = refTypeId;
  }
  if (direction != FOLLOW_ACTION_LIST) {
    flyStraight(timeElapsed);
  } else {
    followScript(timeElapsed, av);
  }
  if (alignment == PLAYER_1_BULLET && (x >= 320 || x <= -10 || y <= 15 || y >= 250)) health = 0;
}

void enemy::animate(int timeElapsed) {
  frame += timeElapsed;
  if (maxFrame == -1) {
    if (frame > MASTER_MAX_FRAME - 1) frame = 0;
  } else if (frame >= maxFrame) {
    frame = 0;
    if (alignment == EXPLOSION) health = 0;  // an explosion lives one animation cycle
  }
}

void enemy::flyStraight(int timeElapsed) {
  const float oldX = x;
  const float oldY = y;
  x += overTicks(timeElapsed, xIncrement);
  y += overTicks(timeElapsed, yIncrement);
  // A shot that cannot move would hang on screen for ever.
  if (alignment == ENEMY_BULLET && x == oldX && y == oldY) health = 0;
}

void enemy::followScript(int timeElapsed, avatar* av) {
  if (timer > 0) {
    timer -= timeElapsed;
    return;
  }
  const float savedX = x;
  const float savedY = y;
  int stepTicks = 0;
  const int kind = actionList.newXY(x, y, timeElapsed, stepTicks);
  if (kind != MOVE) {
    x = savedX;
    y = savedY;
  }
  if (kind == WAIT) timer = stepTicks;
  if (kind == FIRE_AIMED && av != nullptr) fireAimed(av->getX(), av->getY());
}

void enemy::fireAimed(float targetX, float targetY) {
  enemyGunSoundWaiting = true;
  append(new enemy(DEFAULT_ENEMY_BULLET, bearingTowards(x, y, targetX, targetY), SHOT_SPEED, x, y,
                   nullptr, ENEMY_BULLET, ENEMY_SHOT_SIZE, ENEMY_SHOT_SIZE));
}

void enemy::addAction(int aId, float sX, float sY, float fX, float fY, float sp, int nA, int dur) {
  actionList.addAction(aId, sX, sY, fX, fY, sp, nA, dur);
}

void enemy::lastAction() {
  if (alignment != ENEMY) return;
  enemy* blast =
      new enemy(DEFAULT_EXPLOSION_0, 0.0f, DEBRIS_SPEED, x, y, nullptr, EXPLOSION, width, height);
  blast->setMaxFrame(EXPLOSION_LIFE_TICKS);
  append(blast);
  enemyExplodeSoundWaiting = true;
  dropPowerUp();
}

void enemy::dropPowerUp() {
  const int roll = pickRandom(POWER_UP_CHOICES);
  // Bosses are judged by their own type: a boss shot down is still showing its white twin.
  const bool boss = refTypeId == BOSS_1 || refTypeId == BOSS_2;
  const int kind = POWER_UP_TYPE_BASE + roll;
  if (roll == NO_POWER_UP || kind == EXTRA_BOMB || boss) return;
  append(new enemy(kind, ARC_PIT150, DEBRIS_SPEED, x, y, nullptr, POWER_UP, width, height));
}

void enemy::append(enemy* toAdd) {
  enemy* last = this;
  while (last->next != nullptr) last = last->next;
  last->next = toAdd;
  toAdd->previous = last;
}

void enemy::turnWhite() {
  isWhite = true;
  typeId = refTypeId + 1;
}
