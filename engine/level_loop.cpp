// The level's frame loop: start of the level, the whole-tick time step, the frame in its
// fixed order (waves, ship, objects, backgrounds, status bar, fade, present, sounds) and
// the ways a level ends.
#include <cstdio>

#include "engine/avatar.h"
#include "engine/enemy_list.h"
#include "engine/fade.h"
#include "engine/kept_runs.h"
#include "engine/level.h"
#include "engine/level_run.h"
#include "engine/sprite.h"
#include "engine/sprite_type.h"
#include "engine/wave.h"
#include "platform/clock.h"
#include "platform/constants.h"
#include "platform/frame_shortcuts.h"
#include "platform/globals.h"
#include "platform/input.h"
#include "platform/present.h"
#include "platform/random.h"
#include "platform/run_tape.h"
#include "platform/sdl_bridges.h"

namespace {
const int MUSIC_TRACKS = 4;
const int DRAWN_BACKGROUNDS = 3;  // only the three parallax layers scroll and show

const char* musicFile(int musicChoice) {
  switch (musicChoice) {
    case 0: return "music/echohall.ogg";
    case 1: return "music/electro.ogg";
    case 2: return "music/vision.ogg";
    case 3: return "music/mirrorimage.ogg";
    default: return "music/trump.ogg";
  }
}

// A sound request and the effect it plays, in the order they are played each frame.
struct soundRequest {
  bool* waiting;
  Mix_Chunk* level::*chunk;
};

const soundRequest SOUND_REQUESTS[] = {
    {&avatarGunSoundWaiting, &level::avatar_gun},
    {&enemyGunSoundWaiting, &level::enemy_gun},
    {&avatarExplodeSoundWaiting, &level::avatar_explode},
    {&enemyExplodeSoundWaiting, &level::enemy_explode},
    {&doubleFireSoundWaiting, &level::double_fire_sound},
    {&tripleFireSoundWaiting, &level::triple_fire_sound},
    {&points500SoundWaiting, &level::points_500_sound},
    {&points100SoundWaiting, &level::points_100_sound},
    {&healthPackSoundWaiting, &level::health_pack_sound},
    {&madeLeaderboardSoundWaiting, &level::made_leaderboard_sound},
    {&extraBombSoundWaiting, &level::extra_bomb_sound},
    {&smartBombSoundWaiting, &level::smart_bomb_sound},
};

void startLevel(level& lv, levelRun& run, int levelHealth) {
  run.levelHealth = levelHealth;
  run.howItEnded = PLAYER_KILLED;
  run.endLevelTimer = LEVEL_RUN_OUT_TICKS;
  run.levelStop = false;
  run.musicChoice = pickRandom(MUSIC_TRACKS);
  run.endFaded = false;
  lv.levelAv->setHealth(levelHealth);
  lv.music = Mix_LoadMUS(musicFile(run.musicChoice));
  if (lv.music != nullptr) Mix_PlayMusic(lv.music, 1);  // once through, no repeat
  run.oldTime = readClock();
  lv.startFade(FADE_IN, LEVEL_FADE_IN_TICKS);
}

// Once the level is over, the run-out counts down; a completed level fades out meanwhile.
void advanceRunOut(level& lv, levelRun& run, int step) {
  if (!lv.endLevel) return;
  if (run.endLevelTimer == LEVEL_RUN_OUT_TICKS) lv.startFade(FADE_OUT, LEVEL_RUN_OUT_TICKS);
  run.endLevelTimer -= step;
}

// The next wave comes when no enemy or sweep is left; with none left the level is won.
// Only while enemies remain can the ship's lost health end the level.
void decideProgress(level& lv, levelRun& run) {
  if (lv.eList->enemyCount() == 0) {
    if (!lv.wList->nextWave()) {
      run.howItEnded = LEVEL_COMPLETE;
      lv.endLevel = true;
    }
  } else if (lv.levelAv->getHealth() <= 0) {
    run.howItEnded = PLAYER_KILLED;
    lv.endLevel = true;
    run.endLevelTimer = 0;
  }
}

// Whether the first layer's draw will set every pixel below the status bar.
bool fieldCovered(level& lv) {
  background* layer = lv.backgrounds[0];
  if (!frameShortcuts.coveredClear || layer == nullptr || layer->typeId < 0 ||
      layer->typeId >= SPRITE_SLOTS || lv.levelSprites[layer->typeId] == nullptr) {
    return false;
  }
  const SDL_Rect& clip = levelScreen->clip_rect;
  if (levelScreen->w != WINDOW_WIDTH || levelScreen->h != WINDOW_HEIGHT || clip.x != 0 ||
      clip.y != 0 || clip.w != WINDOW_WIDTH || clip.h != WINDOW_HEIGHT) {
    return false;
  }
  return lv.levelSprites[layer->typeId]->coversStrip(layer->counter, layer->width);
}

// The level screen starts black; the 215 rows a covering first layer will replace are left.
void clearLevelScreen(level& lv) {
  if (levelScreen == nullptr) return;
  Uint32 black = SDL_MapRGB(levelScreen->format, 0, 0, 0);
  if (fieldCovered(lv)) {
    SDL_Rect bar = {0, 0, static_cast<Uint16>(WINDOW_WIDTH), static_cast<Uint16>(SCREEN_TOP)};
    SDL_FillRect(levelScreen, &bar, black);
    return;
  }
  SDL_FillRect(levelScreen, nullptr, black);
}

bool coversDisplay(const SDL_Rect& src, const SDL_Rect& dst) {
  return dst.x == 0 && dst.y == 0 && src.x == 0 && src.y == 0 && src.w >= WINDOW_WIDTH &&
         src.h >= WINDOW_HEIGHT;
}

// The picture is shown over black. Nothing draws on the display during a frame, so the
// black is needed only when the present will not replace every pixel: while SDL blends a
// faded picture, or when it is not a whole screen.
void blackenDisplayIfSeen(const SDL_Surface* shown) {
  if (globalScreen == nullptr) return;
  if (presentsAsCopy(shown) && shown->w >= WINDOW_WIDTH && shown->h >= WINDOW_HEIGHT &&
      coversDisplay(tempSrcRect, tempDstRect)) {
    return;
  }
  SDL_FillRect(globalScreen, nullptr, SDL_MapRGB(globalScreen->format, 0, 0, 0));
}

// The ship reads the input and moves; unless paused, the objects move and, until the level
// is over, fight.
void moveEverything(level& lv, int step) {
  lv.levelAv->update(step);
  if (globalPaused) return;
  lv.eList->update(step, lv.levelAv);
  lv.eList->clearDead();
  if (!lv.endLevel) {
    lv.eList->healthUpdate();
    lv.eList->healthUpdate(lv.levelAv);
  }
  lv.eList->clearDead();
}

// The layers scroll first, so that the clearing knows where the first one will be drawn.
void drawPlayField(level& lv, int step) {
  for (int i = 0; i < DRAWN_BACKGROUNDS; i++) {
    if (lv.backgrounds[i] != nullptr && !globalPaused) lv.backgrounds[i]->update(step);
  }
  clearLevelScreen(lv);
  for (int i = 0; i < DRAWN_BACKGROUNDS; i++) {
    if (lv.backgrounds[i] != nullptr) lv.backgrounds[i]->draw(lv.levelSprites, levelScreen);
  }
  lv.levelAv->draw(lv.levelSprites, levelScreen);
  lv.eList->draw(lv.levelSprites, levelScreen);
}

void drawIcon(level& lv, int slot, float x, float y) {
  if (lv.levelSprites[slot] != nullptr) lv.levelSprites[slot]->draw(x, y, 0, levelScreen);
}

// The status bar: health, smart bombs and score.
// The numbers are rendered from the font only when they change (the score rarely changes
// twice in a second); each frame blits the kept pictures, which look the same.
void drawStatusBar(level& lv, levelRun& run) {
  drawIcon(lv, HEART, 2.0f, 2.0f);
  run.healthText.draw(lv.levelFont, levelScreen, lv.levelAv->getHealth(), 22, 2);
  drawIcon(lv, BOMB, 50.0f, 2.0f);
  run.bombsText.draw(lv.levelFont, levelScreen, lv.levelAv->getBombs(), 72, 2);
  run.scoreText.draw(lv.levelFont, levelScreen, lv.levelAv->getScore(), 202, 2);
}

// Advances the running fade of the level screen; with none running the screen is shown
// fully, or not at all after a fade-out.
void stepFade(level& lv, int step) {
  lv.fadePoint += step;
  if (lv.fadeLength > lv.fadePoint) {
    int a = static_cast<int>(lv.fadePoint / lv.fadeLength * 255.0f);
    int alpha = lv.fadeDirection == FADE_IN ? a : 255 - a;
    SDL_SetAlpha(levelScreen, SDL_SRCALPHA, static_cast<Uint8>(alpha));
  } else {
    SDL_SetAlpha(levelScreen, SDL_SRCALPHA, lv.fadeDirection == FADE_OUT ? 0 : 255);
    lv.fadePoint = 0.0f;
    lv.fadeLength = 0.0f;
  }
}

bool audioIsOpen() {
  int frequency, channels;
  Uint16 format;
  return queryMixer(&frequency, &format, &channels) != 0;
}

// Each requested effect starts once, however often it was asked for in the frame. With
// no sound device the game plays on silently instead of reporting every effect.
void playRequestedSounds(level& lv) {
  bool audible = audioIsOpen();
  for (const soundRequest& request : SOUND_REQUESTS) {
    if (!*request.waiting) continue;
    if (audible) {
      lv.channel = Mix_PlayChannel(-1, lv.*request.chunk, 0);
      if (lv.channel == -1) printf("Unable to play WAV file: %s\n", SDL_GetError());
    }
    *request.waiting = false;
  }
}

}  // namespace

