// skarnfall-run: plays the game headless with the built-in pilot or a replay and prints
// one JSON summary line per run.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "frontend/save_setup.h"
#include "platform/game_directory.h"
#include "tools/runner/game_copy.h"
#include "tools/runner/replay.h"
#include "tools/runner/run_session.h"
#include "tools/runner/run_summary.h"

namespace {
const char* USAGE =
    "Usage: skarnfall-run [options]\n"
    "  --level N         level 1 to 10 (default 1)\n"
    "  --health H        starting health 1 to 99 (default 3)\n"
    "  --seed S          random seed (default 1)\n"
    "  --pilot           the built-in pilot plays (default)\n"
    "  --replay FILE     plays the keys of a recorded run (its level, health and seed)\n"
    "  --record FILE     writes the keys of this run as a replay\n"
    "  --keep-run FILE   writes the run the level's table kept, as the game keeps it\n"
    "  --watch FILE      the game plays back a kept run (its level and health)\n"
    "  --shot F:FILE     writes the display after the level's frame F as a PNG (repeatable)\n"
    "  --shot-screens P  writes each screen that waits for a key as P-0.png, P-1.png...\n"
    "  --max-ticks T     presses Escape at tick T of the level (0: no cap)\n"
    "  --flow            plays the whole game: title, a new profile, level choice, level\n"
    "  --game-dir DIR    the game directory (default: the one holding this program)\n"
    "  --in-place        keep the run's profiles and high scores in the game directory\n"
    "                    (by default the run plays in a throw-away copy)\n"
    "  --quiet           drop the game's own messages (by default they go to stderr)\n"
    "  --frame-checksums FILE  writes each level frame's display checksum, one a line\n";

struct commandLine {
  runOptions run;
  bool levelGiven = false, healthGiven = false, seedGiven = false;
  std::string replayFile, recordFile, gameDir, checksumFile, keepFile, watchFile;
  bool inPlace = false, quiet = false;
};

bool readInt(const char* text, long low, long high, long& value) {
  char* end = nullptr;
  value = std::strtol(text, &end, 10);
  return *text != '\0' && *end == '\0' && value >= low && value <= high;
}

std::string absolutePath(const std::string& path) {
  std::error_code code;
  std::filesystem::path absolute = std::filesystem::absolute(path, code);
  return path.empty() || code ? path : absolute.string();
}

// One line per frame, so two runs compare with cmp or diff.
bool writeChecksums(const std::string& path, const std::vector<Uint32>& checksums) {
  FILE* file = fopen(path.c_str(), "w");
  if (file == nullptr) return false;
  for (Uint32 checksum : checksums) fprintf(file, "%08x\n", checksum);
  return fclose(file) == 0;
}

bool writeWholeFile(const std::string& path, const std::string& bytes) {
  FILE* file = bytes.empty() ? nullptr : fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return fclose(file) == 0 && written;
}

bool fail(const std::string& message) {
  fprintf(stderr, "skarnfall-run: %s\n%s", message.c_str(), USAGE);
  return false;
}

bool parseShot(const std::string& text, shotRequest& shot) {
  size_t colon = text.find(':');
  if (colon == std::string::npos || colon + 1 >= text.size()) return false;
  long frame = 0;
  if (!readInt(text.substr(0, colon).c_str(), 1, 100000000, frame)) return false;
  shot.frame = static_cast<int>(frame);
  shot.file = absolutePath(text.substr(colon + 1));
  return true;
}

bool parseArguments(int argc, char* argv[], commandLine& line) {
  for (int i = 1; i < argc; i++) {
    std::string option = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    long number = 0;
    bool takesValue = option == "--level" || option == "--health" || option == "--seed" ||
                      option == "--replay" || option == "--record" || option == "--shot" ||
                      option == "--keep-run" || option == "--watch" || option == "--shot-screens" ||
                      option == "--max-ticks" || option == "--frame-checksums" ||
                      option == "--game-dir";
    if (takesValue && value == nullptr) return fail(option + " needs a value");
    if (takesValue) i++;
    if (option == "--level") {
      if (!readInt(value, 1, 10, number)) return fail("the level is 1 to 10");
      line.run.levelNumber = static_cast<int>(number);
      line.levelGiven = true;
    } else if (option == "--health") {
      if (!readInt(value, 1, 99, number)) return fail("the health is 1 to 99");
      line.run.startHealth = static_cast<int>(number);
      line.healthGiven = true;
    } else if (option == "--seed") {
      if (!readInt(value, 0, 0x7FFFFFFFL, number)) return fail("the seed is 0 to 2147483647");
      line.run.seed = static_cast<unsigned int>(number);
      line.seedGiven = true;
    } else if (option == "--pilot") {
      line.run.input = inputSource::PILOT;
    } else if (option == "--replay") {
      line.replayFile = absolutePath(value);
      line.run.input = inputSource::REPLAY;
    } else if (option == "--keep-run") {
      line.keepFile = absolutePath(value);
      line.run.keepRun = true;
    } else if (option == "--watch") {
      line.watchFile = absolutePath(value);
      line.run.input = inputSource::WATCH;
    } else if (option == "--record") {
      line.recordFile = absolutePath(value);
    } else if (option == "--shot") {
      shotRequest shot;
      if (!parseShot(value, shot)) return fail("a shot is FRAME:FILE.png, frames from 1");
      line.run.shots.push_back(shot);
    } else if (option == "--shot-screens") {
      line.run.screenShotPrefix = absolutePath(value);
    } else if (option == "--max-ticks") {
      if (!readInt(value, 0, 100000000, number)) return fail("bad --max-ticks");
      line.run.maxTicks = static_cast<int>(number);
    } else if (option == "--flow") {
      line.run.wholeFlow = true;
    } else if (option == "--game-dir") {
      line.gameDir = absolutePath(value);
    } else if (option == "--in-place") {
      line.inPlace = true;
    } else if (option == "--frame-checksums") {
      line.checksumFile = absolutePath(value);
      line.run.frameChecksums = true;
    } else if (option == "--quiet") {
      line.quiet = true;
    } else if (option == "--help" || option == "-h") {
      fputs(USAGE, stdout);
      std::exit(0);
    } else {
      return fail("unknown option " + option);
    }
  }
  if (line.run.wholeFlow && line.run.levelNumber > 4) {
    return fail("the level menu offers levels 1 to 4 only");
  }
  return true;
}

// The replay decides the level, health and seed; contradicting them is a mistake.
bool loadReplay(commandLine& line) {
  std::string error;
  if (!readReplayFile(line.replayFile, line.run.replay, error)) return fail(error);
  const replayData& r = line.run.replay;
  if ((line.levelGiven && line.run.levelNumber != r.levelNumber) ||
      (line.healthGiven && line.run.startHealth != r.startHealth) ||
      (line.seedGiven && line.run.seed != r.seed)) {
    return fail("--level, --health and --seed differ from the replay's own");
  }
  line.run.levelNumber = r.levelNumber;
  line.run.startHealth = r.startHealth;
  line.run.seed = r.seed;
  return true;
}

// The game talks on standard output; the summary owns it, so the game's lines go to
// standard error (or nowhere). Returns the descriptor of the real standard output.
int divertGameOutput(bool quiet) {
  fflush(stdout);
  int saved = dup(STDOUT_FILENO);
  if (quiet) {
    if (freopen("/dev/null", "w", stdout) == nullptr) return saved;
  } else {
    dup2(STDERR_FILENO, STDOUT_FILENO);
  }
  return saved;
}

void restoreOutput(int saved) {
  fflush(stdout);
  dup2(saved, STDOUT_FILENO);
  close(saved);
}
}  // namespace

