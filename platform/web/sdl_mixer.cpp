// The mixer calls answered here in the browser build: a sound effect is one buffer source
// played into its channel's gain node, made once, where the emulation makes a source, a
// panner and a gain node for every effect and handles an event as each ends; and a tune
// streams from the server while it plays, where the emulation wants its whole file first.
#include <SDL/SDL_mixer.h>
#include <emscripten.h>

#include <cstdint>

// The emulation's own call, for what the short way cannot play.
#undef Mix_PlayChannel
extern "C" int Mix_PlayChannel(int channel, Mix_Chunk* chunk, int loops);

namespace {
const int NOT_HERE = -2;  // not a decoded Web Audio effect: the emulation plays it

// Plays effect id (the emulation's chunk number) on channel, or on the first free channel
// when channel is -1; returns the channel, -1 when all are busy, or NOT_HERE. A channel is
// free once its effect has stopped or played to its end by the audio clock, so no event
// has to mark it; its gain node follows the channel's volume (Mix_Volume sets it).
EM_JS(int, playEffectJs, (int channel, int id, int loops), {
  var chunk = SDL.audios[id], context = SDL.audioContext;
  var buffer = chunk && chunk.webAudio ? chunk.webAudio.decodedBuffer : null;
  if (!buffer || !context) return -2;
  if (channel == -1) {
    for (var i = SDL.channelMinimumNumber; i < SDL.numChannels && channel == -1; i++) {
      var playing = SDL.channels[i].audio;
      if (!playing || playing.paused) channel = i;
    }
    if (channel == -1) return -1;
  }
  var at = SDL.channels[channel];
  if (!at) return -1;
  if (at.audio) at.audio.pause();  // a channel plays one effect at a time
  if (!at.gainNode) {
    at.gainNode = context.createGain();
    at.gainNode.connect(context.destination);
  }
  at.gainNode.gain.value = at.volume;
  var source = context.createBufferSource(), stopped = false;
  var endsAt = loops ? Infinity : context.currentTime + buffer.duration;  // in seconds
  source.buffer = buffer;
  source.loop = loops != 0;
  source.connect(at.gainNode);
  source.start(0);
  // Shaped as the emulation's channels expect: Mix_HaltChannel pauses, Mix_Volume sets
  // the gain, Mix_Playing asks whether it is paused.
  var effect = {webAudioGainNode : at.gainNode};
  effect.pause = function() {
    if (stopped) return;
    stopped = true;
    source.stop(0);
    source.disconnect();
  };
  var ended = function() { return stopped || context.currentTime >= endsAt; };
  Object.defineProperty(effect, 'paused', {get : ended});
  at.audio = effect;
  return channel;
});

// A tune as the emulation keeps one (an <audio> element in its list), streamed from the
// page's address for the file (media.js), else made from the file in memory. Returns its
// number in the list, 0 when there is no such file.
EM_JS(int, loadMusicJs, (const char* file), {
  var name = UTF8ToString(file);
  var url = Module['skarnfallMediaUrl'] ? Module['skarnfallMediaUrl'](name) : null;
  if (!url) {
    try {
      url = URL.createObjectURL(new Blob([FS.readFile(name)]));
    } catch (e) {
      return 0;
    }
  }
  var audio = new Audio();
  audio.preload = 'auto';
  audio.src = url;
  // A tune that cannot play (no network, a refused autoplay) is silence, not an error.
  var play = audio.play;
  audio.play = function() {
    var playing = play.call(this);
    if (playing && playing.catch) playing.catch(function(){});
    return playing;
  };
  SDL.audios.push({source : name, audio : audio, webAudio : undefined});
  return SDL.audios.length - 1;
});
}  // namespace

extern "C" Mix_Music* Mix_LoadMUS(const char* file) {
  return reinterpret_cast<Mix_Music*>(static_cast<std::intptr_t>(loadMusicJs(file)));
}

extern "C" int Mix_PlayChannelTimed(int channel, Mix_Chunk* chunk, int loops, int /*ticks*/) {
  int id = static_cast<int>(reinterpret_cast<std::intptr_t>(chunk));
  int played = playEffectJs(channel, id, loops);
  return played != NOT_HERE ? played : Mix_PlayChannel(channel, chunk, loops);
}
