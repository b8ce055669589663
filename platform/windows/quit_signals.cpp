// The quitting signals on Windows, which has only the C library's: Ctrl+C in the console the
// game was started from (SIGINT) and SIGTERM raised within the process.
#include "platform/quit_signals.h"

#include <csignal>
#include <cstdlib>
#include <initializer_list>

namespace {
volatile std::sig_atomic_t quitSignal = 0;

void noteSignal(int signalNumber) {
  if (quitSignal == 0) quitSignal = signalNumber;
}
}  // namespace

void watchQuitSignals() {
  for (int signalNumber : {SIGTERM, SIGINT}) {
    if (std::signal(signalNumber, noteSignal) == SIG_IGN) std::signal(signalNumber, SIG_IGN);
  }
}

int quitSignalNoted() { return quitSignal; }

// The status a POSIX shell gives a process ended by that signal.
void endBySignal(int signalNumber) { std::_Exit(128 + signalNumber); }
