// The entry point: read the options, enter the game's directory, claim the save folder, ready
// the system, build the game, run it, shut it down.
#include <SDL/SDL.h>

#include <cstdio>
#include <string>

#include "frontend/command_line.h"
#include "frontend/game.h"
#include "frontend/save_setup.h"
#include "frontend/watch_run.h"
#include "platform/game_directory.h"
#include "platform/globals.h"
#include "platform/target.h"

namespace {
// Into the game's directory with the save folder claimed: the folder the target's own store
// was read into, or the one the save setup chooses (the player's data folder for an
// installed desktop game, whose lock keeps a second copy off it).
bool settleTarget(std::string& error) {
  if (!TARGET.keepsOwnStore) return settleIn(changeToGameDirectory, TARGET.savesInDataHome, error);
  bool settled = changeToGameDirectory() && claimSaveFolder(openTargetStore(), error);
  if (!settled && error.empty()) error = "cannot find the folder that holds the game";
  return settled;
}
}  // namespace

int main(int argc, char* argv[]) {
  commandLineOptions options;
  if (TARGET.readsCommandLine) {
    options = parseCommandLine(argc, argv);
    int answered = answerCommandLine(options);
    if (answered >= 0) return answered;
  }
  std::string error;
  if (!settleTarget(error)) {
    tellStartRefused(error);
    return 1;
  }
  prepareTarget(options.windowed, options.scale);
  tempSrcRect = {0, 0, 320, 240};
  tempDstRect = {0, 0, 320, 240};
  game* theGame = new game();
  targetVideoStarted();
  offerRunsOnTables(theGame);
  int status = 0;
  if (options.watchFile.empty()) {
    theGame->play();
  } else {
    status = watchRunFile(*theGame, options.watchFile.c_str());
  }
  offerRunsOnTables(nullptr);
  delete theGame;
  return status;
}
