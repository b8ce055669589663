/* Benchmark probe, preloaded into the real game by startup.sh: notes the wall-clock time
 * of the first flip (the title picture's first frame), of the flip that shows the
 * "Loading..." text and of the flip after it (the level's first frame), on stderr.
 * The launch time comes from SKARNFALL_BENCH_LAUNCH_NS (nanoseconds since the epoch). */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

typedef struct {
  unsigned char r, g, b, unused;
} probeColour;

static int flips = 0;
static int loadingState = 0; /* 1: "Loading..." rendered, 2: shown */
static double loadingShownMs = 0.0;

static double nowMs(void) {
  struct timespec t;
  clock_gettime(CLOCK_REALTIME, &t);
  return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

static double launchMs(void) {
  const char* launch = getenv("SKARNFALL_BENCH_LAUNCH_NS");
  return launch != NULL ? strtoll(launch, NULL, 10) / 1e6 : 0.0;
}

int SDL_Flip(void* screen) {
  static int (*real)(void*) = NULL;
  if (real == NULL) real = (int (*)(void*))dlsym(RTLD_NEXT, "SDL_Flip");
  int result = real(screen);
  double now = nowMs();
  flips++;
  if (flips == 1) fprintf(stderr, "probe: first frame %.1f ms after launch\n", now - launchMs());
  if (loadingState == 1) {
    loadingState = 2;
    loadingShownMs = now;
  } else if (loadingState == 2) {
    loadingState = 0;
    fprintf(stderr, "probe: level's first frame %.1f ms after \"Loading...\"\n",
            now - loadingShownMs);
  }
  fflush(stderr);
  return result;
}

void* TTF_RenderText_Blended(void* font, const char* text, probeColour colour) {
  static void* (*real)(void*, const char*, probeColour) = NULL;
  if (real == NULL) real = (void* (*)(void*, const char*, probeColour))dlsym(RTLD_NEXT, "TTF_RenderText_Blended");
  if (text != NULL && strcmp(text, "Loading...") == 0) loadingState = 1;
  return real(font, text, colour);
}
