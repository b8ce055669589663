// The built-in pilot: looks at the running level without changing it and decides, once
// per frame, which keys a player would hold: arrows to dodge enemies and their shots,
// the fire keys for the one of eight directions that hits something soonest, "e" to
// hurry out of danger and "q" for a smart bomb when the screen gets crowded.
#pragma once
#include <SDL/SDL.h>

#include <map>
#include <utility>
#include <vector>

class avatar;
class enemy;
class enemyList;

// One object of the level as the pilot sees it.
struct pilotThing {
  float x = 0, y = 0;  // top-left, pixels
  int width = 0, height = 0;
  int alignment = 0;
  int typeId = 0;
  int health = 0;
  float dx = 0, dy = 0;  // estimated pixels per tick
};

struct pilotView {
  float x = 0, y = 0;  // the ship's top-left
  int width = 45, height = 20;
  int health = 0;
  int bombs = 0;
  int invincibleTicks = 0;
  int firePower = 1;
  std::vector<pilotThing> things;
};

struct pilotCommand {
  int moveX = 0;  // -1 left, 0, 1 right
  int moveY = 0;  // -1 up, 0, 1 down
  bool boost = false;
  int fireDirection = 0;  // NORTH to NORTH_WEST, 0 to hold fire
  bool bomb = false;
};

// Where the ship would be after holding a move for ticks ticks, kept on the play field.
void projectShip(const pilotView& view, int moveX, int moveY, bool boost, int ticks, float& x,
                 float& y);
// Danger of holding the move over the next ticks: large when something would touch the
// ship, smaller for near misses. Ignores contacts while the ship is still invincible.
float dangerOfMove(const pilotView& view, int moveX, int moveY, bool boost);
// The direction (NORTH..NORTH_WEST) whose volley, fired from the ship at (shipX, shipY),
// meets an enemy soonest; 0 when no direction hits anything.
int bestFireDirection(const pilotView& view, float shipX, float shipY);
// The whole decision for one frame.
pilotCommand decidePilotCommand(const pilotView& view);
// The keys a keyboard player holds for the command, in a fixed order.
std::vector<SDLKey> keysForCommand(const pilotCommand& command);

// Builds views from a running level, estimating how scripted objects move from where
// they were one observation earlier.
class pilotObserver {
 public:
  pilotView observe(avatar* ship, enemyList* list);
  void forget() { lastPositions.clear(); }

 private:
  std::map<const enemy*, std::pair<float, float>> lastPositions;
};
