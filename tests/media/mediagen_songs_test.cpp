// The tunes' data: every song the generator ships is whole, and a song with a missing or
// mis-sized part is refused by name instead of being rendered from whatever lies past it.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "media/music.h"

TEST(Songs, EveryShippedSongIsWhole) {
  for (const Song& s : allSongs()) EXPECT_EQ(songFault(s), "") << s.file;
}

TEST(Songs, ASongWithAPartMissingOrMisSizedIsRefused) {
  const Song whole = allSongs().front();
  struct row {
    const char* what;
    std::function<void(Song&)> spoil;
    const char* named;
  } rows[] = {
      {"a short kick", [](Song& s) { s.kick.pop_back(); }, "kick"},
      {"a long snare", [](Song& s) { s.snare += "x"; }, "snare"},
      {"no hat", [](Song& s) { s.hat.clear(); }, "hat"},
      {"a short rhythm", [](Song& s) { s.rhythms.back().pop_back(); }, "rhythm"},
      {"no rhythms", [](Song& s) { s.rhythms.clear(); }, "rhythms"},
      {"a three-beat bar", [](Song& s) { s.beats = 3; }, "not one bar"},
      {"five beats", [](Song& s) { s.beats = 5; }, "beats"},
      {"a six-note scale", [](Song& s) { s.scale.pop_back(); }, "scale"},
      {"no tempo", [](Song& s) { s.bpm = 0; }, "tempo"},
      {"no form", [](Song& s) { s.form.clear(); }, "form"},
      {"a section without chords", [](Song& s) { s.form.back().chords.clear(); }, "chords"},
      {"a section without bars", [](Song& s) { s.form.front().bars = 0; }, "bars"},
      {"a song with every field left out", [](Song& s) { s = Song(); }, "scale"},
  };
  for (const row& r : rows) {
    Song s = whole;
    r.spoil(s);
    EXPECT_NE(songFault(s).find(r.named), std::string::npos) << r.what << ": " << songFault(s);
  }
}

TEST(SongsDeathTest, RenderingASpoiledSongStopsTheGenerator) {
  Song s = allSongs().front();
  s.kick.pop_back();
  EXPECT_EXIT(renderSong(s), ::testing::ExitedWithCode(1), "cannot be rendered: the kick");
}
