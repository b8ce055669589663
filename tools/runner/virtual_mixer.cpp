// Freeing the mixer's channels by virtual time (see virtual_mixer.h).
#include "tools/runner/virtual_mixer.h"

#include <SDL/SDL_mixer.h>

#include "platform/sdl_bridges.h"

#ifndef SKARNFALL_WEB
namespace {
// The playing time of an effect at the mixer's output rate, in milliseconds.
Uint32 lengthMs(const Mix_Chunk* chunk) {
  int frequency = 0, outputs = 0;
  Uint16 format = 0;
  if (chunk == nullptr || queryMixer(&frequency, &format, &outputs) == 0) return 0;
  Uint32 bytesPerMs = static_cast<Uint32>(frequency * outputs * ((format & 0xFF) / 8)) / 1000;
  return bytesPerMs == 0 ? 0 : chunk->alen / bytesPerMs;
}
}  // namespace
#endif

void virtualMixer::onRead(Uint32 nowMs) {
#ifdef SKARNFALL_WEB
  // The browser's mixer keeps no chunks to look at, and ends each effect in real time.
  (void)nowMs;
#else
  int count = Mix_AllocateChannels(-1);
  channels.resize(static_cast<size_t>(count < 0 ? 0 : count), channelState{nullptr, 0});
  for (int i = 0; i < count; i++) {
    channelState& state = channels[static_cast<size_t>(i)];
    Mix_Chunk* chunk = Mix_Playing(i) ? Mix_GetChunk(i) : nullptr;
    if (chunk != state.chunk) state = {chunk, nowMs + lengthMs(chunk)};
    if (chunk != nullptr && static_cast<Sint32>(nowMs - state.endsAtMs) >= 0) {
      Mix_HaltChannel(i);
      state = {nullptr, 0};
    }
  }
#endif
}
