// Replay files: a header of level, health and seed, then one line per key event.
#include "tools/runner/replay.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {
const char* MAGIC = "skarnfall-replay 1";

struct namedKey {
  const char* name;
  SDLKey key;
};

// Every key the ship, the menus and the table screens understand.
const namedKey KEYS[] = {
    {"left", SDLK_LEFT},     {"right", SDLK_RIGHT}, {"up", SDLK_UP}, {"down", SDLK_DOWN},
    {"a", SDLK_a},           {"d", SDLK_d},         {"s", SDLK_s},   {"w", SDLK_w},
    {"q", SDLK_q},           {"e", SDLK_e},         {"p", SDLK_p},   {"o", SDLK_o},
    {"k", SDLK_k},           {"l", SDLK_l},         {"h", SDLK_h},   {"space", SDLK_SPACE},
    {"escape", SDLK_ESCAPE},
};

bool parseInt(const std::string& word, long long low, long long high, long long& value) {
  if (word.empty() || word.size() > 18) return false;
  char* end = nullptr;
  value = std::strtoll(word.c_str(), &end, 10);
  return *end == '\0' && value >= low && value <= high;
}

std::string lineError(int lineNumber, const std::string& what) {
  return "line " + std::to_string(lineNumber) + ": " + what;
}
}  // namespace

const char* keyName(SDLKey key) {
  for (const namedKey& k : KEYS) {
    if (k.key == key) return k.name;
  }
  return nullptr;
}

SDLKey keyFromName(const std::string& name) {
  for (const namedKey& k : KEYS) {
    if (name == k.name) return k.key;
  }
  return SDLK_UNKNOWN;
}

std::string formatReplay(const replayData& replay) {
  std::ostringstream out;
  out << MAGIC << "\n";
  out << "level " << replay.levelNumber << "\n";
  out << "health " << replay.startHealth << "\n";
  out << "seed " << replay.seed << "\n";
  out << "# tick key down|up (ticks of 16 ms from the start of the level's play)\n";
  for (const replayEvent& e : replay.events) {
    const char* name = keyName(e.key);
    out << e.tick << " " << (name ? name : "?") << " " << (e.down ? "down" : "up") << "\n";
  }
  out << "end\n";
  return out.str();
}

bool parseReplay(const std::string& text, replayData& replay, std::string& error) {
  std::istringstream in(text);
  std::string line;
  int lineNumber = 0;
  bool sawMagic = false, sawLevel = false, sawHealth = false, sawSeed = false, sawEnd = false;
  replayData result;
  int lastTick = 0;
  while (std::getline(in, line)) {
    lineNumber++;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    if (!sawMagic) {
      if (line != MAGIC) {
        error = lineError(lineNumber, "not a replay file");
        return false;
      }
      sawMagic = true;
      continue;
    }
    if (sawEnd) {
      error = lineError(lineNumber, "text after \"end\"");
      return false;
    }
    std::istringstream words(line);
    std::string first, second, third, extra;
    words >> first >> second >> third >> extra;
    long long value = 0;
    if (first == "end" && second.empty()) {
      sawEnd = true;
    } else if (first == "level" && third.empty() && parseInt(second, 1, 10, value)) {
      result.levelNumber = static_cast<int>(value);
      sawLevel = true;
    } else if (first == "health" && third.empty() && parseInt(second, 1, 99, value)) {
      result.startHealth = static_cast<int>(value);
      sawHealth = true;
    } else if (first == "seed" && third.empty() && parseInt(second, 0, 0xFFFFFFFFLL, value)) {
      result.seed = static_cast<unsigned int>(value);
      sawSeed = true;
    } else if (extra.empty() && parseInt(first, 0, 100000000, value)) {
      SDLKey key = keyFromName(second);
      if (key == SDLK_UNKNOWN) {
        error = lineError(lineNumber, "unknown key \"" + second + "\"");
        return false;
      }
      if (third != "down" && third != "up") {
        error = lineError(lineNumber, "expected down or up");
        return false;
      }
      if (value < lastTick) {
        error = lineError(lineNumber, "ticks must not go backwards");
        return false;
      }
      lastTick = static_cast<int>(value);
      result.events.push_back({lastTick, key, third == "down"});
    } else {
      error = lineError(lineNumber, "cannot read \"" + line + "\"");
      return false;
    }
  }
  if (!sawMagic || !sawLevel || !sawHealth || !sawSeed) {
    error = "the header needs the level, health and seed lines";
    return false;
  }
  if (!sawEnd) {
    // A file cut short would replay a different run: refuse it.
    error = "the replay ends without \"end\" (cut short?)";
    return false;
  }
  replay = result;
  return true;
}

bool writeReplayFile(const std::string& path, const replayData& replay) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out << formatReplay(replay);
  return static_cast<bool>(out.flush());
}

bool readReplayFile(const std::string& path, replayData& replay, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot open " + path;
    return false;
  }
  std::stringstream content;
  content << in.rdbuf();
  return parseReplay(content.str(), replay, error);
}
