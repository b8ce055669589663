// Checks the generated media: every file the game loads is there and loads, sheets have the
// geometry the level set-up cuts them with, colour keys behave, sounds and tunes are sane,
// and the generator writes the same bytes on every run.
#include <SDL.h>
#include <SDL_image.h>
#include <SDL_mixer.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "content/level_content.h"
#include "platform/constants.h"
#include "tests/support/headless.h"

namespace {

const std::string MEDIA_DIR = SKARNFALL_GAME_DIR;

// Every sprite sheet a level loads, from the level set-up's own tables.
std::vector<sheetRow> gameSheets() {
  std::vector<sheetRow> sheets(ENEMY_SHEETS, ENEMY_SHEETS + levelContent::ENEMY_SHEET_COUNT);
  sheets.insert(sheets.end(), COMMON_SHEETS, COMMON_SHEETS + levelContent::COMMON_SHEET_COUNT);
  return sheets;
}
const std::vector<sheetRow> SHEETS = gameSheets();

// The scrolling layers of every theme (the pictures, not the see-through overlays), each
// with its depth: 0 is the far one.
struct Layer {
  std::string path;
  int depth;
};
std::vector<Layer> scrollingLayers() {
  std::vector<Layer> layers;
  for (const themeRow& theme : THEMES)
    for (int i = 0; i < layerCount(theme); ++i)
      if (theme.layers[i].kind == imageKinds::BMP) layers.push_back({theme.layers[i].file, i});
  return layers;
}

// White twins and the sheet whose first frame they must match.
const std::pair<const char*, const char*> WHITE_TWINS[] = {
    {"sprites/saucer_white.bmp", "sprites/snakeanim1.bmp"},
    {"sprites/classic_white.bmp", "sprites/bloodfishsheet.bmp"},
    {"sprites/giro_white.bmp", "sprites/girosheet1.bmp"},
    {"sprites/bubble_white.bmp", "sprites/bubblesheet.bmp"},
    {"sprites/dragon2_white.bmp", "sprites/dragonsheet1.bmp"},
    {"sprites/invavatar.bmp", "sprites/avsheet1.bmp"},
    {"sprites/boss1white.bmp", "sprites/body_1.bmp"},
    {"sprites/boss2white.bmp", "sprites/bossarms.bmp"},
};

const char* SOUNDS[] = {
    "sounds/toggle_sound.wav",   "sounds/affirm_sound.wav", "sounds/avatar_gun.wav",
    "sounds/avatar_explode.wav", "sounds/enemy_gun.wav",    "sounds/enemy_explode.wav",
    "sounds/double_fire.wav",    "sounds/triple_fire.wav",  "sounds/points_500.wav",
    "sounds/points_100.wav",     "sounds/health_pack.wav",  "sounds/made_leaderboard.wav",
    "sounds/extra_bomb.wav",     "sounds/smart_bomb.wav"};

const char* TRACKS[] = {"music/echohall.ogg", "music/electro.ogg", "music/vision.ogg",
                        "music/mirrorimage.ogg", "music/trump.ogg"};

struct Rgba {
  int r, g, b, a;
};

// Loads a picture into plain RGBA so tests can read pixels whatever the file format.
struct Pixels {
  int w = 0, h = 0;
  std::vector<Rgba> px;
  bool ok() const { return w > 0; }
  Rgba at(int x, int y) const { return px[(size_t)y * w + x]; }
};

Pixels load(const std::string& rel) {
  Pixels p;
  SDL_Surface* s = IMG_Load((MEDIA_DIR + "/" + rel).c_str());
  if (!s) return p;
  SDL_Surface* c = SDL_CreateRGBSurface(SDL_SWSURFACE, s->w, s->h, 32, 0x000000FF, 0x0000FF00,
                                        0x00FF0000, 0xFF000000);
  SDL_SetAlpha(s, 0, 255);  // copy alpha as data, do not blend
  SDL_BlitSurface(s, nullptr, c, nullptr);
  p.w = c->w;
  p.h = c->h;
  SDL_LockSurface(c);
  for (int y = 0; y < c->h; ++y) {
    const Uint32* row = (const Uint32*)((const Uint8*)c->pixels + y * c->pitch);
    for (int x = 0; x < c->w; ++x) {
      Uint32 v = row[x];
      int a = s->format->Amask ? (int)(v >> 24) : 255;
      p.px.push_back({(int)(v & 255), (int)((v >> 8) & 255), (int)((v >> 16) & 255), a});
    }
  }
  SDL_UnlockSurface(c);
  SDL_FreeSurface(c);
  SDL_FreeSurface(s);
  return p;
}

bool isKey(Rgba c) { return c.r == 254 && c.g == 102 && c.b == 254; }
bool keyIn565(Rgba c) {
  return (c.r >> 3) == (254 >> 3) && (c.g >> 2) == (102 >> 2) && (c.b >> 3) == (254 >> 3);
}

}  // namespace