int main(int argc, char* argv[]) {
  commandLine line;
  if (!parseArguments(argc, argv, line)) return 2;
  if (line.run.input == inputSource::REPLAY && !loadReplay(line)) return 2;
  if (line.run.input == inputSource::WATCH) {
    runProblem problem = readRunFile(line.watchFile.c_str(), line.run.watched);
    if (problem != runProblem::NONE) {
      fail(line.watchFile + ": " + runProblemText(problem));
      return 2;
    }
    line.run.levelNumber = line.run.watched.levelNumber;
    line.run.startHealth = line.run.watched.startHealth;
  }

  if (line.gameDir.empty()) {
    if (!changeToGameDirectory()) {
      fail("cannot find the game directory");
      return 2;
    }
  } else if (chdir(line.gameDir.c_str()) != 0) {
    {
      fail("cannot enter " + line.gameDir);
      return 2;
    }
  }
  // Like the game, the run owns the save folder it writes (a throw-away copy's own, or the
  // game's with --in-place) for as long as it plays.
  std::string error, copy;
  std::string saves = chooseSaveFolder(".", error);
  if (!line.inPlace && error.empty()) {
    copy = makeGameCopy(".", saves, error);
    if (copy.empty() || chdir(copy.c_str()) != 0) {
      fail(error);
      return 2;
    }
    saves = "";
  }
  if (!error.empty() || !claimSaveFolder(saves, error)) {
    fprintf(stderr, "skarnfall-run: %s\n", error.c_str());
    removeGameCopy(copy);
    return 1;
  }

  int realStdout = divertGameOutput(line.quiet);
  runResult result = playRun(line.run);
  restoreOutput(realStdout);
  removeGameCopy(copy);

  printf("%s\n", formatSummaryJson(result.summary).c_str());
  fflush(stdout);
  int status = 0;
  if (!line.recordFile.empty() && !writeReplayFile(line.recordFile, result.recorded)) {
    fprintf(stderr, "skarnfall-run: cannot write %s\n", line.recordFile.c_str());
    status = 1;
  }
  if (!line.checksumFile.empty() && !writeChecksums(line.checksumFile, result.frameChecksums)) {
    fprintf(stderr, "skarnfall-run: cannot write %s\n", line.checksumFile.c_str());
    status = 1;
  }
  if (!line.keepFile.empty() && !writeWholeFile(line.keepFile, result.keptRun)) {
    fprintf(stderr, "skarnfall-run: no run kept, or cannot write %s\n", line.keepFile.c_str());
    status = 1;
  }
  if (result.shotsWritten < static_cast<int>(line.run.shots.size())) {
    fprintf(stderr, "skarnfall-run: %d of %zu screenshots written (frames past the end?)\n",
            result.shotsWritten, line.run.shots.size());
    status = 1;
  }
  if (result.stuck) {
    fprintf(stderr, "skarnfall-run: the game stopped following the script; run abandoned\n");
    status = 1;
  }
  return status;
}
