// The process-wide variables: the display, the presenting rectangles, and the one-frame
// mailbox of score, power-up and sound-request flags. Producers raise, one consumer lowers.
#pragma once
#include <SDL/SDL.h>

extern SDL_Surface* globalScreen;  // the display surface; the only surface ever flipped
extern SDL_Surface* levelScreen;   // the surface the running level draws on
extern SDL_Rect tempSrcRect;       // 0, 0, 320, 240: used to present a full-screen surface
extern SDL_Rect tempDstRect;

extern int globalScore;  // points waiting for the ship to collect them
extern bool globalExtraLifeWaiting;
extern bool globalExtraBombWaiting;
extern bool globalFirePowerWaiting;
extern bool globalPaused;
extern int master_volume;  // SDL_mixer's 0 to 128 scale; steps of 10 between 0 and 120
extern int channel;        // last mixing channel a menu sound went to

// Sound requests, played once and lowered at the end of the level's frame.
extern bool avatarGunSoundWaiting;
extern bool enemyGunSoundWaiting;
extern bool avatarExplodeSoundWaiting;
extern bool enemyExplodeSoundWaiting;
extern bool doubleFireSoundWaiting;
extern bool tripleFireSoundWaiting;
extern bool points500SoundWaiting;
extern bool points100SoundWaiting;
extern bool healthPackSoundWaiting;
extern bool madeLeaderboardSoundWaiting;
extern bool extraBombSoundWaiting;
extern bool smartBombSoundWaiting;

// Puts every flag, the score and the volume back to their start values (tests and
// tools run many games in one process).
void resetGlobals();