// ---------------------------------------------------------------- pictures

TEST(MediaPictures, SheetsLoadWithTheGeometryTheLevelCutsThemWith) {
  for (const sheetRow& s : SHEETS) {
    SCOPED_TRACE(s.file);
    Pixels p = load(s.file);
    ASSERT_TRUE(p.ok()) << IMG_GetError();
    int n = std::max(1, s.frames), margin = 2 * static_cast<int>(s.offsets);
    EXPECT_EQ(p.w, (s.width + margin) * std::min(n, 10));
    EXPECT_EQ(p.h, (s.height + margin) * ((n + 9) / 10));
  }
}

TEST(MediaPictures, NoVisibleBmpPixelTurnsTransparentOnA16BitScreen) {
  std::vector<std::string> bmps;
  for (const sheetRow& s : SHEETS)
    if (std::string(s.file).find(".bmp") != std::string::npos) bmps.push_back(s.file);
  for (const Layer& l : scrollingLayers()) bmps.push_back(l.path);
  for (const std::string& path : bmps) {
    SCOPED_TRACE(path);
    Pixels p = load(path);
    ASSERT_TRUE(p.ok());
    int bad = 0;
    for (const Rgba& c : p.px)
      if (!isKey(c) && keyIn565(c)) ++bad;
    EXPECT_EQ(bad, 0);
  }
}

TEST(MediaPictures, WhiteTwinsAreTheFirstFrameInWhite) {
  for (auto [twin, sheet] : WHITE_TWINS) {
    SCOPED_TRACE(twin);
    Pixels w = load(twin), s = load(sheet);
    ASSERT_TRUE(w.ok() && s.ok());
    int shown = 0;
    for (int y = 0; y < w.h; ++y)
      for (int x = 0; x < w.w; ++x) {
        Rgba c = w.at(x, y);
        ASSERT_EQ(isKey(c), isKey(s.at(x, y))) << "outline differs at " << x << "," << y;
        if (!isKey(c)) {
          ++shown;
          EXPECT_TRUE(c.r == 255 && c.g == 255 && c.b == 255) << "not white at " << x << "," << y;
        }
      }
    EXPECT_GT(shown, 0);
  }
}

TEST(MediaPictures, BackgroundLayersAreOpaqueFarAndKeyedNear) {
  for (const Layer& layer : scrollingLayers()) {
    const std::string& path = layer.path;
    SCOPED_TRACE(path);
    Pixels p = load(path);
    ASSERT_TRUE(p.ok());
    EXPECT_EQ(p.w, 640);
    EXPECT_EQ(p.h, 215);
    size_t keyed = (size_t)std::count_if(p.px.begin(), p.px.end(), isKey);
    if (layer.depth == 0) {
      EXPECT_EQ(keyed, 0u) << "the far layer is the sky and must cover the screen";
    } else {
      EXPECT_GT(keyed, p.px.size() / 4) << "near layers must let the sky show";
      EXPECT_LT(keyed, p.px.size() * 19 / 20) << "near layers must show scenery";
      // Nothing floats: the bottom row is solid ground or buildings.
      for (int x = 0; x < p.w; ++x) ASSERT_FALSE(isKey(p.at(x, p.h - 1))) << "hole at column " << x;
    }
  }
}

// ---------------------------------------------------------------- sounds and music

// An effect's format and samples, as SDL reads the file.
struct Wav {
  int rate = 0, channels = 0, bits = 0;
  std::vector<int16_t> samples;
};

