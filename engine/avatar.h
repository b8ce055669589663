// The player's ship, which is also the input handler during play: it drains the event
// queue each frame, moves, raises shot and smart-bomb requests and collects power-ups.
#pragma once
#include "engine/sprite.h"

class avatar : public sprite {
 public:
  bool dPadLeft;
  bool dPadUpLeft;
  bool dPadUp;
  bool dPadUpRight;
  bool dPadRight;
  bool dPadDownRight;
  bool dPadDown;
  bool dPadDownLeft;
  bool aButton;  // fires west
  bool bButton;  // fires east
  bool xButton;  // fires south
  bool yButton;  // fires north
  bool lButton;  // smart bomb
  bool rButton;  // speed boost
  bool volUpButton;
  bool volDownButton;
  bool selectButton;
  bool startButton;  // held start: one press toggles the pause once
  bool dead;
  int bulletInterval;  // least ticks between two volleys
  int bulletTimer;     // ticks since the last volley
  bool bulletWaiting;
  int invincible;  // ticks of invincibility left
  bool isWhite;
  int refTypeId;
  int bulletDirection;  // NORTH to NORTH_WEST, 0 before the first volley
  int firePower;        // guns per volley, 1 to 3
  bool bulletsWaiting[3];
  bool smartBombWaiting;
  int score;
  int bombs;
  bool avQuit;

  avatar(int tId, float dir, float sp, float x1, float y1, int w1, int h1, int bulletInt);

  void update(int timeElapsed);
  void fireBullet();
  void fireSmartBomb();
  bool isFiring(int index);  // reads and clears the request of one gun
  bool isBombing();          // reads and clears the smart-bomb request
  int getBulletDirection() { return bulletDirection; }
  void takeHit(int strength);
  int isInvincible() { return invincible; }
  bool isDead();  // true once per death
  bool getQuit() { return avQuit; }
  int getBombs() { return bombs; }
  int getScore() { return score; }
  int getHealth() { return health; }
  void setHealth(int h1) { health = h1; }
  void addToScore(int toAdd) { score += toAdd; }

 private:
  void collectPowerUps();
  void flicker(int timeElapsed);
  void handleEvent(const SDL_Event& event);
  void handleKey(SDLKey key, bool down);
  void handleJoyButton(int button, bool down);
  bool* keyFlag(SDLKey key);        // the held flag a key drives, or null
  bool* joyButtonFlag(int button);  // the held flag a joystick button drives, or null
  void fireNow();
  void smartBombPressed();
  void boostPressed();
  void togglePause();
  void volumeUp();
  void volumeDown();
  void move(int timeElapsed);
  void fire();
  void clamp();
};
