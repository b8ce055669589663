// The pilot's judgement on hand-made scenes: dodging, aiming, smart bombs and its keys.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/constants.h"
#include "tools/runner/pilot.h"

namespace {
pilotView shipAt(float x, float y) {
  pilotView view;
  view.x = x;
  view.y = y;
  view.health = 3;
  view.bombs = 3;
  return view;
}

pilotThing thing(int alignment, float x, float y, int w, int h, float dx = 0, float dy = 0) {
  pilotThing t;
  t.alignment = alignment;
  t.x = x;
  t.y = y;
  t.width = w;
  t.height = h;
  t.dx = dx;
  t.dy = dy;
  t.health = 3;
  return t;
}

pilotThing enemyAt(float x, float y, float dx = 0, float dy = 0) {
  return thing(ENEMY, x, y, 45, 20, dx, dy);
}

pilotThing bulletAt(float x, float y, float dx, float dy) {
  return thing(ENEMY_BULLET, x, y, 10, 10, dx, dy);
}

bool has(const std::vector<SDLKey>& keys, SDLKey key) {
  return std::find(keys.begin(), keys.end(), key) != keys.end();
}

// True when the ship, holding the command's move, is touched within the next ticks.
bool touchedWithin(const pilotView& view, const pilotCommand& c, const pilotThing& t, int ticks) {
  for (int tick = 1; tick <= ticks; tick++) {
    float sx, sy;
    projectShip(view, c.moveX, c.moveY, c.boost, tick, sx, sy);
    float tx = t.x + t.dx * tick, ty = t.y + t.dy * tick;
    bool apart = sx + view.width < tx || tx + t.width < sx || sy + view.height < ty ||
                 ty + t.height < sy;
    if (!apart) return true;
  }
  return false;
}
}  // namespace

TEST(PilotMoves, StepsOutOfTheWayOfAShotAimedAtIt) {
  pilotView view = shipAt(40, 120);
  pilotThing shot = bulletAt(140, 125, -3, 0);  // level with the ship, 55 px off
  view.things.push_back(shot);
  pilotCommand c = decidePilotCommand(view);
  EXPECT_NE(c.moveY, 0);
  EXPECT_FALSE(touchedWithin(view, c, shot, 30));
  // Standing still would be hit.
  pilotCommand still;
  EXPECT_TRUE(touchedWithin(view, still, shot, 30));
}

TEST(PilotMoves, DodgesAShotFromAboveSideways) {
  pilotView view = shipAt(100, 200);
  pilotThing shot = bulletAt(118, 120, 0, 3);
  view.things.push_back(shot);
  pilotCommand c = decidePilotCommand(view);
  EXPECT_NE(c.moveX, 0);
  EXPECT_FALSE(touchedWithin(view, c, shot, 30));
}

TEST(PilotMoves, HurriesWhenTheNormalSpeedCannotEscape) {
  // Shots closing in from both sides leave no way out at 2 pixels per tick.
  pilotView view = shipAt(120, 120);
  view.things.push_back(bulletAt(170, 123, -3, 0));
  view.things.push_back(bulletAt(60, 123, 3, 0));
  view.things.push_back(bulletAt(137, 60, 0, 3));
  view.things.push_back(bulletAt(137, 170, 0, -3));
  pilotCommand c = decidePilotCommand(view);
  for (const pilotThing& t : view.things) EXPECT_FALSE(touchedWithin(view, c, t, 12));
  EXPECT_TRUE(c.boost);
}

TEST(PilotMoves, KeepsToTheFieldAndLinesUpWithTheNextEnemy) {
  pilotView view = shipAt(20, 40);
  view.things.push_back(enemyAt(300, 180));
  pilotCommand c = decidePilotCommand(view);
  EXPECT_EQ(c.moveY, 1);  // down towards the enemy's row
  EXPECT_FALSE(c.bomb);

  float x, y;
  projectShip(view, -1, -1, true, 50, x, y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 25);
  projectShip(view, 1, 1, true, 500, x, y);
  EXPECT_EQ(x, 275);  // 320 less the ship's 45
  EXPECT_EQ(y, 220);  // 240 less its 20
}

TEST(PilotMoves, DangerFallsAwayFromAThreatAndWhileShielded) {
  pilotView view = shipAt(100, 100);
  view.things.push_back(enemyAt(160, 100, -1.5f, 0));
  float towards = dangerOfMove(view, 1, 0, false);
  float away = dangerOfMove(view, -1, 0, true);
  EXPECT_GT(towards, 1000.0f);
  EXPECT_LT(away, towards / 10);

  view.invincibleTicks = 100;  // a fresh hit: contacts in the next ticks do no harm
  EXPECT_LT(dangerOfMove(view, 1, 0, false), towards / 10);
  // Power-ups and the ship's own shots are no danger.
  pilotView calm = shipAt(100, 100);
  calm.things.push_back(thing(POWER_UP, 120, 100, 20, 20, -3, 0));
  calm.things.push_back(thing(PLAYER_1_BULLET, 150, 105, 10, 10, 10, 0));
  calm.things.push_back(thing(EXPLOSION, 110, 100, 45, 20));
  EXPECT_EQ(dangerOfMove(calm, 0, 0, false), 0.0f);
}