// Kept out of line: one call is one frame's whole work, which profilers count by name.
__attribute__((noinline)) void runLevelFrame(level& lv, levelRun& run, int step) {
  advanceRunOut(lv, run, step);
  decideProgress(lv, run);
  moveEverything(lv, step);
  drawPlayField(lv, step);
  drawStatusBar(lv, run);
  stepFade(lv, step);
  SDL_Surface* faded = fadedOverBlack(levelScreen);  // a fade the game draws itself, or null
  SDL_Surface* shown = faded != nullptr ? faded : levelScreen;
  blackenDisplayIfSeen(shown);
  // The label goes on the display only, so the frame after the pause is shown bare.
  if (globalPaused) {
    presentSurfaceLabelled(shown, lv.levelFont, "PAUSED");
  } else if (tapePlaying()) {
    presentSurfaceLabelled(shown, lv.levelFont, playbackLabel());
  } else {
    presentSurface(shown);
  }
  playRequestedSounds(lv);
}

namespace {
// The checks at the top of every pass; a frame may still run in the pass that stops.
void checkForEnd(level& lv, levelRun& run) {
  if (lv.levelAv->getQuit()) {
    run.howItEnded = PLAYER_QUIT;
    run.levelStop = true;
  }
  if (run.endLevelTimer <= 0 && lv.endLevel) run.levelStop = true;
}

// The step of the coming frame, 0 while its time has not come. A run played back waits as
// many ticks as its recorded frame took, and takes that step.
int frameStep(levelRun& run) {
  Uint32 now = readClock();
  int wanted = tapeNextStep();
  if (wanted > 0 && now - run.oldTime < static_cast<Uint32>(wanted * TICK_MS)) return 0;
  int step = measureTimeStep(run.oldTime, now);
  return step < MIN_INC ? 0 : tapeFrameStep(step);
}

// A play of a level with a table is recorded, to be kept if its score enters the table.
bool startKeeping(level& lv, int levelHealth) {
  keptRunIndex& runs = *lv.runs;
  runs.recordedDone = false;
  if (tapePlaying() || runs.tableFile.empty() || runs.levelNumber < 1 || runs.levelNumber > 10) {
    return false;
  }
  startRecordingRun(runs.recorded, runs.levelNumber, levelHealth);
  return true;
}
}  // namespace

