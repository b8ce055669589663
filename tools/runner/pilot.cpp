// The built-in pilot: a look-ahead dodger with eight-direction aim.
#include "tools/runner/pilot.h"

#include <algorithm>
#include <cmath>

#include "engine/avatar.h"
#include "engine/enemy.h"
#include "engine/enemy_list.h"
#include "platform/constants.h"

namespace {
const int HORIZON_TICKS = 40;      // how far ahead a move is judged
const int HORIZON_STEP_TICKS = 2;  // sampling of the look-ahead
const float SHIP_SPEED = 2.0f;     // pixels per tick, as the ship flies
const float BOOST_SPEED = 5.0f;    // while "e" is held
const float SHOT_SPEED = 10.0f;    // the ship's shots, pixels per tick
const int SHOT_SIZE = 10;
const int SHOT_FLIGHT_TICKS = 40;  // longer than any shot stays on screen
const float NEAR_MISS_PIXELS = 16.0f;
const float HIT_COST = 5000.0f;
const float BOOST_COST = 4.0f;    // prefer the normal speed when it does as well
const float JUMP_PIXELS = 12.0f;  // a larger move between frames is a different object
const int PLAY_LEFT = 0, PLAY_RIGHT = 320, PLAY_TOP = 25, PLAY_BOTTOM = 240;

bool isThreat(const pilotThing& t) {
  return t.alignment == ENEMY || t.alignment == ENEMY_BULLET || t.alignment == WALL;
}

// Gap between two boxes along the axis that separates them most; <= 0 when they meet
// (touching borders count, as in the game's hit test).
float boxGap(float ax, float ay, int aw, int ah, float bx, float by, int bw, int bh) {
  float gapX = std::max(bx - (ax + aw), ax - (bx + bw));
  float gapY = std::max(by - (ay + ah), ay - (by + bh));
  return std::max(gapX, gapY);
}

float lookAheadWeight(int ticks) { return 1.0f / (1.0f + 0.08f * ticks); }

// Unit bearing of a firing direction, x right, y down.
void directionVector(int direction, float& ux, float& uy) {
  static const float DIAGONAL = 0.70710678f;
  static const float VX[9] = {0, 0, DIAGONAL, 1, DIAGONAL, 0, -DIAGONAL, -1, -DIAGONAL};
  static const float VY[9] = {0, -1, -DIAGONAL, 0, DIAGONAL, 1, DIAGONAL, 0, -DIAGONAL};
  ux = VX[direction];
  uy = VY[direction];
}

// Where the enemy list puts gun 0, 1 and 2's shot for a volley in direction.
void gunSpawn(int direction, int gun, float x, float y, int w, int h, float& sx, float& sy) {
  static const float OFF[9][3][2] = {
      {{0, 0}, {0, 0}, {0, 0}},          {{20, -10}, {10, -10}, {30, -10}},  // north
      {{0, -10}, {10, 0}, {-10, -20}},    // north-east, x from the right edge
      {{0, 0}, {0, 10}, {0, -10}},        // east, x from the right edge
      {{0, 0}, {10, -10}, {-10, 10}},     // south-east, right edge, bottom edge
      {{20, 0}, {10, 0}, {30, 0}},        // south, y from the bottom edge
      {{-10, 0}, {0, 10}, {-20, -10}},    // south-west, y from the bottom edge
      {{-10, 0}, {-10, 10}, {-10, -10}},  // west
      {{-10, -10}, {0, -20}, {-20, 0}},   // north-west
  };
  bool fromRight = direction == NORTH_EAST || direction == EAST || direction == SOUTH_EAST;
  bool fromBottom = direction == SOUTH_EAST || direction == SOUTH || direction == SOUTH_WEST;
  sx = x + (fromRight ? w : 0) + OFF[direction][gun][0];
  sy = y + (fromBottom ? h : 0) + OFF[direction][gun][1];
}

bool shotLeftScreen(float x, float y) { return x >= 320 || x <= -10 || y <= 15 || y >= 250; }

// Ticks until a shot from (sx, sy) in direction meets the thing; -1 when it misses.
int ticksToHit(int direction, float sx, float sy, const pilotThing& t) {
  float ux, uy;
  directionVector(direction, ux, uy);
  for (int tick = 1; tick <= SHOT_FLIGHT_TICKS; tick++) {
    // A new shot moves in the frame it is fired, before any hit test.
    float shotX = sx + ux * SHOT_SPEED * tick;
    float shotY = sy + uy * SHOT_SPEED * tick;
    if (shotLeftScreen(shotX, shotY)) return -1;
    float tx = t.x + t.dx * tick, ty = t.y + t.dy * tick;
    if (boxGap(shotX, shotY, SHOT_SIZE, SHOT_SIZE, tx, ty, t.width, t.height) <= 0) return tick;
  }
  return -1;
}

const pilotThing* nearestEnemy(const pilotView& view, bool aheadOnly) {
  const pilotThing* best = nullptr;
  float bestDistance = 0;
  for (const pilotThing& t : view.things) {
    if (t.alignment != ENEMY) continue;
    if (t.x + t.width < PLAY_LEFT || t.x > PLAY_RIGHT) continue;  // not yet in reach
    if (aheadOnly && t.x < view.x + view.width) continue;
    float cx = t.x + t.width / 2.0f - (view.x + view.width / 2.0f);
    float cy = t.y + t.height / 2.0f - (view.y + view.height / 2.0f);
    float distance = cx * cx + cy * cy;
    if (best == nullptr || distance < bestDistance) {
      best = &t;
      bestDistance = distance;
    }
  }
  return best;
}

// Cost of where a move leaves the ship: lined up with the next target, well back from
// it, and on top of power-ups.
float positionCost(const pilotView& view, int moveX, int moveY, bool boost) {
  float endX, endY;
  projectShip(view, moveX, moveY, boost, HORIZON_TICKS / 2, endX, endY);
  float cost = 0;
  const pilotThing* target = nearestEnemy(view, true);
  if (target == nullptr) target = nearestEnemy(view, false);
  if (target != nullptr) {
    float wantY = target->y + target->height / 2.0f - view.height / 2.0f;
    float wantX = std::min(std::max(target->x - 160.0f, 10.0f), 100.0f);
    cost += std::fabs(endY - wantY) + 0.5f * std::fabs(endX - wantX);
  } else {
    cost += 0.5f * std::fabs(endX - 30.0f) + 0.2f * std::fabs(endY - 120.0f);
  }
  for (const pilotThing& t : view.things) {
    if (t.alignment != POWER_UP) continue;
    for (int tick = HORIZON_STEP_TICKS; tick <= HORIZON_TICKS; tick += HORIZON_STEP_TICKS) {
      float sx, sy;
      projectShip(view, moveX, moveY, boost, tick, sx, sy);
      float gap = boxGap(sx, sy, view.width, view.height, t.x + t.dx * tick, t.y + t.dy * tick,
                         t.width, t.height);
      if (gap <= 0) {
        cost -= 150.0f * lookAheadWeight(tick);
        break;
      }
    }
  }
  return cost;
}

int countNear(const pilotView& view, int alignment, float radius) {
  int count = 0;
  float cx = view.x + view.width / 2.0f, cy = view.y + view.height / 2.0f;
  for (const pilotThing& t : view.things) {
    if (t.alignment != alignment) continue;
    float dx = t.x + t.width / 2.0f - cx, dy = t.y + t.height / 2.0f - cy;
    if (dx * dx + dy * dy <= radius * radius) count++;
  }
  return count;
}

bool sweepInFlight(const pilotView& view) {
  for (const pilotThing& t : view.things) {
    if (t.alignment == SMART_BOMB) return true;
  }
  return false;
}
}  // namespace

