// The level content as one fingerprint each: every formation pattern at the difficulties
// the themes call it with, every theme's waves and layers, and the sprite-sheet tables. A
// moved stop, a lost shot or a changed table cell changes a fingerprint; after a deliberate
// change the failure message gives the new one. Then the patterns' scripts run by real
// enemies: patrols and the boss loop back to where they should, the rest leave the screen.
#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "content/level_content.h"
#include "content/level_design.h"
#include "engine/avatar.h"
#include "engine/enemy.h"
#include "engine/enemy_list.h"
#include "engine/wave.h"
#include "platform/constants.h"
#include "platform/globals.h"

namespace {
using patternFn = void (*)(wave*, float, int, int);
const patternFn patterns[] = {addPattern1, addPattern2, addPattern3, addPattern4, addPattern5,
                              addPattern6, addPattern7, addPattern8, addPattern9, addPattern10};

// FNV-1a over 32-bit values; floats go in as thousandths so the sum is the same everywhere.
struct fingerprint {
  uint32_t sum = 2166136261u;
  void add(int64_t v) {
    for (int i = 0; i < 4; i++)
      sum = (sum ^ static_cast<uint32_t>((v >> (8 * i)) & 0xFF)) * 16777619u;
  }
  void add(float v) { add(static_cast<int64_t>(v * 1000.0f)); }
  void add(const char* text) {
    for (; text != nullptr && *text != '\0'; text++) add(static_cast<int64_t>(*text));
  }
  void add(const wave& w) {
    for (const wavelet* l = w.first; l != nullptr; l = l->next) {
      for (int v : {l->wLActionId, l->wLTId, l->wLAl1, l->wLW1, l->wLH1, l->wLIndex, l->wLAId,
                    l->wLNA, l->wLDur})
        add(static_cast<int64_t>(v));
      for (float v : {l->wLDir, l->wLSp, l->wLX1, l->wLY1, l->wLSX, l->wLSY, l->wLFX, l->wLFY})
        add(v);
    }
  }
  void add(const sheetRow& r) {
    for (int v : {r.slot, r.tId, r.kind, r.width, r.height, r.frames}) add(static_cast<int64_t>(v));
    add(r.file);
    add(r.offsets);
  }
};
}  // namespace

// Every pattern at every difficulty from -1 to 10, which covers the boss's whole health
// table and both sides of it, at offsets 0 and 100.
TEST(ContentFingerprints, EveryPatternAtEveryDifficulty) {
  const uint32_t empty = fingerprint().sum;  // patterns 7 to 10 add nothing
  const uint32_t sums[] = {2587399973u, 2049218677u, 4083304965u, 1403837397u, 1331798225u,
                           567648517u,  empty,       empty,       empty,       empty};
  for (int p = 0; p < 10; p++) {
    fingerprint f;
    for (int difficulty = -1; difficulty <= 10; difficulty++) {
      for (float yOffset : {0.0f, 100.0f}) {
        wave w;
        patterns[p](&w, yOffset, difficulty, levelContent::ENEMIES_PER_PATROL);
        f.add(w);
      }
    }
    EXPECT_EQ(f.sum, sums[p]) << "pattern " << p + 1;
  }
}

TEST(ContentFingerprints, EveryThemesWavesAndLayersTheSheetTablesAndTheTableFiles) {
  const uint32_t themes[levelContent::THEME_COUNT] = {2853319353u, 4080251661u, 1727715354u,
                                                      4158168311u};
  for (int t = 0; t < levelContent::THEME_COUNT; t++) {
    const themeRow& theme = *themeOfLevel(levelContent::FIRST_THEMED_LEVEL + t);
    fingerprint f;
    f.add(theme.name);
    for (int i = 0; i < layerCount(theme); i++) {
      const layerRow& layer = theme.layers[i];
      for (int v : {layer.slot, layer.kind, layer.width, layer.height})
        f.add(static_cast<int64_t>(v));
      f.add(layer.file);
      f.add(layer.speed);
    }
    for (int i = 0; i < levelContent::WAVES_PER_THEME; i++) {
      wave w;
      fillWave(&w, theme.waves[i]);
      f.add(static_cast<int64_t>(i));
      f.add(w);
    }
    EXPECT_EQ(f.sum, themes[t]) << theme.name;
  }
  fingerprint sheets;
  for (const sheetRow& r : ENEMY_SHEETS) sheets.add(r);
  for (const sheetRow& r : COMMON_SHEETS) sheets.add(r);
  EXPECT_EQ(sheets.sum, 506913640u) << "sheet tables";
  char name[32] = "";
  for (int n : {0, 1, 10, 11})
    EXPECT_EQ(highScoreFileName(n, name, sizeof name), n == 1 || n == 10) << "level " << n;
  EXPECT_STREQ(name, "records/highscores10.txt");
}

// ---- Scripts run by real enemies ----

namespace {
struct PatternScripts : testing::Test {
  avatar ship{DEFAULT_AVATAR, 0.0f, 2.0f, 10, 130, 45, 20, 10};
  void SetUp() override { resetGlobals(); }
};

// Releases one wave holding the pattern into `list`, as the level loop does.
std::vector<enemy*> release(enemyList& list, patternFn pattern, float yOffset, int difficulty,
                            int numEms) {
  waveList waves(&list);
  wave* w = new wave();
  pattern(w, yOffset, difficulty, numEms);
  waves.append(w);
  EXPECT_TRUE(waves.nextWave());
  std::vector<enemy*> out;
  for (enemy* e = list.first; e != nullptr; e = e->next) out.push_back(e);
  return out;
}

// Where a looping script goes on after its last step: the point the enemy stands on when
// the step after the jump starts. Steps the enemy one tick at a time.
using point = std::pair<float, float>;
point landingAfterLoopJump(enemy* e, avatar* ship) {
  gameAction* last = e->actionList.first;
  while (last != nullptr && last->next != nullptr) last = last->next;
  bool lastFinished = false;
  for (int tick = 0; tick < 20000; ++tick) {
    gameAction* about = nullptr;  // the step this update runs, if not waiting
    if (e->timer <= 0)
      about = e->actionList.current != nullptr ? e->actionList.current : e->actionList.first;
    float x = e->x, y = e->y;
    e->update(1, ship);
    if (about == nullptr) continue;
    if (lastFinished && about != last) return {x, y};
    if (about == last && e->actionList.current != last) lastFinished = true;
  }
  return {-1, -1};
}
}  // namespace

TEST_F(PatternScripts, LoopingFormationsComeBackToTheirLoopStart) {
  const struct {
    int pattern, part;
    float x, y;
  } loops[] = {
      {1, 1, 300, 220}, {2, 0, 20, 220}, {3, 0, 180, 25}, {3, 1, 180, 200}, {3, 2, 270, 25}};
  for (int d : {0, 3, 6}) {
    for (const auto& l : loops) {
      SCOPED_TRACE(testing::Message()
                   << "pattern " << l.pattern << " part " << l.part << " d " << d);
      enemyList list;
      std::vector<enemy*> parts = release(list, patterns[l.pattern - 1], 0, d, 2);
      ASSERT_GT(parts.size(), static_cast<size_t>(l.part));
      if (l.pattern == 3) {  // the boss is one ally chain: arm, arm, body
        EXPECT_EQ(parts[0]->nextAlly, parts[1]);
        EXPECT_EQ(parts[2]->previousAlly, parts[1]);
      }
      for (int lap = 0; lap < 2; ++lap) {
        EXPECT_EQ(landingAfterLoopJump(parts[l.part], &ship), point(l.x, l.y)) << "lap " << lap;
      }
    }
  }
}