int measureTimeStep(Uint32& oldTimeMs, Uint32 newTimeMs) {
  // Unsigned difference: right across the clock's wrap after 49 days.
  Uint32 ticks = (newTimeMs - oldTimeMs) / static_cast<Uint32>(TICK_MS);
  if (ticks < static_cast<Uint32>(MIN_INC)) return 0;
  oldTimeMs = newTimeMs;
  if (ticks > static_cast<Uint32>(MAX_INC)) ticks = MAX_INC;
  return static_cast<int>(ticks);
}

level* level::playing = nullptr;

int level::play(int levelHealth) {
  playing = this;
  bool keeping = startKeeping(*this, levelHealth);
  levelRun run;
  startLevel(*this, run, levelHealth);
  setLevelRunning(true);  // losing the window's focus now pauses the level
  bool watchLeft = false;
  while (!run.levelStop) {
    checkForEnd(*this, run);
    if (tapePlaying() && !playbackGoesOn()) {
      watchLeft = true;
      break;
    }
    int step = frameStep(run);
    if (step == 0) {
      yieldProcessorUntil(run.oldTime + TICK_MS);
      continue;
    }
    runLevelFrame(*this, run, step);
  }
  setLevelRunning(false);
  // Attract mode's playback stops at the run's end without the closing screens.
  if (tapePlaying() && !watchLeft && !playbackGoesOn()) watchLeft = true;
  if (keeping) {
    stopRecordingRun();
    runs->recordedDone = true;
  }
  if (watchLeft) {  // the watcher left part way: straight back, no closing screens
    Mix_HaltMusic();
    playing = nullptr;
    return PLAYER_QUIT;
  }
  int result = finishLevel(*this, run);
  playing = nullptr;
  return result;
}
