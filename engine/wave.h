// Wavelets (recorded operations on the enemy list), waves of them, and the queue of
// waves a level releases one by one.
#pragma once

class enemy;
class enemyList;

class wavelet {
 public:
  int wLActionId;  // ADD_ENEMY, ADD_ACTION, ADD_ENEMY_ALLIED or SET_HEALTH
  int wLTId;
  float wLDir;
  float wLSp;
  float wLX1;
  float wLY1;
  enemy* wLA;
  int wLAl1;
  int wLW1;
  int wLH1;
  int wLIndex;
  int wLAId;
  float wLSX;  // for SET_HEALTH: the health value
  float wLSY;
  float wLFX;
  float wLFY;
  int wLNA;
  int wLDur;
  wavelet* next;

  // The enemy form (ADD_ENEMY, ADD_ENEMY_ALLIED).
  wavelet(int wLActionIdC, int wLTIdC, float wLDirC, float wLSpC, float wLX1C, float wLY1C,
          enemy* wLAC, int wLAl1C, int wLW1C, int wLH1C);
  // The action form (ADD_ACTION, SET_HEALTH); the first argument only tells the forms apart.
  wavelet(int uselessInt, int wLActionIdC, int wLIndexC, int wLAIdC, float wLSXC, float wLSYC,
          float wLFXC, float wLFYC, float wLSpC, int wLNAC, int wLDurC);
};

class wave {
 public:
  wavelet* first;
  wave* next;

  wave();
  ~wave();
  wave(const wave&) = delete;
  wave& operator=(const wave&) = delete;
  void append(wavelet* toAdd);
  void execute(enemyList* eList);
};

class waveList {
 public:
  enemyList* eList;  // not owned
  wave* first;

  explicit waveList(enemyList* eListC);
  ~waveList();
  waveList(const waveList&) = delete;
  waveList& operator=(const waveList&) = delete;
  void append(wave* toAdd);
  bool nextWave();  // false when no wave is left
};
