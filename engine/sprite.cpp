// Sprites, the hit test and background layers.
#include "engine/sprite.h"

#include "engine/per_tick.h"
#include "engine/sprite_type.h"
#include "platform/constants.h"
#include "platform/globals.h"

namespace {
bool cornerInside(float cx, float cy, float bx, float by, int bw, int bh) {
  return cx >= bx && cx <= bx + bw && cy >= by && cy <= by + bh;
}

// True when one of the four corners of box a lies in box b, borders included.
bool anyCornerInside(float ax, float ay, int aw, int ah, float bx, float by, int bw, int bh) {
  return cornerInside(ax, ay, bx, by, bw, bh) || cornerInside(ax + aw, ay, bx, by, bw, bh) ||
         cornerInside(ax + aw, ay + ah, bx, by, bw, bh) ||
         cornerInside(ax, ay + ah, bx, by, bw, bh);
}

// True when one span ends before the other starts. Only for spans of no negative length:
// then every corner of each box lies on its own side of the gap, so no corner test can
// pass, and the four or eight float compares of the corner tests (each a library call on
// a processor without floating point) are saved for most pairs.
bool apart(float a, int aLength, float b, int bLength) {
  return aLength >= 0 && bLength >= 0 && (a + aLength < b || b + bLength < a);
}

// What a touch by an object aligned tAlign does to one aligned a. Pairs that cannot react
// skip the box test altogether.
enum reaction { NO_REACTION, LOSES_HEALTH, SCORED_HIT, COLLECTED, BOMBED };

reaction reactionOf(int a, int tAlign) {
  switch (a) {
    case HARMLESS:
    case EXPLOSION: return NO_REACTION;
    case WALL: return LOSES_HEALTH;
    case PLAYER_1:
      if (tAlign == ENEMY || tAlign == ENEMY_BULLET) return LOSES_HEALTH;
      break;
    case ENEMY:
      if (tAlign == PLAYER_1_BULLET) return SCORED_HIT;
      if (tAlign == SMART_BOMB) return BOMBED;
      break;
    case ENEMY_BULLET:
      if (tAlign == SMART_BOMB) return SCORED_HIT;
      break;
    case PLAYER_1_BULLET:
      if (tAlign == ENEMY) return LOSES_HEALTH;
      break;
    case POWER_UP:
      if (tAlign == PLAYER_1) return COLLECTED;
      break;
  }
  return tAlign == PLAYER_1 ? LOSES_HEALTH : NO_REACTION;
}
}  // namespace

sprite::sprite(int tId, float dir, float sp, float x1, float y1, int he, int al, int w1, int h1)
    : typeId(tId),
      direction(dir),
      speed(sp),
      x(x1),
      y(y1),
      frame(0),
      maxFrame(-1),
      health(he),
      alignment(al),
      width(w1),
      height(h1),
      active(true),
      smartInvTimer(0) {}

void sprite::draw(spriteType** sTArray, SDL_Surface* screenSurface) {
  if (typeId < 0 || typeId >= SPRITE_SLOTS) return;
  spriteType* sheet = sTArray[typeId];
  if (sheet != nullptr) sheet->draw(x, y, frame, screenSurface);
}

bool sprite::meets(float tX, float tY, int tWidth, int tHeight) {
  if (apart(x, width, tX, tWidth) || apart(y, height, tY, tHeight)) return false;
  return anyCornerInside(x, y, width, height, tX, tY, tWidth, tHeight) ||
         anyCornerInside(tX, tY, tWidth, tHeight, x, y, width, height);
}

void sprite::collectPowerUp() {
  switch (typeId) {
    case EXTRA_LIFE: globalExtraLifeWaiting = true; break;
    case POINTS_500:
      globalScore += 500;
      points500SoundWaiting = true;
      break;
    case POINTS_100:
      globalScore += 100;
      points100SoundWaiting = true;
      break;
    case EXTRA_BOMB: globalExtraBombWaiting = true; break;
    case FIRE_POWER: globalFirePowerWaiting = true; break;
    default: break;
  }
}

int sprite::hitTest(float tX, float tY, int tWidth, int tHeight, int tAlign) {
  const reaction r = reactionOf(alignment, tAlign);
  if (r == NO_REACTION || !meets(tX, tY, tWidth, tHeight)) return 0;
  switch (r) {
    case SCORED_HIT: globalScore += 100; return -1;
    case COLLECTED: collectPowerUp(); return -1;
    case BOMBED:
      if (smartInvTimer > 0) return 0;  // one bomb's blast takes health once
      smartInvTimer = width + 1;
      globalScore += 100;
      return -10;
    default: return -1;
  }
}

background::background(int tId, float dir, float sp, float x1, float y1, int he, int al, int w1,
                       int h1)
    : sprite(tId, dir, sp, x1, y1, he, al, w1, h1), ol(0), counter(0.0f) {}

void background::update(int timeElapsed) {
  counter += overTicks(timeElapsed, speed);
  if (counter >= width) counter -= width;
}

void background::draw(spriteType** sTArray, SDL_Surface* screenSurface) {
  if (typeId < 0 || typeId >= SPRITE_SLOTS) return;
  spriteType* sheet = sTArray[typeId];
  if (sheet != nullptr) sheet->draw(counter, width, screenSurface);
}
