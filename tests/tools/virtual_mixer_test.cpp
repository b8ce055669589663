// The runner's mixer: each channel is freed once its effect has played for its length in
// virtual time, counted from the read that first saw it playing, on every channel.
#include "tools/runner/virtual_mixer.h"

#include <SDL/SDL_mixer.h>
#include <gtest/gtest.h>

#include <vector>

namespace {
// 22050 Hz, two channels of 16 bits: 88.2 bytes a millisecond.
const int RATE = 22050;
Uint32 bytesFor(Uint32 ms) { return ms * RATE / 1000 * 4; }
}  // namespace

TEST(VirtualMixer, FreesEachChannelWhenItsEffectHasPlayedThroughInVirtualTime) {
  SDL_Init(SDL_INIT_AUDIO);
  ASSERT_EQ(Mix_OpenAudio(RATE, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
  int frequency = 0, outputs = 0;
  Uint16 format = 0;
  ASSERT_NE(Mix_QuerySpec(&frequency, &format, &outputs), 0);
  ASSERT_EQ(frequency, RATE);
  ASSERT_EQ(outputs, 2);
  Mix_AllocateChannels(4);
  // Effects seconds long, so that the real device cannot play one through during the test.
  const struct {
    int channel;
    Uint32 startMs, lengthMs;
  } effects[] = {{0, 1000, 3000}, {3, 1500, 2000}, {1, 5000, 2500}};
  std::vector<std::vector<Uint8>> sounds;
  std::vector<Mix_Chunk*> chunks;
  for (const auto& e : effects) sounds.emplace_back(bytesFor(e.lengthMs), 0);
  virtualMixer mixer;
  Uint32 now = 0;
  size_t started = 0;
  // Every read from 0 to 8 s; each channel must be busy up to its end and free from then.
  for (now = 0; now <= 8000; now++) {
    if (started < std::size(effects) && effects[started].startMs == now) {
      const auto& e = effects[started];
      chunks.push_back(Mix_QuickLoad_RAW(sounds[started].data(), bytesFor(e.lengthMs)));
      ASSERT_EQ(Mix_PlayChannel(e.channel, chunks.back(), 0), e.channel);
      started++;
    }
    mixer.onRead(now);
    for (size_t i = 0; i < started; i++) {
      const auto& e = effects[i];
      // Whole milliseconds of bytes may make the end a few milliseconds late, never early.
      bool busy = Mix_Playing(e.channel) != 0;
      if (now < e.startMs + e.lengthMs) {
        ASSERT_TRUE(busy) << "channel " << e.channel << " freed early at " << now << " ms";
      } else if (now >= e.startMs + e.lengthMs * 101 / 100) {
        ASSERT_FALSE(busy) << "channel " << e.channel << " still busy at " << now << " ms";
      }
    }
  }
  for (Mix_Chunk* chunk : chunks) Mix_FreeChunk(chunk);
  Mix_CloseAudio();
  SDL_Quit();
}
