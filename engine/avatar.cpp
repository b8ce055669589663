// The player's ship: input from the event queue (keyboard and the handheld's joystick
// buttons), pause and volume, movement, volleys, power-up collection and hits.
#include "engine/avatar.h"

#include <SDL/SDL_mixer.h>

#include "engine/per_tick.h"
#include "platform/constants.h"
#include "platform/globals.h"
#include "platform/input.h"

namespace {
constexpr float CRUISE_SPEED = 2.0f;  // pixels per tick
constexpr float BOOST_SPEED = 5.0f;   // pixels per tick while R is held
constexpr int VOLUME_STEP = 10;
constexpr int VOLUME_TOP = 120;  // highest volume the keys reach (mixer scale 0 to 128)
constexpr int LAST_JOY_BUTTON = 17;

// Firing directions by held fire buttons; the first row whose buttons are all held wins.
// Single-button rows name their button twice.
struct fireRow {
  bool avatar::*one;
  bool avatar::*other;
  int direction;
};
const fireRow FIRE_TABLE[] = {
    {&avatar::aButton, &avatar::bButton, EAST},
    {&avatar::aButton, &avatar::yButton, NORTH_WEST},
    {&avatar::aButton, &avatar::xButton, SOUTH_WEST},
    {&avatar::yButton, &avatar::xButton, NORTH},
    {&avatar::yButton, &avatar::bButton, NORTH_EAST},
    {&avatar::bButton, &avatar::xButton, SOUTH_EAST},
    {&avatar::xButton, &avatar::xButton, SOUTH},
    {&avatar::aButton, &avatar::aButton, WEST},
    {&avatar::bButton, &avatar::bButton, EAST},
    {&avatar::yButton, &avatar::yButton, NORTH},
};

// For the trace of what the player's input did, indexed by direction (NORTH is 1).
const char* const DIRECTION_NAMES[] = {"none",       "north",      "north-east",
                                       "east",       "south-east", "south",
                                       "south-west", "west",       "north-west"};

void applyVolume() {
  Mix_Volume(-1, master_volume);
  Mix_VolumeMusic(master_volume);
}
}  // namespace

avatar::avatar(int tId, float dir, float sp, float x1, float y1, int w1, int h1, int bulletInt)
    : sprite(tId, dir, sp, x1, y1, 1, PLAYER_1, w1, h1),
      dPadLeft(false),
      dPadUpLeft(false),
      dPadUp(false),
      dPadUpRight(false),
      dPadRight(false),
      dPadDownRight(false),
      dPadDown(false),
      dPadDownLeft(false),
      aButton(false),
      bButton(false),
      xButton(false),
      yButton(false),
      lButton(false),
      rButton(false),
      volUpButton(false),
      volDownButton(false),
      selectButton(false),
      startButton(false),
      dead(false),
      bulletInterval(bulletInt),
      bulletTimer(0),
      bulletWaiting(false),
      invincible(0),
      isWhite(false),
      refTypeId(tId),
      bulletDirection(0),
      firePower(1),
      bulletsWaiting{false, false, false},
      smartBombWaiting(false),
      score(0),
      bombs(3),
      avQuit(false) {}

void avatar::update(int timeElapsed) {
  frame += timeElapsed;
  if (frame >= maxFrame) frame = 0;  // an overshoot starts the cycle again
  collectPowerUps();
  score += globalScore;
  globalScore = 0;
  flicker(timeElapsed);
  bulletTimer += timeElapsed;
  SDL_Event event;
  while (pollInputEvent(&event)) handleEvent(event);
  if (!globalPaused) {
    move(timeElapsed);
    fire();
  }
  clamp();
}

void avatar::collectPowerUps() {
  if (globalExtraLifeWaiting) {
    globalExtraLifeWaiting = false;
    health += 1;
    score += 100;
    healthPackSoundWaiting = true;
  }
  if (globalExtraBombWaiting) {
    globalExtraBombWaiting = false;
    bombs += 1;
    score += 100;
    extraBombSoundWaiting = true;
  }
  if (globalFirePowerWaiting) {
    globalFirePowerWaiting = false;
    if (firePower == 1) {
      doubleFireSoundWaiting = true;
    } else if (firePower == 2) {
      tripleFireSoundWaiting = true;
    } else {
      points100SoundWaiting = true;
    }
    if (firePower <= 2) firePower += 1;
    score += 100;
  }
}

// While invincible the ship alternates between its white and normal sheets every update,
// starting white right after a hit.
void avatar::flicker(int timeElapsed) {
  if (invincible <= 0) return;
  invincible -= timeElapsed;
  if (!isWhite) {
    isWhite = true;
    typeId = refTypeId;
  } else {
    isWhite = false;
    typeId = refTypeId + 1;
  }
  if (invincible <= 0) {
    typeId = refTypeId;
    isWhite = false;
    invincible = 0;
  }
}

void avatar::handleEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN: handleKey(event.key.keysym.sym, true); break;
    case SDL_KEYUP: handleKey(event.key.keysym.sym, false); break;
    case SDL_JOYBUTTONDOWN:
      if (event.jbutton.which == 0) handleJoyButton(event.jbutton.button, true);
      break;
    case SDL_JOYBUTTONUP:
      if (event.jbutton.which == 0) handleJoyButton(event.jbutton.button, false);
      break;
    default: break;  // everything else, the window's close request included, is ignored
  }
}

