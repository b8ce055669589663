/* Benchmark probe, preloaded into the real game by startup.sh: notes the wall-clock time
 * of the first flip (the title picture's first frame), of the flip that shows the
 * "Loading..." text and of the flip after it (the level's first frame), on stderr; and
 * where the start-up went: loading the libraries (until this probe's constructor runs),
 * SDL_Init, SDL_SetVideoMode and the rest up to the first frame.
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

static double librariesLoadedMs = 0.0, initMs = 0.0, videoModeMs = 0.0;

__attribute__((constructor)) static void notePreloaded(void) { librariesLoadedMs = nowMs(); }

int SDL_Init(unsigned int flags) {
  static int (*real)(unsigned int) = NULL;
  if (real == NULL) real = (int (*)(unsigned int))dlsym(RTLD_NEXT, "SDL_Init");
  double start = nowMs();
  int result = real(flags);
  initMs += nowMs() - start;
  return result;
}

void* SDL_SetVideoMode(int width, int height, int bpp, unsigned int flags) {
  static void* (*real)(int, int, int, unsigned int) = NULL;
  if (real == NULL)
    real = (void* (*)(int, int, int, unsigned int))dlsym(RTLD_NEXT, "SDL_SetVideoMode");
  double start = nowMs();
  void* result = real(width, height, bpp, flags);
  videoModeMs += nowMs() - start;
  return result;
}

static void notePhases(double firstFrameMs) {
  double libraries = librariesLoadedMs - launchMs();
  fprintf(stderr, "probe: phase libraries %.1f ms\n", libraries);
  fprintf(stderr, "probe: phase SDL_Init %.1f ms\n", initMs);
  fprintf(stderr, "probe: phase SDL_SetVideoMode %.1f ms\n", videoModeMs);
  fprintf(stderr, "probe: phase rest %.1f ms\n",
          firstFrameMs - librariesLoadedMs - initMs - videoModeMs);
}

int SDL_Flip(void* screen) {
  static int (*real)(void*) = NULL;
  if (real == NULL) real = (int (*)(void*))dlsym(RTLD_NEXT, "SDL_Flip");
  int result = real(screen);
  double now = nowMs();
  flips++;
  if (flips == 1) {
    fprintf(stderr, "probe: first frame %.1f ms after launch\n", now - launchMs());
    notePhases(now);
  }
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
  if (real == NULL)
    real = (void* (*)(void*, const char*, probeColour))dlsym(RTLD_NEXT, "TTF_RenderText_Blended");
  if (text != NULL && strcmp(text, "Loading...") == 0) loadingState = 1;
  return real(font, text, colour);
}