void projectShip(const pilotView& view, int moveX, int moveY, bool boost, int ticks, float& x,
                 float& y) {
  float step = (boost ? BOOST_SPEED : SHIP_SPEED) * ticks;
  x = std::min(std::max(view.x + moveX * step, static_cast<float>(PLAY_LEFT)),
               static_cast<float>(PLAY_RIGHT - view.width));
  y = std::min(std::max(view.y + moveY * step, static_cast<float>(PLAY_TOP)),
               static_cast<float>(PLAY_BOTTOM - view.height));
}

float dangerOfMove(const pilotView& view, int moveX, int moveY, bool boost) {
  float danger = 0;
  for (int tick = 1; tick <= HORIZON_TICKS; tick += (tick == 1 ? 1 : HORIZON_STEP_TICKS)) {
    float sx, sy;
    projectShip(view, moveX, moveY, boost, tick, sx, sy);
    bool shielded = tick < view.invincibleTicks - 1;
    float weight = lookAheadWeight(tick);
    for (const pilotThing& t : view.things) {
      if (!isThreat(t)) continue;
      float gap = boxGap(sx, sy, view.width, view.height, t.x + t.dx * tick, t.y + t.dy * tick,
                         t.width, t.height);
      if (gap <= 0) {
        if (!shielded) danger += HIT_COST * weight;
      } else if (gap < NEAR_MISS_PIXELS) {
        float closeness = NEAR_MISS_PIXELS - gap;
        danger += closeness * closeness * 2.0f * weight * (shielded ? 0.2f : 1.0f);
      }
    }
  }
  return danger;
}

int bestFireDirection(const pilotView& view, float shipX, float shipY) {
  float bestScore = 0;
  int best = 0;
  for (int direction = NORTH; direction <= NORTH_WEST; direction++) {
    float score = 0;
    for (const pilotThing& t : view.things) {
      if (t.alignment != ENEMY) continue;
      int guns = std::min(std::max(view.firePower, 1), 3);
      for (int gun = 0; gun < guns; gun++) {
        float sx, sy;
        gunSpawn(direction, gun, shipX, shipY, view.width, view.height, sx, sy);
        int ticks = ticksToHit(direction, sx, sy, t);
        if (ticks > 0) score += 100.0f / (1.0f + ticks * 0.1f);
      }
    }
    // Among equals the earlier direction wins: east (3) is tried before the diagonals.
    if (score > bestScore + 0.001f) {
      bestScore = score;
      best = direction;
    }
  }
  return best;
}

