/* The least a 60-frames-a-second SDL 1.2 program can spend presenting: a 320x240 16-bit
 * display filled and flipped once a tick, input pumped, nothing else drawn, no sound.
 * Prints the processor time it used over the wall-clock time, as cpu.sh samples the game.
 * Usage: present_floor [SECONDS]   (default 10) */
#include <SDL/SDL.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/resource.h>

static double processorMs(void) {
  struct rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec * 1e3 + usage.ru_utime.tv_usec / 1e3 + usage.ru_stime.tv_sec * 1e3 +
         usage.ru_stime.tv_usec / 1e3;
}

int main(int argc, char** argv) {
  const Uint32 TICK_MS = 16;
  Uint32 seconds = argc > 1 ? (Uint32)atoi(argv[1]) : 10;
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
  SDL_Surface* display = SDL_SetVideoMode(320, 240, 16, SDL_FULLSCREEN);
  if (display == NULL) return 1;
  double startCpu = processorMs();
  Uint32 start = SDL_GetTicks(), next = start;
  for (Uint32 frame = 0; SDL_GetTicks() - start < seconds * 1000; frame++) {
    SDL_FillRect(display, NULL, frame * 2654435761u);
    SDL_Flip(display);
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
    next += TICK_MS;
    Uint32 now = SDL_GetTicks();
    if (next > now) SDL_Delay(next - now);
  }
  double wallMs = SDL_GetTicks() - start;
  printf("fill and flip at 60 frames a second: %.2f%% of one core\n",
         100.0 * (processorMs() - startCpu) / wallMs);
  SDL_Quit();
  return 0;
}
