// The entry point: set the presenting rectangles, build the game, run it, shut it down.
#include <SDL/SDL.h>

#include "shell/game.h"
#include "shell/game_directory.h"
#include "shell/globals.h"

int main(int argc, char* argv[]) {
  (void)argc;
  (void)argv;
  changeToGameDirectory();
  tempSrcRect = {0, 0, 320, 240};
  tempDstRect = {0, 0, 320, 240};
  game* theGame = new game();
  theGame->play();
  delete theGame;
  return 0;
}
