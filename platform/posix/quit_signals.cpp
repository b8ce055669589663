// The quitting signals on POSIX systems: noted by sigaction's handler, and a game that has
// not left within two seconds of one is ended by it where it stands.
#include "platform/quit_signals.h"

#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <initializer_list>

namespace {
volatile sig_atomic_t quitSignal = 0;
// Seconds a noted quitting signal waits for the game to leave by itself (each screen looks
// every tick). A main thread blocked meanwhile, as in writing to a full pipe nobody reads
// (SDL's text-terminal drivers draw every frame to standard output), is ended by the signal.
const unsigned QUIT_GRACE_SECONDS = 2;

void endByNotedSignal(int) {
  signal(quitSignal, SIG_DFL);
  raise(quitSignal);
}

void noteSignal(int signalNumber) {
  if (quitSignal != 0) return;
  quitSignal = signalNumber;
  struct sigaction action = {};
  action.sa_handler = endByNotedSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGALRM, &action, nullptr);
  alarm(QUIT_GRACE_SECONDS);
}
}  // namespace

void watchQuitSignals() {
  struct sigaction action = {};
  action.sa_handler = noteSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signalNumber : {SIGTERM, SIGINT}) {
    struct sigaction before = {};
    sigaction(signalNumber, nullptr, &before);
    if (before.sa_handler != SIG_IGN) sigaction(signalNumber, &action, nullptr);
  }
}

int quitSignalNoted() { return quitSignal; }

void endBySignal(int signalNumber) {
  signal(signalNumber, SIG_DFL);
  raise(signalNumber);
  std::_Exit(128 + signalNumber);  // only if the signal was blocked
}