TEST(PilotAim, PicksTheDirectionThatHits) {
  pilotView view = shipAt(50, 100);
  view.things.push_back(enemyAt(250, 100));
  EXPECT_EQ(bestFireDirection(view, view.x, view.y), EAST);

  view.things = {enemyAt(30, 30)};
  view.x = 30;
  view.y = 200;
  EXPECT_EQ(bestFireDirection(view, view.x, view.y), NORTH);

  view.things = {enemyAt(10, 210)};
  view.x = 10;
  view.y = 40;
  EXPECT_EQ(bestFireDirection(view, view.x, view.y), SOUTH);

  view.things = {enemyAt(5, 120)};
  view.x = 200;
  view.y = 120;
  EXPECT_EQ(bestFireDirection(view, view.x, view.y), WEST);

  // On the diagonals, from the gun ports of the table the enemy list uses.
  view.things = {enemyAt(185, 40)};
  view.x = 40;
  view.y = 200;
  EXPECT_EQ(bestFireDirection(view, view.x, view.y), NORTH_EAST);
  view.things = {enemyAt(185, 205)};
  view.x = 40;
  view.y = 40;
  EXPECT_EQ(bestFireDirection(view, view.x, view.y), SOUTH_EAST);
  view.things = {enemyAt(40, 200)};
  view.x = 200;
  view.y = 40;
  EXPECT_EQ(bestFireDirection(view, view.x, view.y), SOUTH_WEST);
  view.things = {enemyAt(40, 40)};
  view.x = 200;
  view.y = 200;
  EXPECT_EQ(bestFireDirection(view, view.x, view.y), NORTH_WEST);
}

TEST(PilotAim, LeadsAMovingTargetAndIgnoresWhatCannotBeShot) {
  // An enemy crossing downwards far to the right is met where it will be.
  pilotView view = shipAt(20, 100);
  view.things.push_back(enemyAt(270, 60, 0, 1.5f));
  EXPECT_EQ(bestFireDirection(view, view.x, view.y), EAST);
  // Nothing on any line of fire: no direction.
  view.things = {enemyAt(200, 150)};
  view.x = 20;
  view.y = 30;
  EXPECT_EQ(bestFireDirection(view, view.x, view.y), 0);
  // Shots, power-ups and explosions are no targets.
  view.things = {bulletAt(250, 30, 0, 0), thing(POWER_UP, 250, 30, 20, 20),
                 thing(EXPLOSION, 250, 30, 45, 20)};
  EXPECT_EQ(bestFireDirection(view, view.x, view.y), 0);
  // With no target the pilot still fires ahead.
  EXPECT_EQ(decidePilotCommand(view).fireDirection, EAST);
}

TEST(PilotBombs, OnlyWhenCrowdedWithBombsLeftAndNoSweepOut) {
  pilotView view = shipAt(40, 120);
  for (int i = 0; i < 5; i++) view.things.push_back(enemyAt(90 + 15 * i, 50 + 30 * i));
  EXPECT_TRUE(decidePilotCommand(view).bomb);
  view.bombs = 0;
  EXPECT_FALSE(decidePilotCommand(view).bomb);
  view.bombs = 2;
  view.things.push_back(thing(SMART_BOMB, 30, 25, 10, 215, 1, 0));
  EXPECT_FALSE(decidePilotCommand(view).bomb);
  pilotView quiet = shipAt(40, 120);
  quiet.things.push_back(enemyAt(250, 120));
  quiet.things.push_back(enemyAt(250, 40));
  EXPECT_FALSE(decidePilotCommand(quiet).bomb);
}

TEST(PilotKeys, HoldsWhatAKeyboardPlayerWould) {
  pilotCommand c;
  c.moveX = -1;
  c.moveY = 1;
  c.fireDirection = NORTH_WEST;
  std::vector<SDLKey> keys = keysForCommand(c);
  EXPECT_TRUE(has(keys, SDLK_LEFT));
  EXPECT_TRUE(has(keys, SDLK_DOWN));
  EXPECT_FALSE(has(keys, SDLK_RIGHT));
  EXPECT_FALSE(has(keys, SDLK_UP));
  EXPECT_TRUE(has(keys, SDLK_a));
  EXPECT_TRUE(has(keys, SDLK_w));
  EXPECT_FALSE(has(keys, SDLK_e));
  EXPECT_FALSE(has(keys, SDLK_q));
  EXPECT_EQ(keys.size(), 4u);

  const struct {
    int direction;
    SDLKey first, second;
  } pairs[] = {{NORTH_EAST, SDLK_w, SDLK_d},
               {SOUTH_EAST, SDLK_d, SDLK_s},
               {SOUTH_WEST, SDLK_a, SDLK_s}};
  for (const auto& p : pairs) {
    pilotCommand diagonal;
    diagonal.fireDirection = p.direction;
    keys = keysForCommand(diagonal);
    EXPECT_EQ(keys.size(), 2u);
    EXPECT_TRUE(has(keys, p.first) && has(keys, p.second)) << p.direction;
  }
  const struct {
    int direction;
    SDLKey key;
  } singles[] = {{NORTH, SDLK_w}, {EAST, SDLK_d}, {SOUTH, SDLK_s}, {WEST, SDLK_a}};
  for (const auto& s : singles) {
    pilotCommand straight;
    straight.fireDirection = s.direction;
    keys = keysForCommand(straight);
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0], s.key);
  }
  pilotCommand bombing;
  bombing.bomb = true;
  bombing.boost = true;
  bombing.moveY = -1;
  keys = keysForCommand(bombing);
  EXPECT_TRUE(has(keys, SDLK_q));
  EXPECT_TRUE(has(keys, SDLK_e));
  EXPECT_TRUE(has(keys, SDLK_UP));
  EXPECT_TRUE(keysForCommand(pilotCommand()).empty());
}
