// The runner's replay files and run summaries.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/constants.h"
#include "tests/support/headless.h"
#include "tools/runner/replay.h"
#include "tools/runner/run_summary.h"

namespace {
replayData sampleReplay() {
  replayData r;
  r.levelNumber = 4;
  r.startHealth = 99;
  r.seed = 4000000000u;
  r.events = {{0, SDLK_d, true},        {0, SDLK_UP, true},  {17, SDLK_UP, false},
              {17, SDLK_a, true},       {17, SDLK_w, true},  {250, SDLK_q, true},
              {251, SDLK_q, false},     {900, SDLK_e, true}, {900, SDLK_RIGHT, true},
              {1200, SDLK_ESCAPE, true}};
  return r;
}

void expectSameReplay(const replayData& a, const replayData& b) {
  EXPECT_EQ(a.levelNumber, b.levelNumber);
  EXPECT_EQ(a.startHealth, b.startHealth);
  EXPECT_EQ(a.seed, b.seed);
  auto same = [](const replayEvent& x, const replayEvent& y) {
    return x.tick == y.tick && x.key == y.key && x.down == y.down;
  };
  EXPECT_TRUE(std::equal(a.events.begin(), a.events.end(), b.events.begin(), b.events.end(), same));
}

std::string parseError(const std::string& text) {
  replayData r;
  std::string error;
  EXPECT_FALSE(parseReplay(text, r, error)) << text;
  return error;
}

const std::string HEADER = "skarnfall-replay 1\nlevel 2\nhealth 3\nseed 7\n";
}  // namespace

TEST(ReplayFile, RoundTripsThroughTextAndDisk) {
  replayData original = sampleReplay();
  replayData parsed;
  std::string error;
  ASSERT_TRUE(parseReplay(formatReplay(original), parsed, error)) << error;
  expectSameReplay(original, parsed);

  scratchGameDir scratch;
  ASSERT_TRUE(writeReplayFile("run.replay", original));
  replayData fromDisk;
  ASSERT_TRUE(readReplayFile("run.replay", fromDisk, error)) << error;
  expectSameReplay(original, fromDisk);
  // Writing what was read gives the same bytes: the format is stable.
  EXPECT_EQ(readWholeFile("run.replay"), formatReplay(fromDisk));
}

TEST(ReplayFile, RefusesWhatWouldReplayADifferentRun) {
  EXPECT_NE(parseError("level 2\nhealth 3\nseed 7\nend\n").find("not a replay"), std::string::npos);
  EXPECT_NE(parseError(HEADER + "5 left down\n").find("end"), std::string::npos);  // cut short
  EXPECT_NE(parseError(HEADER + "5 jump down\nend\n").find("unknown key"), std::string::npos);
  EXPECT_NE(parseError(HEADER + "5 left sideways\nend\n").find("down or up"), std::string::npos);
  EXPECT_NE(parseError(HEADER + "9 left down\n5 left up\nend\n").find("backwards"),
            std::string::npos);
  EXPECT_NE(parseError(HEADER + "-1 left down\nend\n").find("line 5"), std::string::npos);
  EXPECT_NE(parseError(HEADER + "5x left down\nend\n").find("line 5"), std::string::npos);
  EXPECT_NE(parseError(HEADER + "end\n3 left down\n").find("after"), std::string::npos);
  EXPECT_NE(parseError("skarnfall-replay 1\nlevel 2\nseed 7\nend\n").find("header"),
            std::string::npos);
  parseError("skarnfall-replay 1\nlevel 11\nhealth 3\nseed 7\nend\n");
  parseError("skarnfall-replay 1\nlevel 1\nhealth 0\nseed 7\nend\n");
  parseError("skarnfall-replay 1\nlevel 1\nhealth 100\nseed 7\nend\n");
  parseError("skarnfall-replay 1\nlevel 1\nhealth 3 4\nseed 7\nend\n");
}

TEST(RunSummary, FormatsOneStableJsonLine) {
  runSummary s;
  s.levelNumber = 3;
  s.startHealth = 99;
  s.seed = 12;
  s.outcome = LEVEL_COMPLETE;
  s.score = 123400;
  s.frames = 9000;
  s.ticks = 9001;
  s.wavesReleased = 22;
  s.wavesTotal = 22;
  s.hitsTaken = 4;
  s.bombsUsed = 2;
  s.healthLeft = 95;
  EXPECT_EQ(formatSummaryJson(s),
            "{\"level\":3,\"health\":99,\"seed\":12,\"outcome\":\"LEVEL_COMPLETE\","
            "\"score\":123400,\"frames\":9000,\"ticks\":9001,\"waves\":22,\"waves_total\":22,"
            "\"hits\":4,\"bombs\":2,\"health_left\":95}");
  s.outcome = PLAYER_KILLED;
  s.healthLeft = -1;
  std::string killed = formatSummaryJson(s);
  EXPECT_NE(killed.find("\"outcome\":\"PLAYER_KILLED\""), std::string::npos);
  EXPECT_NE(killed.find("\"health_left\":-1}"), std::string::npos);
  EXPECT_EQ(killed.find('\n'), std::string::npos);
}
