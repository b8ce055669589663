// Every scripted object of a level: enemy craft and bosses, both sides' shots,
// explosions, power-ups and the smart-bomb sweep.
#pragma once
#include "engine/game_action.h"
#include "engine/sprite.h"

class avatar;

class enemy : public sprite {
 public:
  gameActionList actionList;
  enemy* ally;
  enemy* nextAlly;  // ally chain: members of one body share every hit
  enemy* previousAlly;
  int timer;         // ticks left of a WAIT step
  float xIncrement;  // pixels per tick when flying straight
  float yIncrement;
  bool isWhite;
  int refTypeId;
  enemy* next;  // enemy list links
  enemy* previous;

  enemy(int tId, float dir, float sp, float x1, float y1, enemy* a, int al1, int w1, int h1);

  void update(int timeElapsed, avatar* av);
  void addAction(int aId, float sX, float sY, float fX, float fY, float sp, int nA, int dur);
  void lastAction();  // the death effect
  void append(enemy* toAdd);
  void turnWhite();
  void workOutIncrements();  // the increments of direction and speed, without the memo

 private:
  void setIncrements();
  void animate(int timeElapsed);
  void flyStraight(int timeElapsed);
  void followScript(int timeElapsed, avatar* av);
  void fireAimed(float targetX, float targetY);
  void dropPowerUp();
};
