// Definitions and start values of the process-wide variables.
#include "platform/globals.h"

SDL_Surface* globalScreen = nullptr;
SDL_Surface* levelScreen = nullptr;
SDL_Rect tempSrcRect = {0, 0, 320, 240};
SDL_Rect tempDstRect = {0, 0, 320, 240};

int globalScore = 0;
bool globalExtraLifeWaiting = false;
bool globalExtraBombWaiting = false;
bool globalFirePowerWaiting = false;
bool globalPaused = false;
int master_volume = 60;
int channel = 0;

bool avatarGunSoundWaiting = false;
bool enemyGunSoundWaiting = false;
bool avatarExplodeSoundWaiting = false;
bool enemyExplodeSoundWaiting = false;
bool doubleFireSoundWaiting = false;
bool tripleFireSoundWaiting = false;
bool points500SoundWaiting = false;
bool points100SoundWaiting = false;
bool healthPackSoundWaiting = false;
bool madeLeaderboardSoundWaiting = false;
bool extraBombSoundWaiting = false;
bool smartBombSoundWaiting = false;

void resetGlobals() {
  globalScore = 0;
  globalExtraLifeWaiting = globalExtraBombWaiting = globalFirePowerWaiting = false;
  globalPaused = false;
  master_volume = 60;
  channel = 0;
  avatarGunSoundWaiting = enemyGunSoundWaiting = false;
  avatarExplodeSoundWaiting = enemyExplodeSoundWaiting = false;
  doubleFireSoundWaiting = tripleFireSoundWaiting = false;
  points500SoundWaiting = points100SoundWaiting = false;
  healthPackSoundWaiting = madeLeaderboardSoundWaiting = false;
  extraBombSoundWaiting = smartBombSoundWaiting = false;
}
