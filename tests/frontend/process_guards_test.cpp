// What could hang or crash the process: something other than a plain file where a save
// file belongs, and an exit that does not come through the game's own shut-down.
#include <SDL/SDL_mixer.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "frontend/game.h"
#include "frontend/profiles.h"
#include "tests/support/level_fixture.h"

// Xlib ends the process this way when the display goes away: exit() from deep inside,
// with the game object still alive. SDL's threads must be stopped before the exit is over.
TEST(ProcessGuards, AnExitFromAnywhereStopsSdlsThreadsFirst) {
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    atexit([] {  // runs after every clean-up the game installs later
      int frequency, channels;
      Uint16 format;
      bool threads = SDL_WasInit(SDL_INIT_AUDIO | SDL_INIT_TIMER | SDL_INIT_JOYSTICK) != 0;
      _exit(threads || Mix_QuerySpec(&frequency, &format, &channels) ? 3 : 0);
    });
    new game();
    std::exit(1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
}

using SpecialFiles = LevelFixture;

TEST_F(SpecialFiles, AreRefusedAsFilesThatCannotBeOpened) {
  alarm(60);  // a regression blocks in open(): end the test instead of the whole run
  for (auto make : {+[](const char* path) { return mkfifo(path, 0644); },
                    +[](const char* path) { return mkdir(path, 0755); }}) {
    scratchGameDir scratch;
    for (int n = 1; n <= 5; n++) writeWholeFile(profileFileName(n), "0");
    ASSERT_EQ(unlink(profileFileName(3).c_str()), 0);
    ASSERT_EQ(make(profileFileName(3).c_str()), 0);
    ASSERT_EQ(make("records/highscores1.txt"), 0);
    profileSlotList slots;
    EXPECT_EQ(printedBy([&] {
                EXPECT_FALSE(readProfileSlots(slots));
                EXPECT_FALSE(lv->loadHighScores("records/highscores1.txt"));
              }),
              "Cannot open file \nCannot open file \n");
  }
  alarm(0);
}
