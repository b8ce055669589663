// The headless run: a clock hook that watches the level, feeds keys and drives screens.
#include "tools/runner/run_session.h"

#include <SDL/SDL.h>

#include <cstdlib>

#include "content/level_content.h"
#include "engine/avatar.h"
#include "engine/enemy_list.h"
#include "engine/kept_runs.h"
#include "engine/level.h"
#include "engine/wave.h"
#include "frontend/game.h"
#include "frontend/watch_run.h"
#include "platform/clock.h"
#include "platform/constants.h"
#include "platform/globals.h"
#include "platform/input.h"
#include "platform/random.h"
#include "platform/sdl_bridges.h"
#include "tools/runner/pilot.h"
#include "tools/runner/screenshot.h"
#include "tools/runner/virtual_mixer.h"

namespace {
// Keys the runner may hold during a level, in the order releases are sent.
const SDLKey LEVEL_KEYS[] = {SDLK_LEFT, SDLK_RIGHT, SDLK_UP, SDLK_DOWN, SDLK_e,     SDLK_a,
                             SDLK_d,    SDLK_s,     SDLK_w,  SDLK_q,    SDLK_ESCAPE};
const int LEVEL_KEY_COUNT = sizeof LEVEL_KEYS / sizeof LEVEL_KEYS[0];

void pushKeyEvent(SDLKey key, bool down) {
  SDL_Event event = keyEvent(key, down);
  SDL_PushEvent(&event);
}

bool eventsQueued() { return sdlEventsWaiting(); }

int wavesLeft(level* lv) {
  int count = 0;
  for (wave* w = lv->wList ? lv->wList->first : nullptr; w != nullptr; w = w->next) count++;
  return count;
}

// One entry of the screen script: a key to press once, or a level to play through.
struct scriptStep {
  bool playLevel;
  SDLKey key;
};

std::vector<scriptStep> levelScript() {
  // The table before the level, the level, the post-level screen, the table after it.
  return {{false, SDLK_SPACE}, {true, SDLK_UNKNOWN}, {false, SDLK_SPACE}, {false, SDLK_SPACE}};
}

// Watching: the level played back, then its closing outcome screen.
std::vector<scriptStep> watchScript() { return {{true, SDLK_UNKNOWN}, {false, SDLK_SPACE}}; }

std::vector<scriptStep> flowScript(int levelNumber) {
  std::vector<scriptStep> steps = {
      {false, SDLK_SPACE},  // title
      {false, SDLK_SPACE},  // instructions
      {false, SDLK_UP},     // profiles: slot 1 wraps round to "Create New"
      {false, SDLK_SPACE},  // create
      {false, SDLK_SPACE},  // slot 1
      {false, SDLK_SPACE},  // keep the offered name
      {false, SDLK_DOWN},   // "Create New" wraps round to slot 1
      {false, SDLK_SPACE},  // load it
  };
  for (int i = 1; i < levelNumber; i++) steps.push_back({false, SDLK_DOWN});
  steps.push_back({false, SDLK_SPACE});  // choose the level
  for (const scriptStep& s : levelScript()) steps.push_back(s);
  steps.push_back({false, SDLK_ESCAPE});  // leave the game from the profile screen
  return steps;
}

class runSession {
 public:
  runSession(const runOptions& optionsC, runResult& resultC) : options(optionsC), result(resultC) {
    script = options.wholeFlow                     ? flowScript(options.levelNumber)
             : options.input == inputSource::WATCH ? watchScript()
                                                   : levelScript();
    for (bool& h : held) h = false;
  }

  void onRead(Uint32 now) {
    level* lv = level::playing;
    if (lv != nullptr && lv != watched) beginLevel(lv, now);
    if (watched != nullptr && lv == nullptr) watched = nullptr;  // level::play returned
    if (watched != nullptr) watchLevel(now);
    advanceScript(now);
  }

  int inferredOutcome = 0;

 private:
  const runOptions& options;
  runResult& result;
  std::vector<scriptStep> script;
  size_t stepIndex = 0;
  Uint32 quietSinceMs = 0;  // last time a screen had a key waiting or a level ended
  Uint32 progressMs = 0;    // last time the script or a level moved on
  bool stuck = false;
  bool bailOutEscape = true;

  level* watched = nullptr;
  bool loopStopped = false;
  int screensSaved = 0;
  int levelsEnded = 0;
  Uint32 levelStartMs = 0;
  Uint32 lastFrameMs = 0;
  int lastShipFrame = 0;
  int lastShipTimer = 0;
  int lastInvincible = 0;
  int lastBombs = 0;
  bool capPressed = false;
  size_t replayCursor = 0;
  bool held[LEVEL_KEY_COUNT];
  pilotObserver observer;

