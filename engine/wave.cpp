// Wavelets, waves and the wave list: the recorded enemy-list operations that release a
// level's enemies, one wave at a time.
#include "engine/wave.h"

#include "engine/enemy_list.h"
#include "platform/constants.h"

wavelet::wavelet(int wLActionIdC, int wLTIdC, float wLDirC, float wLSpC, float wLX1C, float wLY1C,
                 enemy* wLAC, int wLAl1C, int wLW1C, int wLH1C)
    : wLActionId(wLActionIdC),
      wLTId(wLTIdC),
      wLDir(wLDirC),
      wLSp(wLSpC),
      wLX1(wLX1C),
      wLY1(wLY1C),
      wLA(wLAC),
      wLAl1(wLAl1C),
      wLW1(wLW1C),
      wLH1(wLH1C),
      wLIndex(0),
      wLAId(0),
      wLSX(0.0f),
      wLSY(0.0f),
      wLFX(0.0f),
      wLFY(0.0f),
      wLNA(0),
      wLDur(0),
      next(nullptr) {}

wavelet::wavelet(int /*uselessInt*/, int wLActionIdC, int wLIndexC, int wLAIdC, float wLSXC,
                 float wLSYC, float wLFXC, float wLFYC, float wLSpC, int wLNAC, int wLDurC)
    : wLActionId(wLActionIdC),
      wLTId(0),
      wLDir(0.0f),
      wLSp(wLSpC),
      wLX1(0.0f),
      wLY1(0.0f),
      wLA(nullptr),
      wLAl1(0),
      wLW1(0),
      wLH1(0),
      wLIndex(wLIndexC),
      wLAId(wLAIdC),
      wLSX(wLSXC),
      wLSY(wLSYC),
      wLFX(wLFXC),
      wLFY(wLFYC),
      wLNA(wLNAC),
      wLDur(wLDurC),
      next(nullptr) {}

wave::wave() : first(nullptr), next(nullptr) {}

wave::~wave() {
  while (first != nullptr) {
    wavelet* doomed = first;
    first = first->next;
    delete doomed;
  }
}

void wave::append(wavelet* toAdd) {
  if (toAdd == nullptr) return;
  if (first == nullptr) {
    first = toAdd;
    return;
  }
  wavelet* last = first;
  while (last->next != nullptr) last = last->next;
  last->next = toAdd;
}

static int addEnemyOf(enemyList* eList, const wavelet* w) {
  return eList->addEnemy(w->wLTId, w->wLDir, w->wLSp, w->wLX1, w->wLY1, w->wLA, w->wLAl1, w->wLW1,
                         w->wLH1);
}

// Later wavelets act on the enemy added last (the current index). Indices handed out here
// stay valid to the end, because the list only grows while a wave executes.
void wave::execute(enemyList* eList) {
  if (eList == nullptr) return;
  int current = 0;
  bool addedOne = false;  // has this wave added an enemy yet?
  for (const wavelet* w = first; w != nullptr; w = w->next) {
    switch (w->wLActionId) {
      case ADD_ENEMY:
        current = addEnemyOf(eList, w);
        addedOne = true;
        break;
      case ADD_ENEMY_ALLIED: {
        int previous = current;
        current = addEnemyOf(eList, w);
        // Without an enemy of this wave before it there is no partner: index 0 would be
        // a leftover shot or explosion, or (on an empty list) the new enemy itself, which
        // would make the ally chain a loop.
        if (addedOne) eList->addAlly(previous, current);
        addedOne = true;
        break;
      }
      case ADD_ACTION:
        if (eList->first != nullptr)
          eList->addAction(current, w->wLAId, w->wLSX, w->wLSY, w->wLFX, w->wLFY, w->wLSp, w->wLNA,
                           w->wLDur);
        break;
      case SET_HEALTH:
        if (eList->first != nullptr) eList->setHealth(current, static_cast<int>(w->wLSX));
        break;
      default: break;  // unknown operations are skipped
    }
  }
}

waveList::waveList(enemyList* eListC) : eList(eListC), first(nullptr) {}

waveList::~waveList() {
  while (first != nullptr) {
    wave* doomed = first;
    first = first->next;
    delete doomed;
  }
}

void waveList::append(wave* toAdd) {
  if (toAdd == nullptr) return;
  if (first == nullptr) {
    first = toAdd;
    return;
  }
  wave* last = first;
  while (last->next != nullptr) last = last->next;
  last->next = toAdd;
}

bool waveList::nextWave() {
  if (first == nullptr) return false;
  wave* released = first;
  first = released->next;
  released->next = nullptr;
  released->execute(eList);
  delete released;
  return true;
}
