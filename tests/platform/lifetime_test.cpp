// Starting and leaving: which desktops are refused at start, and how SIGTERM and SIGINT
// end the game (noted first, then obeyed by the signal itself; ignored ones stay ignored).
#include "platform/lifetime.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "tests/support/headless.h"

TEST(StartUp, ADesktopWithNoDisplayIsRefusedAndAnyDisplayWillDo) {
  const struct {
    const char *display, *wayland, *driver;
    bool refused;
  } rows[] = {
      {nullptr, nullptr, nullptr, true},
      {":0", nullptr, nullptr, false},
      {nullptr, "wayland-0", nullptr, false},
      {nullptr, nullptr, "dummy", false},  // a driver the player names is taken at its word
  };
  for (const auto& r : rows) {
    int status = childWaitStatus([&] {
      setOrUnsetEnv("DISPLAY", r.display);
      setOrUnsetEnv("WAYLAND_DISPLAY", r.wayland);
      setOrUnsetEnv("SDL_VIDEODRIVER", r.driver);
      startSdl(SDL_INIT_TIMER);  // no video: only the check for a display runs
    });
    std::string row = std::string(r.display ? "DISPLAY " : "") + (r.wayland ? "WAYLAND " : "") +
                      (r.driver ? "driver" : "");
    ASSERT_TRUE(WIFEXITED(status)) << row;
    EXPECT_EQ(WEXITSTATUS(status), r.refused ? 1 : 0) << row;
  }
}

// The handler only notes the signal; the next check leaves, ending by that same signal. A
// game that never checks again is ended by it when the grace alarm, due in 2 s, goes off.
TEST(Leaving, TheQuittingSignalsAreNotedThenEndTheGameByTheSignal) {
  const struct {
    int signalNumber;
    bool ignoredAtStart;  // as under nohup or in a shell's background job
    bool stuck;           // the game never checks again
  } rows[] = {{SIGTERM, false, false},
              {SIGINT, false, false},
              {SIGTERM, true, false},
              {SIGINT, true, false},
              {SIGINT, false, true}};
  for (const auto& r : rows) {
    int noted[2];
    ASSERT_EQ(pipe(noted), 0);
    int status = childWaitStatus([&] {
      if (r.ignoredAtStart) signal(r.signalNumber, SIG_IGN);
      setenv("SDL_VIDEODRIVER", "dummy", 1);
      startSdl(SDL_INIT_TIMER);
      raise(r.signalNumber);
      if (write(noted[1], "n", 1) != 1) _exit(3);  // still here: the signal did not kill
      unsigned due = alarm(0);  // seconds, rounded to the nearest; 0 when none is set
      if (r.ignoredAtStart ? due != 0 : due < 1 || due > 2) _exit(4);
      if (r.stuck) raise(SIGALRM);  // as if the 2 s had passed
      if (!r.stuck) leaveIfSignalled();
    });
    close(noted[1]);
    char mark = 0;
    bool survivedTheSignal = read(noted[0], &mark, 1) == 1;
    close(noted[0]);
    std::string row = strsignal(r.signalNumber) + std::string(r.ignoredAtStart ? " ignored" : "") +
                      (r.stuck ? " stuck" : "");
    EXPECT_TRUE(survivedTheSignal) << row;
    if (r.ignoredAtStart) {
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << row << ": status " << status;
    } else {
      EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == r.signalNumber)
          << row << ": status " << status;
    }
  }
}