  void beginLevel(level* lv, Uint32 now) {
    watched = lv;
    loopStopped = false;
    levelStartMs = now;
    lastFrameMs = now;
    progressMs = now;
    avatar* ship = lv->levelAv;
    lastShipFrame = ship->frame;
    lastShipTimer = ship->bulletTimer;
    lastInvincible = ship->invincible;
    lastBombs = ship->bombs;
    result.summary.wavesTotal = wavesLeft(lv);
    result.summary.wavesReleased = 0;
    observer.forget();
  }

  void watchLevel(Uint32 now) {
    avatar* ship = watched->levelAv;
    // The completion bonus arrives after the loop: follow the score to the very end.
    result.summary.score = ship->score;
    if (loopStopped) return;
    // Every frame steps the ship's animation and volley timer; nothing else moves them.
    bool frameRan = ship->frame != lastShipFrame || ship->bulletTimer != lastShipTimer;
    if (frameRan) {
      lastShipFrame = ship->frame;
      lastShipTimer = ship->bulletTimer;
      lastFrameMs = now;
      progressMs = now;
      onFrame(now);
    } else if (result.summary.frames > 0 && now - lastFrameMs > LOOP_STOPPED_MS) {
      loopStopped = true;
      levelsEnded++;
      quietSinceMs = now;
      inferredOutcome = inferOutcome();
    }
  }

  int inferOutcome() {
    avatar* ship = watched->levelAv;
    if (ship->avQuit) return PLAYER_QUIT;
    bool cleared = wavesLeft(watched) == 0 && watched->eList->enemyCount() == 0;
    if (ship->health <= 0 && !cleared) return PLAYER_KILLED;
    return LEVEL_COMPLETE;
  }

  void onFrame(Uint32 now) {
    runSummary& s = result.summary;
    avatar* ship = watched->levelAv;
    s.frames++;
    int tick = static_cast<int>((now - levelStartMs) / TICK_MS);
    s.ticks = tick;
    s.wavesReleased = s.wavesTotal - wavesLeft(watched);
    s.healthLeft = ship->health;
    if (ship->invincible > lastInvincible) s.hitsTaken++;  // a hit restarts invincibility
    lastInvincible = ship->invincible;
    if (ship->bombs < lastBombs) s.bombsUsed += lastBombs - ship->bombs;
    lastBombs = ship->bombs;
    if (options.frameChecksums) {
      result.frameChecksums.push_back(surfaceChecksum(globalScreen));
      result.levelChecksums.push_back(surfaceChecksum(levelScreen));
    }
    for (const shotRequest& shot : options.shots) {
      if (shot.frame == s.frames && writeSurfacePng(globalScreen, shot.file)) {
        result.shotsWritten++;
      }
    }
    if (options.maxTicks > 0 && tick >= options.maxTicks && !capPressed) {
      capPressed = true;
      sendKey(SDLK_ESCAPE, true, tick);
      return;
    }
    if (options.input == inputSource::WATCH) return;  // the game plays the run back itself
    if (options.input == inputSource::PILOT) {
      pilotView view = observer.observe(ship, watched->eList);
      holdOnly(keysForCommand(decidePilotCommand(view)), tick);
    } else {
      const std::vector<replayEvent>& events = options.replay.events;
      while (replayCursor < events.size() && events[replayCursor].tick <= tick) {
        const replayEvent& e = events[replayCursor++];
        sendKey(e.key, e.down, tick);
      }
    }
  }

  void sendKey(SDLKey key, bool down, int tick) {
    pushKeyEvent(key, down);
    result.recorded.events.push_back({tick, key, down});
    for (int i = 0; i < LEVEL_KEY_COUNT; i++) {
      if (LEVEL_KEYS[i] == key) held[i] = down;
    }
  }

  // Releases the keys not wanted any more, then presses the new ones.
  void holdOnly(const std::vector<SDLKey>& wanted, int tick) {
    bool want[LEVEL_KEY_COUNT] = {};
    for (SDLKey key : wanted) {
      for (int i = 0; i < LEVEL_KEY_COUNT; i++) {
        if (LEVEL_KEYS[i] == key) want[i] = true;
      }
    }
    for (int i = 0; i < LEVEL_KEY_COUNT; i++) {
      if (held[i] && !want[i]) sendKey(LEVEL_KEYS[i], false, tick);
    }
    for (SDLKey key : wanted) {
      for (int i = 0; i < LEVEL_KEY_COUNT; i++) {
        if (LEVEL_KEYS[i] == key && !held[i]) sendKey(key, true, tick);
      }
    }
  }

