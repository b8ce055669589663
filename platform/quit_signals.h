// The quitting signals (SIGTERM, SIGINT): a handler notes them and the game acts on them at
// its next look (leaveIfSignalled). One file per system answers these.
#pragma once

// Starts noting the quitting signals; one ignored when the game started (nohup, a shell's
// background job) stays ignored.
void watchQuitSignals();
// The quitting signal noted, 0 while none has come.
int quitSignalNoted();
// Ends the process by that signal, as it asked.
[[noreturn]] void endBySignal(int signalNumber);
