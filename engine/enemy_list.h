// The list that owns every scripted object of a level, launches the ship's shots and
// smart bombs, moves everything and resolves combat.
#pragma once
#include <SDL/SDL.h>

class avatar;
class enemy;
class spriteType;

class enemyList {
 public:
  enemy* first;

  enemyList();
  ~enemyList();
  enemyList(const enemyList&) = delete;
  enemyList& operator=(const enemyList&) = delete;

  int addEnemy(int tId, float dir, float sp, float x1, float y1, enemy* a, int al1, int w1, int h1);
  void addAction(int index, int aId, float sX, float sY, float fX, float fY, float sp, int nA,
                 int dur);
  void addAlly(int index1, int index2);
  void setHealth(int index, int h1);
  void update(int timeElapsed, avatar* av);
  void healthUpdate();
  void healthUpdate(avatar* av);
  void clearDead();
  void removeEnemy(enemy* en);
  void removeEnemy(int index);
  void draw(spriteType** sTArray, SDL_Surface* screenSurface);
  int enemyCount();  // entries aligned ENEMY or SMART_BOMB

 private:
  enemy* entryAt(int index);  // null when index is negative or past the end
  enemy* linkAtEnd(enemy* en);
  void launchShot(avatar* av, int gun);
  void unlinkAllies(enemy* en);
  int firstHitOn(enemy* target);
  void shareWithAllies(enemy* struck, int change, bool flash);
};