  void advanceScript(Uint32 now) {
    if (stuck) {
      bailOut(now);
      return;
    }
    if (stepIndex >= script.size()) return;
    if (now - progressMs > STUCK_AFTER_MS) {
      stuck = true;
      result.stuck = true;
      return;
    }
    const scriptStep& step = script[stepIndex];
    if (step.playLevel) {
      if (levelsEnded > 0) nextStep(now);
      return;
    }
    if (eventsQueued()) {
      quietSinceMs = now;  // a screen has not taken its key yet
      return;
    }
    // While the level's loop runs, the keys belong to the pilot or the replay.
    if (watched != nullptr && result.summary.frames > 0 && !loopStopped) return;
    if (now - quietSinceMs < SCREEN_SETTLE_MS) return;
    saveWaitingScreen();
    pushKeyEvent(step.key, true);
    pushKeyEvent(step.key, false);
    nextStep(now);
  }

  // The screen the script is about to answer, as the player sees it.
  void saveWaitingScreen() {
    if (options.screenShotPrefix.empty()) return;
    std::string file = options.screenShotPrefix + "-" + std::to_string(screensSaved++) + ".png";
    if (writeSurfacePng(globalScreen, file)) result.shotsWritten++;
  }

  void nextStep(Uint32 now) {
    stepIndex++;
    quietSinceMs = now;
    progressMs = now;
  }

  // The game stopped following the script: back out of whatever screen it is on.
  void bailOut(Uint32 now) {
    if (eventsQueued() || now - quietSinceMs < SCREEN_SETTLE_MS) return;
    SDLKey key = bailOutEscape ? SDLK_ESCAPE : SDLK_SPACE;
    bailOutEscape = !bailOutEscape;
    pushKeyEvent(key, true);
    pushKeyEvent(key, false);
    quietSinceMs = now;
  }
};

// The run the level's table kept last (the highest id), as its file's bytes.
std::string newestKeptRun(game& g, int levelNumber) {
  char tableFile[4096];
  if (!highScoreFileName(levelNumber, tableFile, sizeof tableFile)) return "";
  level probe(g.screen, g.font);
  probe.runs->levelNumber = levelNumber;
  probe.loadHighScores(tableFile);
  int newest = -1;
  for (int i = 0; i < 10; i++) {
    if (probe.runs->ids[i] != 0 && (newest < 0 || probe.runs->ids[i] > probe.runs->ids[newest])) {
      newest = i;
    }
  }
  keptRun run;
  if (newest < 0 || keptRunOf(*probe.runs, newest, run) != runProblem::NONE) return "";
  return encodeRun(run);
}

void drainQueue() {
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
  }
}
}  // namespace

runResult playRun(const runOptions& options) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  runResult result;
  result.summary.levelNumber = options.levelNumber;
  result.summary.startHealth = options.startHealth;
  result.summary.seed = options.seed;
  result.recorded.levelNumber = options.levelNumber;
  result.recorded.startHealth = options.startHealth;
  result.recorded.seed = options.seed;

  resetGlobals();
  tempSrcRect = {0, 0, 320, 240};
  tempDstRect = {0, 0, 320, 240};
  virtualClock::install(1, 0);
  seedRandom(options.seed);
  game* theGame = new game();
  // The game asks for a full-screen display, which the dummy driver would scale up to its
  // 1024x768 desktop on every flip (milliseconds each). A window of the game's own size
  // shows the same 320x240 pixels at a fraction of the cost.
  globalScreen = SDL_SetVideoMode(WINDOW_WIDTH, WINDOW_HEIGHT, 16, 0);
  if (globalScreen != nullptr) SDL_FillRect(globalScreen, nullptr, 0);  // as the game's own
  drainQueue();
  theGame->healthSettings[options.levelNumber] = options.startHealth;
  runSession session(options, result);
  virtualMixer mixer;
  virtualClock::onEveryRead([&session, &mixer](Uint32 now) {
    mixer.onRead(now);
    session.onRead(now);
  });
  if (options.wholeFlow) {
    theGame->play();
    result.summary.outcome = session.inferredOutcome;
  } else if (options.input == inputSource::WATCH) {
    watchResult watched = watchRun(*theGame, options.watched, false);
    result.summary.outcome = watched.outcome;
    result.summary.score = watched.score;
  } else {
    result.summary.outcome = theGame->playLevel(options.levelNumber);
  }
  virtualClock::uninstall();
  drainQueue();
  if (options.keepRun && options.input != inputSource::WATCH) {
    result.keptRun = newestKeptRun(*theGame, options.levelNumber);
  }
  delete theGame;
  return result;
}
