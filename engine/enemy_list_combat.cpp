// Combat on the enemy list: hits among the entries with damage shared along ally chains,
// contact with the ship, the ship's death explosion, and clearing the dead and departed.
#include "engine/enemy_list.h"

#include "engine/avatar.h"
#include "engine/enemy.h"
#include "platform/constants.h"
#include "platform/globals.h"

namespace {
constexpr float DEBRIS_SPEED = 3.0f;       // pixels per tick; explosions never move anyway
constexpr int SHIP_EXPLOSION_TICKS = 240;  // the ship's explosion outlasts an enemy's
constexpr int SHIP_EXPLOSION_WIDTH = 45;
constexpr int SHIP_EXPLOSION_HEIGHT = 20;

bool neverCollides(const enemy* entry) {
  return entry->alignment == HARMLESS || entry->alignment == EXPLOSION ||
         entry->alignment == SMART_BOMB;
}

void takeDamage(enemy* entry, int change, bool flash) {
  entry->health += change;
  if (flash) entry->turnWhite();
}

// An entry is kept while it lies strictly inside the play field widened by the buffer.
bool insideKeptArea(const enemy* entry) {
  return entry->x > SCREEN_LEFT - SCREEN_EDGE_BUFFER &&
         entry->x < SCREEN_RIGHT + SCREEN_EDGE_BUFFER &&
         entry->y > SCREEN_TOP - SCREEN_EDGE_BUFFER &&
         entry->y < SCREEN_BOTTOM + SCREEN_EDGE_BUFFER;
}
}  // namespace

int enemyList::firstHitOn(enemy* target) {
  for (enemy* other = first; other != nullptr; other = other->next) {
    const int change =
        target->hitTest(other->x, other->y, other->width, other->height, other->alignment);
    if (change != 0) return change;
  }
  return 0;
}

// Every member of the struck entry's body takes the same change: first along nextAlly,
// then along previousAlly. The walks are bounded by the list length so a malformed chain
// (a ring) cannot hang the frame.
void enemyList::shareWithAllies(enemy* struck, int change, bool flash) {
  int entries = 0;
  for (enemy* entry = first; entry != nullptr; entry = entry->next) entries++;
  int steps = 0;
  for (enemy* ally = struck->nextAlly; ally != nullptr && ally != struck && steps < entries;
       ally = ally->nextAlly, steps++) {
    takeDamage(ally, change, flash);
  }
  steps = 0;
  for (enemy* ally = struck->previousAlly; ally != nullptr && ally != struck && steps < entries;
       ally = ally->previousAlly, steps++) {
    takeDamage(ally, change, flash);
  }
}

void enemyList::healthUpdate() {
  if (first == nullptr || first->next == nullptr) return;
  for (enemy* entry = first; entry != nullptr; entry = entry->next) {
    if (neverCollides(entry)) continue;
    // Each entry takes at most one hit per frame: the first partner that touches it.
    const int change = firstHitOn(entry);
    if (change == 0) continue;
    const bool flash = entry->alignment == ENEMY;
    takeDamage(entry, change, flash);
    shareWithAllies(entry, change, flash);
  }
}

void enemyList::healthUpdate(avatar* av) {
  if (av->isDead()) {
    enemy* blast =
        linkAtEnd(new enemy(DEFAULT_EXPLOSION_0, 0.0f, DEBRIS_SPEED, av->getX(), av->getY(),
                            nullptr, EXPLOSION, SHIP_EXPLOSION_WIDTH, SHIP_EXPLOSION_HEIGHT));
    blast->setMaxFrame(SHIP_EXPLOSION_TICKS);
  }
  for (enemy* entry = first; entry != nullptr; entry = entry->next) {
    if (neverCollides(entry)) continue;
    const int change =
        entry->hitTest(av->getX(), av->getY(), av->getWidth(), av->getHeight(), PLAYER_1);
    if (change == 0) continue;
    // One contact per frame. An invincible ship shrugs off everything but power-ups.
    const bool powerUp = entry->alignment == POWER_UP;
    if (av->isInvincible() > 0 && !powerUp) return;
    entry->health += change;
    if (!powerUp) {
      avatarExplodeSoundWaiting = true;
      av->takeHit(1);
    }
    return;
  }
}

void enemyList::clearDead() {
  enemy* entry = first;
  while (entry != nullptr) {
    if (entry->health <= 0) {
      if (entry->alignment == ENEMY) enemyExplodeSoundWaiting = true;
      entry->lastAction();  // appends its explosion and drop, which this walk still visits
      enemy* following = entry->next;
      removeEnemy(entry);
      entry = following;
    } else if (!insideKeptArea(entry)) {
      enemy* following = entry->next;
      removeEnemy(entry);
      entry = following;
    } else {
      entry = entry->next;
    }
  }
}
