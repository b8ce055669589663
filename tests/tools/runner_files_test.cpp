// Replay files, run summaries, screenshots and throw-away game directories of the runner.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "platform/constants.h"
#include "tests/support/headless.h"
#include "tools/runner/game_copy.h"
#include "tools/runner/replay.h"
#include "tools/runner/run_summary.h"
#include "tools/runner/screenshot.h"

#define STB_IMAGE_IMPLEMENTATION
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-function"
#endif
#include <stb/stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace fs = std::filesystem;

namespace {
replayData sampleReplay() {
  replayData r;
  r.levelNumber = 4;
  r.startHealth = 99;
  r.seed = 4000000000u;
  r.events = {{0, SDLK_d, true},      {0, SDLK_UP, true},    {17, SDLK_UP, false},
              {17, SDLK_a, true},     {17, SDLK_w, true},    {250, SDLK_q, true},
              {251, SDLK_q, false},   {900, SDLK_e, true},   {900, SDLK_RIGHT, true},
              {1200, SDLK_ESCAPE, true}};
  return r;
}

void expectSameReplay(const replayData& a, const replayData& b) {
  EXPECT_EQ(a.levelNumber, b.levelNumber);
  EXPECT_EQ(a.startHealth, b.startHealth);
  EXPECT_EQ(a.seed, b.seed);
  ASSERT_EQ(a.events.size(), b.events.size());
  for (size_t i = 0; i < a.events.size(); i++) {
    EXPECT_EQ(a.events[i].tick, b.events[i].tick) << i;
    EXPECT_EQ(a.events[i].key, b.events[i].key) << i;
    EXPECT_EQ(a.events[i].down, b.events[i].down) << i;
  }
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

TEST(ReplayFile, AcceptsCommentsBlankLinesAndWindowsLineEnds) {
  std::string text = "# made by hand\r\n\r\nskarnfall-replay 1\r\nseed 9\r\nlevel 3\r\n"
                     "health 5\r\n# keys\r\n10 left down\r\n12 left up\r\nend\r\n";
  replayData r;
  std::string error;
  ASSERT_TRUE(parseReplay(text, r, error)) << error;
  EXPECT_EQ(r.levelNumber, 3);
  EXPECT_EQ(r.startHealth, 5);
  EXPECT_EQ(r.seed, 9u);
  ASSERT_EQ(r.events.size(), 2u);
  EXPECT_EQ(r.events[1].tick, 12);
  EXPECT_EQ(r.events[1].key, SDLK_LEFT);
  EXPECT_FALSE(r.events[1].down);
}

TEST(ReplayFile, RefusesWhatWouldReplayADifferentRun) {
  EXPECT_NE(parseError("level 2\nhealth 3\nseed 7\nend\n").find("not a replay"),
            std::string::npos);
  EXPECT_NE(parseError(HEADER + "5 left down\n").find("end"), std::string::npos);  // cut short
  EXPECT_NE(parseError(HEADER + "5 jump down\nend\n").find("unknown key"), std::string::npos);
  EXPECT_NE(parseError(HEADER + "5 left sideways\nend\n").find("down or up"),
            std::string::npos);
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

TEST(ReplayFile, ReportsAMissingFile) {
  replayData r;
  std::string error;
  EXPECT_FALSE(readReplayFile("/nonexistent/dir/run.replay", r, error));
  EXPECT_NE(error.find("cannot open"), std::string::npos);
  EXPECT_FALSE(writeReplayFile("/nonexistent/dir/run.replay", sampleReplay()));
}

TEST(ReplayFile, NamesEveryKeyBothWays) {
  const SDLKey keys[] = {SDLK_LEFT, SDLK_RIGHT, SDLK_UP, SDLK_DOWN, SDLK_a, SDLK_d,
                         SDLK_s,    SDLK_w,     SDLK_q,  SDLK_e,    SDLK_p, SDLK_SPACE,
                         SDLK_ESCAPE};
  for (SDLKey key : keys) {
    ASSERT_NE(keyName(key), nullptr) << key;
    EXPECT_EQ(keyFromName(keyName(key)), key);
  }
  EXPECT_EQ(keyName(SDLK_F1), nullptr);
  EXPECT_EQ(keyFromName("Space"), SDLK_UNKNOWN);
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

TEST(RunSummary, NamesOutcomes) {
  EXPECT_STREQ(outcomeName(PLAYER_KILLED), "PLAYER_KILLED");
  EXPECT_STREQ(outcomeName(PLAYER_QUIT), "PLAYER_QUIT");
  EXPECT_STREQ(outcomeName(LEVEL_COMPLETE), "LEVEL_COMPLETE");
  EXPECT_STREQ(outcomeName(0), "NONE");
  EXPECT_STREQ(outcomeName(4), "NONE");
}

TEST(Screenshot, WritesTheSurfaceAsAPng) {
  openHeadlessDisplay();
  SDL_Surface* surface = makeScreenSurface();
  SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
  SDL_Rect red = {10, 20, 30, 40};
  SDL_FillRect(surface, &red, SDL_MapRGB(surface->format, 255, 0, 0));
  SDL_Rect white = {300, 230, 20, 10};
  SDL_FillRect(surface, &white, SDL_MapRGB(surface->format, 255, 255, 255));

  scratchGameDir scratch;
  ASSERT_TRUE(writeSurfacePng(surface, "shot.png"));
  int w = 0, h = 0, channels = 0;
  unsigned char* pixels = stbi_load("shot.png", &w, &h, &channels, 3);
  ASSERT_NE(pixels, nullptr);
  EXPECT_EQ(w, 320);
  EXPECT_EQ(h, 240);
  auto at = [&](int x, int y, int c) { return pixels[(y * w + x) * 3 + c]; };
  EXPECT_EQ(at(15, 25, 0), 255);  // inside the red box
  EXPECT_EQ(at(15, 25, 1), 0);
  EXPECT_EQ(at(39, 59, 0), 255);  // its last pixel
  EXPECT_EQ(at(40, 60, 0), 0);    // just outside
  EXPECT_EQ(at(319, 239, 1), 255);
  EXPECT_EQ(at(0, 0, 2), 0);
  stbi_image_free(pixels);

  EXPECT_FALSE(writeSurfacePng(nullptr, "none.png"));
  EXPECT_FALSE(writeSurfacePng(surface, "/nonexistent/dir/shot.png"));
  SDL_FreeSurface(surface);
  closeHeadlessDisplay();
}

TEST(GameCopy, LinksTheDataAndCopiesProfilesAndRecords) {
  scratchGameDir scratch;
  const std::string& game = scratch.path;
  writeWholeFile("records/highscores2.txt", std::string(490, '0'));
  std::string error;
  std::string copy = makeGameCopy(game, "", error);
  ASSERT_FALSE(copy.empty()) << error;
  EXPECT_NE(copy, game);
  EXPECT_TRUE(fs::is_symlink(copy + "/sprites"));
  EXPECT_TRUE(fs::is_symlink(copy + "/fonts"));
  EXPECT_FALSE(fs::is_symlink(copy + "/records"));
  EXPECT_EQ(readWholeFile(copy + "/records/highscores2.txt"), std::string(490, '0'));
  EXPECT_EQ(readWholeFile(copy + "/profiles/profile03.txt"),
            readWholeFile(game + "/profiles/profile03.txt"));

  // A run's writes stay in the copy, and removing it leaves the original whole.
  writeWholeFile(copy + "/records/highscores2.txt", "changed");
  removeGameCopy(copy);
  EXPECT_FALSE(fs::exists(copy));
  EXPECT_EQ(readWholeFile(game + "/records/highscores2.txt"), std::string(490, '0'));
  EXPECT_TRUE(fs::exists(game + "/profiles/profile01.txt"));
  EXPECT_TRUE(fs::exists(std::string(SKARNFALL_GAME_DIR) + "/fonts/xirod.ttf"));
}
