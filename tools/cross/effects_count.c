/* How much effect sound a run of the game starts: loaded before SDL_mixer (LD_PRELOAD) into
 * the host's runner, it adds up the bytes of each effect started and writes, at exit, to
 * the file EFFECTS_OUT: "effects COUNT BYTES". */
#define _GNU_SOURCE
#include <SDL/SDL_mixer.h>
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>

static long started;
static unsigned long long bytes;

int Mix_PlayChannelTimed(int channel, Mix_Chunk* chunk, int loops, int ticks) {
  static int (*play)(int, Mix_Chunk*, int, int);
  if (play == NULL)
    play = (int (*)(int, Mix_Chunk*, int, int))dlsym(RTLD_NEXT, "Mix_PlayChannelTimed");
  int result = play(channel, chunk, loops, ticks);
  if (result >= 0 && chunk != NULL) {
    started++;
    bytes += (unsigned long long)chunk->alen * (unsigned)(loops + 1);
  }
  return result;
}

__attribute__((destructor)) static void report(void) {
  const char* path = getenv("EFFECTS_OUT");
  FILE* out = path != NULL ? fopen(path, "w") : NULL;
  if (out == NULL) return;
  fprintf(out, "effects %ld %llu\n", started, bytes);
  fclose(out);
}