bool* avatar::keyFlag(SDLKey key) {
  switch (key) {
    case SDLK_LEFT: return &dPadLeft;
    case SDLK_UP: return &dPadUp;
    case SDLK_RIGHT: return &dPadRight;
    case SDLK_DOWN: return &dPadDown;
    case SDLK_a: return &aButton;
    case SDLK_d: return &bButton;
    case SDLK_s: return &xButton;
    case SDLK_w: return &yButton;
    case SDLK_q: return &lButton;
    case SDLK_e: return &rButton;
    case SDLK_p: return &startButton;
    case SDLK_o: return &selectButton;
    case SDLK_k: return &volDownButton;
    case SDLK_l: return &volUpButton;
    default: return nullptr;
  }
}

void avatar::handleKey(SDLKey key, bool down) {
  // The press action runs before the held flag is raised: the pause toggle must see
  // whether start was already held.
  if (down) {
    switch (key) {
      case SDLK_a: fireNow(); break;
      case SDLK_q: smartBombPressed(); break;
      case SDLK_e: boostPressed(); break;
      case SDLK_p: togglePause(); break;
      case SDLK_k: volumeDown(); break;
      case SDLK_l: volumeUp(); break;
      case SDLK_ESCAPE: avQuit = true; break;
      case SDLK_SPACE: globalPaused = false; break;
      default: break;
    }
  } else if (key == SDLK_e) {
    speed = CRUISE_SPEED;
  }
  bool* held = keyFlag(key);
  if (held != nullptr) *held = down;
}

bool* avatar::joyButtonFlag(int button) {
  switch (button) {
    case 0: return &dPadUp;
    case 1: return &dPadUpLeft;
    case 2: return &dPadLeft;
    case 3: return &dPadDownLeft;
    case 4: return &dPadDown;
    case 5: return &dPadDownRight;
    case 6: return &dPadRight;
    case 7: return &dPadUpRight;
    case 8: return &startButton;
    case 9: return &selectButton;
    case 10: return &rButton;
    case 11: return &lButton;
    case 12: return &aButton;
    case 13: return &bButton;
    case 14: return &yButton;
    case 15: return &xButton;
    case 16: return &volUpButton;
    case 17: return &volDownButton;
    default: return nullptr;
  }
}

void avatar::handleJoyButton(int button, bool down) {
  if (button < 0 || button > LAST_JOY_BUTTON) return;
  if (down) {
    switch (button) {
      case 8: togglePause(); break;
      case 9: avQuit = true; break;
      case 10: boostPressed(); break;
      case 11: smartBombPressed(); break;
      case 12:
        fireNow();
        globalPaused = false;  // A also resumes a paused game
        break;
      case 16: volumeUp(); break;
      case 17: volumeDown(); break;
      default: break;
    }
  } else if (button == 10) {
    speed = CRUISE_SPEED;
  }
  *joyButtonFlag(button) = down;
}

void avatar::fireNow() {
  if (!globalPaused) bulletTimer = bulletInterval;  // a fresh press fires on the next update
}

void avatar::smartBombPressed() {
  if (!globalPaused) fireSmartBomb();
}

void avatar::boostPressed() {
  if (!globalPaused) speed = BOOST_SPEED;
}

void avatar::togglePause() {
  if (!globalPaused) {
    globalPaused = true;
  } else if (!startButton) {
    globalPaused = false;
  }
  startButton = true;
}

void avatar::volumeUp() {
  if (master_volume <= VOLUME_TOP - 1) master_volume += VOLUME_STEP;
  applyVolume();
}

void avatar::volumeDown() {
  if (master_volume > 0) master_volume -= VOLUME_STEP;
  applyVolume();
}

void avatar::move(int timeElapsed) {
  const float d = overTicks(timeElapsed, speed);
  if (dPadLeft) x -= d;
  if (dPadUpLeft) {
    x -= d;
    y -= d;
  }
  if (dPadUp) y -= d;
  if (dPadUpRight) {
    x += d;
    y -= d;
  }
  if (dPadRight) x += d;
  if (dPadDownRight) {
    x += d;
    y += d;
  }
  if (dPadDown) y += d;
  if (dPadDownLeft) {
    x -= d;
    y += d;
  }
}

void avatar::fire() {
  for (const fireRow& row : FIRE_TABLE) {
    if (this->*row.one && this->*row.other) {
      bulletDirection = row.direction;
      if (bulletTimer >= bulletInterval) {
        trace("ship fires %s", DIRECTION_NAMES[row.direction]);
        fireBullet();
        bulletTimer = 0;
      }
      return;
    }
  }
}

void avatar::clamp() {
  if (x < SCREEN_LEFT) x = SCREEN_LEFT;
  if (x > SCREEN_RIGHT - width) x = SCREEN_RIGHT - width;
  if (y < SCREEN_TOP) y = SCREEN_TOP;
  if (y > SCREEN_BOTTOM - height) y = SCREEN_BOTTOM - height;
}

void avatar::fireBullet() {
  for (int gun = 0; gun < firePower && gun < 3; gun++) bulletsWaiting[gun] = true;
}

void avatar::fireSmartBomb() {
  if (bombs >= 1 && !smartBombWaiting) {
    trace("ship drops a smart bomb");
    smartBombWaiting = true;
    bombs -= 1;
  }
}

bool avatar::isFiring(int index) {
  if (index < 0 || index > 2) return false;
  const bool waiting = bulletsWaiting[index];
  bulletsWaiting[index] = false;
  return waiting;
}

bool avatar::isBombing() {
  const bool waiting = smartBombWaiting;
  smartBombWaiting = false;
  return waiting;
}

void avatar::takeHit(int strength) {
  if (!active) return;
  health -= strength;
  isWhite = true;
  invincible = INVINCIBLE_TIME;
  if (health < 1) {
    active = false;
    dead = true;
  }
  if (firePower > 1) firePower -= 1;
}

bool avatar::isDead() {
  const bool wasDead = dead;
  dead = false;
  return wasDead;
}
