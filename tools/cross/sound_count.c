/* The handheld's sound thread at work: SDL_mixer opened as the game opens it, the tunes
 * playing in turn and CHANNELS effects looping, until SECONDS of sound are mixed. Run with
 * SDL's disk audio driver, no delay, so the thread mixes as fast as it can. */
#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static volatile long mixedBytes;

static void countMixed(void* unused, Uint8* stream, int len) {
  (void)unused;
  (void)stream;
  mixedBytes += len;
}

/* Usage: sound-count SECONDS CHANNELS TUNE... : EFFECT... */
int main(int argc, char** argv) {
  int split = 3;
  while (split < argc && strcmp(argv[split], ":") != 0) split++;
  if (argc < 6 || split == 3 || split + 1 >= argc) {
    fprintf(stderr, "Usage: %s SECONDS CHANNELS TUNE... : EFFECT...\n", argv[0]);
    return 2;
  }
  double seconds = atof(argv[1]);
  int channels = atoi(argv[2]), tunes = split - 3, effects = argc - split - 1;
  /* the game's own opening: 22050 Hz, 16-bit, stereo, 1024 samples a buffer, 16 channels */
  if (SDL_Init(SDL_INIT_AUDIO) != 0 || Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 1024) != 0) {
    fprintf(stderr, "%s: no audio: %s\n", argv[0], SDL_GetError());
    return 1;
  }
  Mix_AllocateChannels(16);
  int rate, outChannels;
  Uint16 format;
  Mix_QuerySpec(&rate, &format, &outChannels);
  long bytesPerSecond = (long)rate * outChannels * 2;
  for (int c = 0; c < channels; c++) {
    Mix_Chunk* chunk = Mix_LoadWAV(argv[split + 1 + c % effects]);
    if (chunk == NULL || Mix_PlayChannel(c, chunk, -1) < 0) {
      fprintf(stderr, "%s: %s: %s\n", argv[0], argv[split + 1 + c % effects], Mix_GetError());
      return 1;
    }
  }
  Mix_SetPostMix(countMixed, NULL);
  for (int t = 0; t < tunes; t++) {
    Mix_Music* music = Mix_LoadMUS(argv[3 + t]);
    if (music == NULL || Mix_PlayMusic(music, -1) != 0) {
      fprintf(stderr, "%s: %s: %s\n", argv[0], argv[3 + t], Mix_GetError());
      return 1;
    }
    while (mixedBytes < (long)(seconds * bytesPerSecond * (t + 1) / tunes)) SDL_Delay(1);
    Mix_HaltMusic();
    Mix_FreeMusic(music);
  }
  SDL_LockAudio();
  long mixed = mixedBytes;
  SDL_UnlockAudio();
  Mix_CloseAudio();
  printf("%.3f seconds at %d Hz\n", (double)mixed / bytesPerSecond, rate);
  return 0;
}