static Wav readWav(const std::string& rel) {
  Wav w;
  SDL_AudioSpec file;
  Uint8* bytes = nullptr;
  Uint32 length = 0;
  if (!SDL_LoadWAV((MEDIA_DIR + "/" + rel).c_str(), &file, &bytes, &length)) return w;
  w.rate = file.freq;
  w.channels = file.channels;
  w.bits = file.format & 0xFF;
  for (Uint32 i = 0; w.bits == 16 && i + 1 < length; i += 2)
    w.samples.push_back(static_cast<int16_t>(bytes[i] | bytes[i + 1] << 8));
  SDL_FreeWAV(bytes);
  return w;
}

// The mixer opened as the game opens it, once for the tests that load through it.
struct MediaAudio : ::testing::Test {
  static void SetUpTestSuite() {
    SDL_Init(SDL_INIT_AUDIO);
    opened = Mix_OpenAudio(22050, AUDIO_S16SYS, 2, 1024) == 0;
  }
  static void TearDownTestSuite() {
    if (opened) Mix_CloseAudio();
    SDL_Quit();
  }
  static inline bool opened = false;
};

// An Ogg track: channel count and length, and from 30 s in the middle of it the RMS, the
// peak and per side the mean and the RMS; per side the loudest sample of the last second
// (full scale 1). Two stretches rather than the whole: decoding is most of this test's time.
struct Track {
  int channels = 0;
  double seconds = 0, rms = -1, peak = 0, mean[2] = {0, 0};
  double sideRms[2] = {0, 0}, tailPeak[2] = {1, 1};
};

// Decodes frames [from, from + count) and hands each sample to each(side, value).
template <class Each>
static long decodeStretch(OggVorbis_File& vf, int channels, long from, long count, Each each) {
  if (ov_pcm_seek(&vf, from) != 0) return 0;
  std::vector<int16_t> buf(4096);
  long done = 0;  // samples
  int section = 0;
  while (done < count * channels) {
    long want = std::min<long>((long)buf.size(), count * channels - done) * 2;
    long n = ov_read(&vf, (char*)buf.data(), (int)want, 0, 2, 1, &section);
    if (n <= 0) break;
    for (long i = 0; i < n / 2; ++i) each((int)((done + i) % channels % 2), buf[i] / 32768.0);
    done += n / 2;
  }
  return done;
}

static Track decodeTrack(const std::string& full) {
  Track t;
  OggVorbis_File vf;
  if (ov_fopen(full.c_str(), &vf) != 0) return t;
  t.channels = ov_info(&vf, -1)->channels;
  const long frames = (long)ov_pcm_total(&vf, -1);
  t.seconds = frames / 22050.0;
  double total[2] = {0, 0}, sideSum[2] = {0, 0};
  long count = decodeStretch(vf, t.channels, frames / 2, 30 * 22050, [&](int side, double v) {
    total[side] += v;
    sideSum[side] += v * v;
    t.peak = std::max(t.peak, std::fabs(v));
  });
  double tail[2] = {0, 0};
  decodeStretch(vf, t.channels, frames - 22050, 22050,
                [&](int side, double v) { tail[side] = std::max(tail[side], std::fabs(v)); });
  ov_clear(&vf);
  if (!count) return t;
  double sideFrames = count / (double)t.channels;
  t.rms = std::sqrt((sideSum[0] + sideSum[1]) / count);
  for (int ch = 0; ch < 2; ++ch) {
    t.mean[ch] = total[ch] / sideFrames;
    t.sideRms[ch] = std::sqrt(sideSum[ch] / sideFrames);
    t.tailPeak[ch] = tail[ch];
  }
  return t;
}

// Each tune is decoded once per run.
static const Track& decode(const std::string& full) {
  static std::map<std::string, Track> decoded;
  auto found = decoded.find(full);
  if (found == decoded.end()) found = decoded.emplace(full, decodeTrack(full)).first;
  return found->second;
}