pilotCommand decidePilotCommand(const pilotView& view) {
  pilotCommand command;
  float bestCost = 0, bestDanger = 0;
  bool first = true;
  for (int boostChoice = 0; boostChoice <= 1; boostChoice++) {
    for (int moveY = -1; moveY <= 1; moveY++) {
      for (int moveX = -1; moveX <= 1; moveX++) {
        bool boost = boostChoice == 1;
        if (boost && moveX == 0 && moveY == 0) continue;
        float danger = dangerOfMove(view, moveX, moveY, boost);
        float cost = danger + positionCost(view, moveX, moveY, boost) + (boost ? BOOST_COST : 0);
        if (first || cost < bestCost) {
          first = false;
          bestCost = cost;
          bestDanger = danger;
          command.moveX = moveX;
          command.moveY = moveY;
          command.boost = boost;
        }
      }
    }
  }
  float nextX, nextY;
  projectShip(view, command.moveX, command.moveY, command.boost, 1, nextX, nextY);
  command.fireDirection = bestFireDirection(view, nextX, nextY);
  if (command.fireDirection == 0) {
    // Nothing in the line of fire: keep shooting ahead, where enemies come from.
    command.fireDirection = EAST;
  }
  bool crowded = countNear(view, ENEMY, 140.0f) >= 5 || countNear(view, ENEMY_BULLET, 90.0f) >= 4;
  bool cornered = bestDanger >= HIT_COST * 0.5f && view.invincibleTicks == 0;
  command.bomb = view.bombs > 0 && !sweepInFlight(view) && (crowded || cornered);
  return command;
}

std::vector<SDLKey> keysForCommand(const pilotCommand& command) {
  std::vector<SDLKey> keys;
  if (command.moveX < 0) keys.push_back(SDLK_LEFT);
  if (command.moveX > 0) keys.push_back(SDLK_RIGHT);
  if (command.moveY < 0) keys.push_back(SDLK_UP);
  if (command.moveY > 0) keys.push_back(SDLK_DOWN);
  if (command.boost) keys.push_back(SDLK_e);
  // The ship reads pairs first: a+w north-west, a+s south-west, w+d north-east, d+s
  // south-east; a single key fires along its own axis.
  switch (command.fireDirection) {
    case NORTH: keys.push_back(SDLK_w); break;
    case NORTH_EAST:
      keys.push_back(SDLK_w);
      keys.push_back(SDLK_d);
      break;
    case EAST: keys.push_back(SDLK_d); break;
    case SOUTH_EAST:
      keys.push_back(SDLK_d);
      keys.push_back(SDLK_s);
      break;
    case SOUTH: keys.push_back(SDLK_s); break;
    case SOUTH_WEST:
      keys.push_back(SDLK_a);
      keys.push_back(SDLK_s);
      break;
    case WEST: keys.push_back(SDLK_a); break;
    case NORTH_WEST:
      keys.push_back(SDLK_a);
      keys.push_back(SDLK_w);
      break;
    default: break;
  }
  if (command.bomb) keys.push_back(SDLK_q);
  return keys;
}

pilotView pilotObserver::observe(avatar* ship, enemyList* list) {
  pilotView view;
  view.x = ship->x;
  view.y = ship->y;
  view.width = ship->width;
  view.height = ship->height;
  view.health = ship->health;
  view.bombs = ship->bombs;
  view.invincibleTicks = ship->invincible;
  view.firePower = ship->firePower;
  std::map<const enemy*, std::pair<float, float>> seen;
  for (enemy* e = list ? list->first : nullptr; e != nullptr; e = e->next) {
    pilotThing t;
    t.x = e->x;
    t.y = e->y;
    t.width = e->width;
    t.height = e->height;
    t.alignment = e->alignment;
    t.typeId = e->typeId;
    t.health = e->health;
    if (e->direction != FOLLOW_ACTION_LIST) {
      t.dx = e->xIncrement;  // straight flight: the object's own pixels per tick
      t.dy = e->yIncrement;
    } else {
      // Scripted flight: judge the speed by the last frame's move.
      auto last = lastPositions.find(e);
      if (last != lastPositions.end()) {
        float dx = e->x - last->second.first, dy = e->y - last->second.second;
        if (std::fabs(dx) <= JUMP_PIXELS && std::fabs(dy) <= JUMP_PIXELS) {
          t.dx = dx;
          t.dy = dy;
        }
      }
    }
    seen[e] = {e->x, e->y};
    view.things.push_back(t);
  }
  lastPositions.swap(seen);
  return view;
}
