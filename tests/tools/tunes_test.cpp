// The generated tunes as a level plays them, once through: both sides carry the tune, and
// its last chord has rung out on both before it ends, so no note is cut off.
#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "tests/support/headless.h"

namespace {
struct side {
  double rms = 0;       // of the whole tune, full scale 1
  double tailPeak = 1;  // loudest sample of the last second
};

// Decodes a stereo Ogg tune into its two sides; false when it cannot be read.
bool measureTune(const std::string& path, side sides[2]) {
  OggVorbis_File file;
  if (ov_fopen(path.c_str(), &file) != 0) return false;
  bool stereo = ov_info(&file, -1)->channels == 2;
  long rate = ov_info(&file, -1)->rate;
  std::vector<short> samples;
  std::vector<short> block(8192);
  int section = 0;
  long got = 0;
  while ((got = ov_read(&file, reinterpret_cast<char*>(block.data()),
                        static_cast<int>(block.size() * sizeof(short)), 0, 2, 1, &section)) > 0) {
    samples.insert(samples.end(), block.begin(), block.begin() + got / 2);
  }
  ov_clear(&file);
  size_t frames = samples.size() / 2;
  if (!stereo || frames < static_cast<size_t>(2 * rate)) return false;
  size_t tailStart = frames - static_cast<size_t>(rate);
  for (int s = 0; s < 2; s++) {
    double sum = 0, tail = 0;
    for (size_t i = 0; i < frames; i++) {
      double v = samples[2 * i + s] / 32768.0;
      sum += v * v;
      if (i >= tailStart) tail = std::max(tail, std::fabs(v));
    }
    sides[s].rms = std::sqrt(sum / frames);
    sides[s].tailPeak = tail;
  }
  return true;
}
}  // namespace

TEST(Tunes, BothSidesCarryTheTuneAndItEndsInSilence) {
  std::vector<std::string> tunes = directoryEntries("music");
  ASSERT_GE(tunes.size(), 4u);  // one for each themed level at least
  for (const std::string& name : tunes) {
    side sides[2];
    ASSERT_TRUE(measureTune("music/" + name, sides)) << name;
    for (int s = 0; s < 2; s++) {
      const char* which = s == 0 ? "left" : "right";
      EXPECT_GT(sides[s].rms, 0.05) << name << " " << which;
      EXPECT_LT(sides[s].tailPeak, 0.002) << name << " " << which << ": the end is cut off";
    }
    EXPECT_NEAR(sides[0].rms, sides[1].rms, 0.25 * std::max(sides[0].rms, sides[1].rms)) << name;
  }
}
