// Reading the desktop program's options.
#include "frontend/command_line.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/desktop_display.h"
#include "platform/input.h"

#ifndef SKARNFALL_VERSION
#define SKARNFALL_VERSION "unknown"
#endif

namespace {
const char* USAGE =
    "Usage: skarnfall [options]\n"
    "  --fullscreen   play full screen (the default)\n"
    "  --window       play in a window\n"
    "  --scale N      play in a window N times 320x240 (1 to 16, default 3);\n"
    "                 implies --window (the last of these three options decides)\n"
    "  --watch FILE   play back a kept run (a .run file from a saves folder) and exit\n"
    "  --controls     print the controls in force, in their file's format, and exit\n"
    "  --version      print the version and exit\n"
    "  --help         print this help and exit\n"
    "\n"
#ifdef SKARNFALL_WINDOWS
    "Keys and pad buttons can be changed in %APPDATA%\\Skarnfall\\controls.conf (beside\n"
    "Skarnfall.exe when portable.txt is there), one 'action = key' line each; unlisted\n"
    "actions keep their keys:\n"
#else
    "Keys and pad buttons can be changed in ${XDG_CONFIG_HOME:-~/.config}/skarnfall/\n"
    "controls.conf, one 'action = key' line each; unlisted actions keep their keys:\n"
#endif
    "  fire west = left ctrl\n"
    "  bomb = keypad 0\n"
    "  pause = pad 9\n"
    "Letter keys count by their place on a US keyboard, whatever the layout.\n"
    "Alt+Enter or F11 switches between full screen and the window.\n";

// The controls file's mapping, its warnings printed on standard error.
controlsMapping controlsInForce() {
  std::vector<std::string> warnings;
  controlsMapping controls = loadControlsFile(controlsFilePath(), warnings);
  for (const std::string& warning : warnings) {
    fprintf(stderr, "skarnfall: %s\n", warning.c_str());
  }
  return controls;
}

bool readScale(const char* text, int& scale) {
  if (text == nullptr || *text == '\0') return false;
  char* end = nullptr;
  long value = std::strtol(text, &end, 10);
  if (*end != '\0' || value < 1 || value > MAX_WINDOW_SCALE) return false;
  scale = static_cast<int>(value);
  return true;
}

// The game changes into its own directory before it plays: a file is named from here.
std::string fromHere(const char* path) {
  char here[4096];
  if (path[0] == '/' || getcwd(here, sizeof here) == nullptr) return path;
  return std::string(here) + "/" + path;
}

commandLineOptions refuse(const std::string& why) {
  commandLineOptions refused;
  refused.action = commandAction::REFUSE;
  refused.error = why;
  return refused;
}
}  // namespace

commandLineOptions parseCommandLine(int argc, const char* const argv[]) {
  commandLineOptions options;
  for (int i = 1; i < argc; i++) {
    const char* arg = argv[i];
    if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
      options.action = commandAction::HELP;
      return options;
    }
    if (std::strcmp(arg, "--version") == 0) {
      options.action = commandAction::VERSION;
      return options;
    }
    if (std::strcmp(arg, "--controls") == 0) {
      options.action = commandAction::CONTROLS;
      return options;
    }
    if (std::strcmp(arg, "--window") == 0) {
      options.windowed = true;
    } else if (std::strcmp(arg, "--fullscreen") == 0) {
      options.windowed = false;
    } else if (std::strncmp(arg, "--scale=", 8) == 0 || std::strcmp(arg, "--scale") == 0) {
      const char* value = arg[7] == '=' ? arg + 8 : (i + 1 < argc ? argv[++i] : nullptr);
      if (!readScale(value, options.scale)) {
        return refuse("--scale takes a whole number from 1 to 16");
      }
      options.windowed = true;  // a size only means something for a window
    } else if (std::strcmp(arg, "--watch") == 0) {
      if (i + 1 >= argc || argv[i + 1][0] == '\0') return refuse("--watch takes a run file");
      options.watchFile = fromHere(argv[++i]);
    } else {
      return refuse(std::string("unknown option '") + arg + "'");
    }
  }
  return options;
}

int answerCommandLine(const commandLineOptions& options) {
  switch (options.action) {
    case commandAction::HELP: fputs(USAGE, stdout); return 0;
    case commandAction::VERSION: puts("skarnfall " SKARNFALL_VERSION); return 0;
    case commandAction::CONTROLS:
      fputs(formatControls(controlsInForce()).c_str(), stdout);
      return 0;
    case commandAction::REFUSE:
      fprintf(stderr, "skarnfall: %s\nTry 'skarnfall --help' for the options.\n",
              options.error.c_str());
      return 2;
    case commandAction::PLAY: break;
  }
  useControls(controlsInForce());
  setWindowScale(options.scale);  // for a window left full screen, too
  return -1;
}
