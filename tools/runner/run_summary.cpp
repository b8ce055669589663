// Formatting of the run summary.
#include "tools/runner/run_summary.h"

#include <sstream>

#include "platform/constants.h"

const char* outcomeName(int outcome) {
  switch (outcome) {
    case PLAYER_KILLED: return "PLAYER_KILLED";
    case PLAYER_QUIT: return "PLAYER_QUIT";
    case LEVEL_COMPLETE: return "LEVEL_COMPLETE";
    default: return "NONE";
  }
}

std::string formatSummaryJson(const runSummary& s) {
  // Fixed key order, no spaces: equal runs give byte-identical lines.
  std::ostringstream out;
  out << "{\"level\":" << s.levelNumber << ",\"health\":" << s.startHealth << ",\"seed\":" << s.seed
      << ",\"outcome\":\"" << outcomeName(s.outcome) << "\""
      << ",\"score\":" << s.score << ",\"frames\":" << s.frames << ",\"ticks\":" << s.ticks
      << ",\"waves\":" << s.wavesReleased << ",\"waves_total\":" << s.wavesTotal
      << ",\"hits\":" << s.hitsTaken << ",\"bombs\":" << s.bombsUsed
      << ",\"health_left\":" << s.healthLeft << "}";
  return out.str();
}
