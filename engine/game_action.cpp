// Action scripts: step construction (compass direction and velocity of a move), the
// cursor walk with relative jumps, and running one step on the owner's position.
#include "engine/game_action.h"

#include <cmath>
#include <cstdint>

#include "engine/per_tick.h"
#include "platform/constants.h"

// The trigonometry runs in double precision; the results are kept as floats.
moveVelocity velocityOf(float dx, float dy, double s) {
  if (dx == 0.0f && dy < 0.0f) return {NORTH, 0.0f, static_cast<float>(-s)};
  if (dx == 0.0f && dy > 0.0f) return {SOUTH, 0.0f, static_cast<float>(s)};
  if (dy == 0.0f && dx > 0.0f) return {EAST, static_cast<float>(s), 0.0f};
  if (dy == 0.0f && dx < 0.0f) return {WEST, static_cast<float>(-s), 0.0f};
  if (dx == 0.0f && dy == 0.0f) return {0, 0.0f, 0.0f};
  // Diagonal: a is the angle from the horizontal, between 0 and a quarter turn.
  const double a =
      std::atan(std::fabs(static_cast<double>(dy)) / std::fabs(static_cast<double>(dx)));
  const float along = static_cast<float>(s * std::cos(a));
  const float across = static_cast<float>(s * std::sin(a));
  if (dx > 0.0f && dy < 0.0f) return {NORTH_EAST, along, -across};
  if (dx > 0.0f && dy > 0.0f) return {SOUTH_EAST, along, across};
  if (dx < 0.0f && dy > 0.0f) return {SOUTH_WEST, -along, across};
  return {NORTH_WEST, -along, -across};
}

namespace {

// A wave writes all its enemies' scripts in one frame, and the enemies of a formation
// repeat the same moves: each distinct move's trigonometry (hundreds of library calls on a
// processor without floating point) is done once. Entries are found by the inputs' bits,
// so a found entry holds exactly what velocityOf returns for them.
struct velocityMemo {
  bool filled;
  std::uint32_t dx, dy, s;
  moveVelocity velocity;
};
const int VELOCITY_MEMO_SLOTS = 64;
velocityMemo velocityMemos[VELOCITY_MEMO_SLOTS];

moveVelocity rememberedVelocityOf(float dx, float dy, float s) {
  const std::uint32_t bx = bitsOf(dx), by = bitsOf(dy), bs = bitsOf(s);
  const std::uint32_t mixed = (bx * 31u + by) * 31u + bs;
  velocityMemo& memo = velocityMemos[(mixed ^ mixed >> 16) % VELOCITY_MEMO_SLOTS];
  if (!memo.filled || memo.dx != bx || memo.dy != by || memo.s != bs) {
    memo = {true, bx, by, bs, velocityOf(dx, dy, s)};
  }
  return memo.velocity;
}

// Whether a move heading in compass direction dir has reached or passed its finish.
// Diagonals are judged by x alone; a move without a direction never arrives.
bool hasArrived(int dir, float curX, float curY, float finishX, float finishY) {
  switch (dir) {
    case NORTH_WEST:
    case SOUTH_WEST:
    case WEST: return finishX >= curX;
    case NORTH_EAST:
    case EAST:
    case SOUTH_EAST: return curX >= finishX;
    case SOUTH: return curY >= finishY;
    case NORTH: return finishY >= curY;
    default: return false;
  }
}
}  // namespace

gameAction::gameAction(int aId, float sX, float sY, float fX, float fY, float sp, int nA, int dur)
    : started(false),
      actionId(aId),
      startX(sX),
      startY(sY),
      finishX(fX),
      finishY(fY),
      speed(sp),
      nextAction(nA),
      duration(dur),
      timer(0),
      xIncrement(0.0f),
      yIncrement(0.0f),
      xMultiplier(0.0f),
      yMultiplier(0.0f),
      direction(0),
      next(nullptr),
      previous(nullptr) {
  const moveVelocity v = rememberedVelocityOf(fX - sX, fY - sY, sp);
  direction = v.direction;
  xMultiplier = v.xMultiplier;
  yMultiplier = v.yMultiplier;
}

gameActionList::gameActionList() : first(nullptr), current(nullptr) {}

gameActionList::~gameActionList() {
  gameAction* step = first;
  while (step != nullptr) {
    gameAction* following = step->next;
    delete step;
    step = following;
  }
}

void gameActionList::addAction(int aId, float sX, float sY, float fX, float fY, float sp, int nA,
                               int dur) {
  gameAction* step = new gameAction(aId, sX, sY, fX, fY, sp, nA, dur);
  if (first == nullptr) {
    first = step;
    current = step;
    return;
  }
  gameAction* last = first;
  while (last->next != nullptr) last = last->next;
  last->next = step;
  step->previous = last;
}

void gameActionList::nextAction() {
  if (current == nullptr) {
    current = first;
    return;
  }
  int jump = current->nextAction;
  // A jump that runs off either end leaves the cursor null: the script starts over.
  while (jump > 0 && current != nullptr) {
    current = current->next;
    jump--;
  }
  while (jump < 0 && current != nullptr) {
    current = current->previous;
    jump++;
  }
}

int gameActionList::newXY(float& curX, float& curY, int timeElapsed, int& myRef) {
  if (current == nullptr) current = first;
  if (current == nullptr) {
    myRef = 0;
    return 0;
  }
  gameAction* step = current;
  myRef = step->duration;
  switch (step->actionId) {
    case MOVE:
      curX += overTicks(timeElapsed, step->xMultiplier);
      curY += overTicks(timeElapsed, step->yMultiplier);
      if (hasArrived(step->direction, curX, curY, step->finishX, step->finishY)) {
        // The snap discards the overshoot of the last call.
        curX = step->finishX;
        curY = step->finishY;
        nextAction();
      }
      break;
    case WAIT:
    case FIRE_AIMED:
    case FIRE_PATH: nextAction(); break;
    default: break;  // HOME and unknown kinds hold the script on this step
  }
  return step->actionId;
}