// Each tune outlasts the longest level (the level plays it once), in stereo, without an
// offset; both sides carry it about equally, and its last chord has rung out on both before
// it ends, so no note is cut off.
TEST_F(MediaAudio, TracksLastALevelInBalancedStereoAndEndInSilence) {
  ASSERT_TRUE(opened) << Mix_GetError();
  for (const char* path : TRACKS) {
    SCOPED_TRACE(path);
    std::string full = MEDIA_DIR + "/" + path;
    Mix_Music* m = Mix_LoadMUS(full.c_str());
    EXPECT_NE(m, nullptr) << Mix_GetError();
    if (m) Mix_FreeMusic(m);
    const Track& t = decode(full);
    ASSERT_EQ(t.channels, 2);
    EXPECT_GE(t.seconds, 360.0);  // a struggling player's level lasts five minutes
    EXPECT_LE(t.seconds, 420.0);
    EXPECT_LT(t.peak, 0.999) << "clipped";
    for (int side = 0; side < 2; side++) {
      SCOPED_TRACE(side == 0 ? "left" : "right");
      EXPECT_LE(std::fabs(t.mean[side]), 0.003);
      EXPECT_GT(t.sideRms[side], 0.05);
      EXPECT_LT(t.tailPeak[side], 0.002) << "the end is cut off";
    }
    EXPECT_NEAR(t.sideRms[0], t.sideRms[1], 0.25 * std::max(t.sideRms[0], t.sideRms[1]));
  }
}

// Effects are short, centred and heard over the music without drowning it.
TEST_F(MediaAudio, EffectsAre22kHz16BitShortAndNoLouderThanTheMusic) {
  ASSERT_TRUE(opened) << Mix_GetError();
  double quietestTune = 1;
  for (const char* path : TRACKS)
    quietestTune = std::min(quietestTune, decode(MEDIA_DIR + "/" + path).rms);
  ASSERT_GT(quietestTune, 0.0);
  for (const char* path : SOUNDS) {
    SCOPED_TRACE(path);
    Mix_Chunk* c = Mix_LoadWAV((MEDIA_DIR + "/" + path).c_str());
    EXPECT_NE(c, nullptr) << Mix_GetError();
    if (c) Mix_FreeChunk(c);
    Wav w = readWav(path);
    EXPECT_EQ(w.rate, 22050);
    EXPECT_EQ(w.bits, 16);
    EXPECT_EQ(w.channels, 1);
    double sec = (double)w.samples.size() / 22050, mean = 0, squares = 0, peak = 0;
    EXPECT_GT(sec, 0.05);
    EXPECT_LT(sec, 1.7);
    for (int16_t v : w.samples) {
      mean += v / 32768.0 / w.samples.size();
      squares += (double)v * v;
      peak = std::max(peak, std::abs(v / 32768.0));
    }
    EXPECT_LE(std::fabs(mean), 0.01) << "offset";
    EXPECT_GT(peak, 0.1) << "too quiet to hear over the music";
    EXPECT_LT(peak, 0.8) << "louder than the music";
    EXPECT_LE(std::sqrt(squares / w.samples.size()) / 32768.0, quietestTune * 1.12)
        << "louder than the quietest tune";  // 1 dB of slack
  }
}

// ---------------------------------------------------------------- determinism

// Runs the built generator into dir; a cross build's through the emulator CTest names.
static int runMediagen(const std::string& dir) {
  const char* emulator = std::getenv("SKARNFALL_EMULATOR");
  std::string command =
      std::string(emulator ? emulator : "") + " \"" MEDIAGEN_PATH "\" \"" + dir + "\" > /dev/null";
  return std::system(command.c_str());
}

// The build has already run the generator once: a second run into a fresh folder must
// write the same bytes (one run, not two, since a cross build's runs are emulated).
TEST(MediaGenerator, ASecondRunWritesIdenticalBytes) {
  std::string a = ::testing::TempDir() + "/mediagen_" + std::to_string((long)getpid());
  ASSERT_EQ(runMediagen(a), 0);
  // Every file the generator writes, icons and the font's licence included.
  size_t compared = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(a)) {
    if (!entry.is_regular_file()) continue;
    std::string f = std::filesystem::relative(entry.path(), a).string();
    std::string x = readWholeFile(entry.path().string());
    EXPECT_FALSE(x.empty()) << f;
    EXPECT_TRUE(x == readWholeFile(MEDIA_DIR + "/" + f))
        << f << " differs from the game directory's";
    ++compared;
  }
  EXPECT_GE(compared, SHEETS.size() + std::size(SOUNDS) + std::size(TRACKS));
  std::filesystem::remove_all(a);
}
