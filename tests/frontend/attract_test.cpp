// Attract mode on the virtual clock: the title left alone plays a run, a key brings the
// title back by the next frame and starts nothing, and a player who presses in time sees
// only the title.
#include <map>

#include "engine/sprite_type.h"
#include "frontend/attract.h"
#include "platform/constants.h"
#include "platform/globals.h"
#include "platform/run_tape.h"
#include "tests/support/menu_script.h"

namespace {
struct Attract : menuTest::gameTest {};
}  // namespace

TEST_F(Attract, LeftAloneTheTitlePlaysARunAndAKeyBringsItBackByTheNextFrame) {
  SDL_Surface* title = makeScreenSurface();
  SDL_Surface* picture = loadImage("sprites/splash1.bmp");
  ASSERT_NE(picture, nullptr);
  SDL_BlitSurface(picture, nullptr, title, nullptr);
  SDL_FreeSurface(picture);
  const std::map<std::string, std::string> before = savedFiles();
  Uint32 pressedAt = 0, backAt = 0;
  bool confirmed = false;
  virtualClock::onEveryRead([&](Uint32 now) {
    // A build with no run to show would cycle for ever: a press at 2 minutes ends it.
    if (pressedAt == 0 && ((tapePlaying() && tapeTick() >= 200) || now > 4 * ATTRACT_AFTER_MS)) {
      pushKeyPress(SDLK_LEFT);  // any key: this one would also be a watcher's "slower"
      pressedAt = now;
    } else if (pressedAt != 0 && backAt == 0 && sameRows(globalScreen, title, 0)) {
      backAt = now;
    } else if (backAt != 0 && !confirmed && now - backAt > 2000) {
      pushKeyPress(SDLK_SPACE);
      confirmed = true;
    }
  });
  std::string printed = printedBy([&] { g->showTitleScreen(); });
  SDL_FreeSurface(title);
  EXPECT_EQ(countOf(printed, "Entering Attract Mode\n"), 1u);
  EXPECT_EQ(countOf(printed, "Leaving Attract Mode\n"), 1u);
  EXPECT_EQ(countOf(printed, "Leaving Title Screen\n"), 1u);
  // After the title's 30 s and the instructions' 8 s, the run was playing.
  EXPECT_GT(pressedAt, ATTRACT_AFTER_MS + ATTRACT_PICTURE_MS);
  ASSERT_NE(backAt, 0u) << "the title never came back";
  EXPECT_LE(backAt - pressedAt, static_cast<Uint32>(2 * TICK_MS)) << "within the next frame";
  EXPECT_FALSE(tapePlaying());
  EXPECT_EQ(savedFiles(), before) << "attract mode changed a file";
}

TEST_F(Attract, APlayerWhoPressesWithinHalfAMinuteSeesOnlyTheTitle) {
  virtualClock::at(ATTRACT_AFTER_MS - 1000, [] { pushKeyPress(SDLK_LEFT); });
  virtualClock::at(2 * ATTRACT_AFTER_MS - 2000, [] { pushKeyPress(SDLK_SPACE); });
  std::string printed = printedBy([&] { g->showTitleScreen(); });
  EXPECT_EQ(countOf(printed, "Attract Mode"), 0u);
  EXPECT_EQ(countOf(printed, "Leaving Title Screen\n"), 1u);
}
