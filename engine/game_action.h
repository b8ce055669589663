// Action scripts: a list of move, wait and fire steps with relative jumps, and the
// cursor that runs them for a scripted object.
#pragma once

// Compass direction (NORTH to NORTH_WEST, 0 if none) and velocity of a straight move.
struct moveVelocity {
  int direction;
  float xMultiplier;  // pixels per tick
  float yMultiplier;
};
// The move by (dx, dy) at speed s, worked out afresh; a step's constructor remembers it.
moveVelocity velocityOf(float dx, float dy, double s);

class gameAction {
 public:
  bool started;
  int actionId;  // MOVE, WAIT, HOME, FIRE_AIMED or FIRE_PATH
  float startX;
  float startY;
  float finishX;
  float finishY;
  float speed;     // pixels per tick
  int nextAction;  // relative jump once finished: +n forward, -n back, 0 stay
  int duration;    // ticks
  int timer;
  float xIncrement;
  float yIncrement;
  float xMultiplier;  // velocity of a move, pixels per tick
  float yMultiplier;
  int direction;  // compass direction of a move, NORTH to NORTH_WEST; 0 if none
  gameAction* next;
  gameAction* previous;

  gameAction(int aId, float sX, float sY, float fX, float fY, float sp, int nA, int dur);
};

class gameActionList {
 public:
  gameAction* first;
  gameAction* current;  // the step the next newXY runs

  gameActionList();
  ~gameActionList();
  gameActionList(const gameActionList&) = delete;
  gameActionList& operator=(const gameActionList&) = delete;

  void addAction(int aId, float sX, float sY, float fX, float fY, float sp, int nA, int dur);
  void nextAction();
  // Runs the current step for timeElapsed ticks on (curX, curY); myRef receives the
  // step's duration; returns the step's actionId (0 for an empty script).
  int newXY(float& curX, float& curY, int timeElapsed, int& myRef);
};
