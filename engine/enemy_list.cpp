// The enemy list: ownership and index-based set-up of the scripted objects, launching the
// ship's shots and smart bombs, stepping every entry, and drawing.
#include "engine/enemy_list.h"

#include "engine/avatar.h"
#include "engine/enemy.h"
#include "platform/constants.h"
#include "platform/globals.h"

namespace {
constexpr float SHOT_SPEED = 10.0f;  // the ship's shots, pixels per tick
constexpr int SHOT_SIZE = 10;        // pixels, square
constexpr float SWEEP_SPEED = 1.0f;  // the smart-bomb bar, pixels per tick
constexpr int SWEEP_WIDTH = 10;
constexpr int GUNS = 3;

// Spawn point of one gun relative to the ship at (x, y) with width W and height H:
// (x + wFactor * W + dx, y + hFactor * H + dy).
struct spawnPoint {
  float wFactor;
  float dx;
  float hFactor;
  float dy;
};

struct gunRow {
  float bearing;
  spawnPoint guns[GUNS];
};

// Indexed by firing direction - 1 (NORTH first, clockwise).
const gunRow GUN_TABLE[8] = {
    {0.0f, {{0, 20, 0, -10}, {0, 10, 0, -10}, {0, 30, 0, -10}}},
    {ARC_PIT025, {{1, 0, 0, -10}, {1, 10, 0, 0}, {1, -10, 0, -20}}},
    {ARC_PIT050, {{1, 0, 0, 0}, {1, 0, 0, 10}, {1, 0, 0, -10}}},
    {ARC_PIT075, {{1, 0, 1, 0}, {1, 10, 1, -10}, {1, -10, 1, 10}}},
    {ARC_PI, {{0, 20, 1, 0}, {0, 10, 1, 0}, {0, 30, 1, 0}}},
    {ARC_PIT125, {{0, -10, 1, 0}, {0, 0, 1, 10}, {0, -20, 1, -10}}},
    {ARC_PIT150, {{0, -10, 0, 0}, {0, -10, 0, 10}, {0, -10, 0, -10}}},
    {ARC_PIT175, {{0, -10, 0, -10}, {0, 0, 0, -20}, {0, -20, 0, 0}}},
};
}  // namespace

enemyList::enemyList() : first(nullptr) {}

enemyList::~enemyList() {
  enemy* entry = first;
  while (entry != nullptr) {
    enemy* following = entry->next;
    delete entry;
    entry = following;
  }
}

enemy* enemyList::entryAt(int index) {
  if (index < 0) return nullptr;
  enemy* entry = first;
  for (int i = 0; i < index && entry != nullptr; i++) entry = entry->next;
  return entry;
}

enemy* enemyList::linkAtEnd(enemy* en) {
  if (first == nullptr) {
    first = en;
  } else {
    first->append(en);
  }
  return en;
}

int enemyList::addEnemy(int tId, float dir, float sp, float x1, float y1, enemy* a, int al1, int w1,
                        int h1) {
  int index = 0;
  for (enemy* entry = first; entry != nullptr; entry = entry->next) index++;
  linkAtEnd(new enemy(tId, dir, sp, x1, y1, a, al1, w1, h1));
  return index;
}

void enemyList::addAction(int index, int aId, float sX, float sY, float fX, float fY, float sp,
                          int nA, int dur) {
  // A list of one entry takes the step whatever the index.
  enemy* target = (first != nullptr && first->next == nullptr) ? first : entryAt(index);
  if (target != nullptr) target->addAction(aId, sX, sY, fX, fY, sp, nA, dur);
}

void enemyList::addAlly(int index1, int index2) {
  if (index1 == index2) return;  // an entry allied to itself would make an endless chain
  enemy* earlier = entryAt(index1);
  enemy* later = entryAt(index2);
  if (earlier == nullptr || later == nullptr) return;
  earlier->nextAlly = later;
  later->previousAlly = earlier;
}

void enemyList::setHealth(int index, int h1) {
  enemy* target = entryAt(index);
  if (target != nullptr) target->health = h1;
}

void enemyList::update(int timeElapsed, avatar* av) {
  if (av->isBombing()) {
    smartBombSoundWaiting = true;
    addEnemy(DEFAULT_SMART_BOMB, DTR90, SWEEP_SPEED, SCREEN_LEFT, SCREEN_TOP, nullptr, SMART_BOMB,
             SWEEP_WIDTH, SCREEN_BOTTOM - SCREEN_TOP);
  }
  for (int gun = 0; gun < GUNS; gun++) {
    if (!av->isFiring(gun)) continue;
    if (gun == 0) avatarGunSoundWaiting = true;
    launchShot(av, gun);
  }
  // Shots appended by the walk are reached by it and move in the same frame.
  for (enemy* entry = first; entry != nullptr; entry = entry->next) entry->update(timeElapsed, av);
}

void enemyList::launchShot(avatar* av, int gun) {
  const int b = av->getBulletDirection();
  if (b < NORTH || b > NORTH_WEST) return;
  const gunRow& row = GUN_TABLE[b - NORTH];
  const spawnPoint& at = row.guns[gun];
  const float x = av->getX() + at.wFactor * av->getWidth() + at.dx;
  const float y = av->getY() + at.hFactor * av->getHeight() + at.dy;
  addEnemy(DEFAULT_AVATAR_BULLET, row.bearing, SHOT_SPEED, x, y, nullptr, PLAYER_1_BULLET,
           SHOT_SIZE, SHOT_SIZE);
}

void enemyList::removeEnemy(enemy* en) {
  if (en == nullptr) return;
  unlinkAllies(en);
  if (en->previous != nullptr) en->previous->next = en->next;
  if (en->next != nullptr) en->next->previous = en->previous;
  if (first == en) first = en->next;
  delete en;
}

void enemyList::removeEnemy(int index) { removeEnemy(entryAt(index)); }

// Mends the ally chain around en (its neighbours become each other's) and makes sure no
// entry is left pointing at it.
void enemyList::unlinkAllies(enemy* en) {
  enemy* before = en->previousAlly;
  enemy* after = en->nextAlly;
  if (before == after) after = nullptr;  // a two-member ring must not become a self-link
  if (before != nullptr && before->nextAlly == en) before->nextAlly = after;
  if (after != nullptr && after->previousAlly == en) after->previousAlly = before;
  for (enemy* entry = first; entry != nullptr; entry = entry->next) {
    if (entry->nextAlly == en) entry->nextAlly = nullptr;
    if (entry->previousAlly == en) entry->previousAlly = nullptr;
  }
  en->nextAlly = nullptr;
  en->previousAlly = nullptr;
}

void enemyList::draw(spriteType** sTArray, SDL_Surface* screenSurface) {
  for (enemy* entry = first; entry != nullptr; entry = entry->next)
    entry->draw(sTArray, screenSurface);
}

int enemyList::enemyCount() {
  int count = 0;
  for (enemy* entry = first; entry != nullptr; entry = entry->next) {
    if (entry->alignment == ENEMY || entry->alignment == SMART_BOMB) count++;
  }
  return count;
}
