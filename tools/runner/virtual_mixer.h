// Sound channels kept in step with the run's virtual clock.
#pragma once
#include <SDL/SDL.h>

#include <vector>

// The dummy sound device plays in real time while a headless run's clock races ahead, so
// its channels would stay busy for many virtual seconds and the game's effects would find
// none free. This frees each channel once its effect has played for its length in virtual
// time, as a real device would have freed it; what is mixed is not otherwise touched.
class virtualMixer {
 public:
  // Call on every read of the virtual clock.
  void onRead(Uint32 nowMs);

 private:
  struct channelState {
    const void* chunk;  // the effect seen playing, or null
    Uint32 endsAtMs;    // virtual time at which it has played through
  };
  std::vector<channelState> channels;
};
