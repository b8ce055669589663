/* A qemu-user TCG plugin that counts the ARM instructions and ARM9 cycles of each frame on
 * the main thread, by the mapping that holds them and by what the game was drawing when it
 * asked for them; or, without symbols, each thread's whole run. */
#include <pthread.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "arm9_cycles.h"
#include "qemu_plugin_api.h"

QEMU_PLUGIN_EXPORT int qemu_plugin_version = QEMU_PLUGIN_VERSION;

/* Where a block's instructions are charged. libgcc's helpers go to whoever called them:
 * the game's calls make their own column, SDL's and libc's stay with SDL and libc. */
enum { R_GAME, R_HELPERS, R_SDL12, R_SDL2, R_SDLLIBS, R_OTHER, R_COUNT };
static const char* REGION_NAMES[R_COUNT] = {"game", "helpers", "sdl12", "sdl2", "sdllibs", "other"};

#define MAX_CATEGORIES 16
#define MAX_DEPTH 64
#define MAX_THREADS 64

/* A function of the game's program named in the symbol file, by link-time address. */
struct symbol {
  uint64_t start, end;
  int kind; /* -1 helper, -2 frame entry, else the category it marks */
};

struct block {
  uint64_t vaddr;
  uint64_t returnTo;    /* after a block that ends in a call: where the callee returns; else 0 */
  uint64_t fallThrough; /* the address after the block's last instruction */
  uint32_t insns;
  uint32_t cycles;     /* ARM9 cycles with the last instruction's pc change not taken */
  uint8_t takenExtra;  /* what that change adds when taken */
  uint8_t alwaysTaken; /* an unconditional change, taken even to the next address */
  int8_t region;
  int8_t marks; /* the category entered here, or -1 */
  uint8_t frameEntry;
};

struct mapping {
  uint64_t start, end;
  int region;
};

static pthread_mutex_t lock = PTHREAD_MUTEX_INITIALIZER;
static struct symbol* symbols;
static int symbolCount;
static char categoryNames[MAX_CATEGORIES][32] = {"other"};
static int categoryCount = 1;
static uint64_t loadBias; /* runtime address minus link-time address, in the program */
static uint64_t codeStart, codeEnd;
static uint64_t linkBase; /* where the program's first segment is linked */
static struct mapping* mappings;
static char programName[256];
static uint64_t guestBase; /* host address of guest address 0 */
static int guestBaseKnown;
static int mappingCount;
static FILE* out;
/* Each thread's instructions and cycles, when no symbol file is given; vCPU 0 is the main
 * thread. The block each ran last, whose ending branch its next block shows taken or not. */
static uint64_t threadInsns[MAX_THREADS], threadCycles[MAX_THREADS];
static const struct block* lastBlock[MAX_THREADS];

/* The main thread's state; only vCPU 0's callbacks touch it. */
static uint64_t counts[MAX_CATEGORIES][R_COUNT], cycles[MAX_CATEGORIES][R_COUNT];
static uint64_t lastCounts[MAX_CATEGORIES][R_COUNT], lastCycles[MAX_CATEGORIES][R_COUNT];
static uint64_t frameReturn; /* where the frame's function returns to */
static int frameReturned;    /* the latest frame's function has returned: lastCounts hold it */
static int lastCategory, lastRegion;
static int owner = R_GAME;
static struct {
  int category;
  uint64_t returnTo;
} marks[MAX_DEPTH];
static int depth;
static const struct block* previous;
static long framesSeen;
static uint64_t lastCall;   /* the game's latest call instruction, link-time address */
static uint64_t callerSite; /* the game's call that the libraries are working for */

/* Library work by the game's call that asked for it: the frame's own until it is complete,
 * then added to the whole run's. */
#define SITE_SLOTS 4096
#define FRAME_SITES 512
struct site {
  uint64_t site;
  uint64_t insns[R_COUNT];
};
static struct site sites[SITE_SLOTS], frameSites[FRAME_SITES];

static int regionOfPath(const char* path) {
  const char* base = strrchr(path, '/');
  base = base ? base + 1 : path;
  if (strncmp(base, "libSDL2", 7) == 0) return R_SDL2;
  if (strncmp(base, "libSDL-1.2", 10) == 0) return R_SDL12;
  if (strncmp(base, "libSDL", 6) == 0) return R_SDLLIBS;
  if (strncmp(base, "libgcc_s", 8) == 0) return R_HELPERS;
  return R_OTHER;
}

/* The emulated program's files are mapped into qemu's own address space (without the
 * right to execute, as qemu runs its translations instead), so qemu's /proc/self/maps
 * names the library behind each guest address, once moved by where guest memory starts. */
static void readMappings(void) {
  FILE* maps = fopen("/proc/self/maps", "r");
  if (maps == NULL) return;
  free(mappings);
  mappings = NULL;
  mappingCount = 0;
  int capacity = 0;
  char line[4096];
  while (fgets(line, sizeof line, maps) != NULL) {
    unsigned long long start, end;
    char perms[8], path[3072] = "";
    unsigned long long offset;
    if (sscanf(line, "%llx-%llx %7s %llx %*s %*s %3071s", &start, &end, perms, &offset, path) < 4)
      continue;
    if (path[0] != '/') continue;
    const char* base = strrchr(path, '/') + 1;
    if (offset == 0 && strcmp(base, programName) == 0 && codeStart != 0 && !guestBaseKnown) {
      guestBase = start - codeStart;
      guestBaseKnown = 1;
    }
    if (mappingCount == capacity) {
      capacity = capacity ? capacity * 2 : 64;
      mappings = realloc(mappings, capacity * sizeof *mappings);
    }
    mappings[mappingCount].start = start;
    mappings[mappingCount].end = end;
    mappings[mappingCount].region = regionOfPath(path);
    mappingCount++;
  }
  fclose(maps);
}

static int findMapping(uint64_t host) {
  for (int i = 0; i < mappingCount; i++)
    if (host >= mappings[i].start && host < mappings[i].end) return mappings[i].region;
  return -1;
}

static int regionOfHost(uint64_t host) {
  int region = findMapping(host);
  if (region < 0) {
    readMappings(); /* a library loaded since the last reading */
    region = findMapping(host);
  }
  return region < 0 ? R_OTHER : region;
}

static const struct symbol* symbolAt(uint64_t link) {
  for (int i = 0; i < symbolCount; i++)
    if (link >= symbols[i].start && link < symbols[i].end) return &symbols[i];
  return NULL;
}

static uint32_t word(const struct qemu_plugin_insn* insn) {
  uint32_t value = 0;
  if (qemu_plugin_insn_size(insn) == 4) memcpy(&value, qemu_plugin_insn_data(insn), 4);
  return value;
}

/* ARM calls: BL, BLX (immediate or register), or "mov lr, pc" before a branch to a
 * register, as ARMv4T code calls through pointers. The callee returns just past it. */
static uint64_t returnAddress(const struct qemu_plugin_tb* tb, size_t n) {
  const struct qemu_plugin_insn* last = qemu_plugin_tb_get_insn(tb, n - 1);
  uint32_t w = word(last);
  int call = ((w & 0x0F000000u) == 0x0B000000u && (w >> 28) != 0xFu) ||
             (w & 0xFE000000u) == 0xFA000000u || (w & 0x0FFFFFF0u) == 0x012FFF30u;
  if (!call && n >= 2) call = word(qemu_plugin_tb_get_insn(tb, n - 2)) == 0xE1A0E00Fu;
  return call ? qemu_plugin_insn_vaddr(last) + 4 : 0;
}

/* The slot of a call site in an open-addressed table, or null when the table is full. */
static struct site* siteSlot(struct site* table, unsigned slots, uint64_t site) {
  unsigned slot = (unsigned)(site >> 2) % slots;
  for (unsigned probe = 0; probe < slots; probe++, slot = (slot + 1) % slots) {
    if (table[slot].site == site || table[slot].site == 0) {
      table[slot].site = site;
      return &table[slot];
    }
  }
  return NULL;
}

static void chargeSite(int region, uint32_t insns) {
  struct site* slot = siteSlot(frameSites, FRAME_SITES, callerSite);
  if (slot != NULL) slot->insns[region] += insns;
}

static void keepFrameSites(void) {
  for (int i = 0; i < FRAME_SITES; i++) {
    if (frameSites[i].site == 0) continue;
    struct site* slot = siteSlot(sites, SITE_SLOTS, frameSites[i].site);
    for (int r = 0; r < R_COUNT && slot != NULL; r++) slot->insns[r] += frameSites[i].insns[r];
  }
  memset(frameSites, 0, sizeof frameSites);
}

/* A frame's line: its instructions, then its cycles, by category and region. */
static void emitFrame(uint64_t insns[][R_COUNT], uint64_t cyc[][R_COUNT]) {
  fprintf(out, "frame %ld", framesSeen);
  for (int c = 0; c < categoryCount; c++)
    for (int r = 0; r < R_COUNT; r++) fprintf(out, " %llu", (unsigned long long)insns[c][r]);
  for (int c = 0; c < categoryCount; c++)
    for (int r = 0; r < R_COUNT; r++) fprintf(out, " %llu", (unsigned long long)cyc[c][r]);
  fputc('\n', out);
}

/* What the previous block's last instruction added by changing the pc, if it did. */
static unsigned takenCycles(const struct block* previousBlock, const struct block* b) {
  if (previousBlock == NULL || previousBlock->takenExtra == 0) return 0;
  int taken = previousBlock->alwaysTaken || b->vaddr != previousBlock->fallThrough;
  return taken ? previousBlock->takenExtra : 0;
}

static void onThreadBlock(unsigned int vcpu, void* data) {
  const struct block* b = data;
  if (vcpu >= MAX_THREADS) vcpu = MAX_THREADS - 1;
  threadInsns[vcpu] += b->insns;
  threadCycles[vcpu] += b->cycles + takenCycles(lastBlock[vcpu], b);
  lastBlock[vcpu] = b;
}

static void onBlock(unsigned int vcpu, void* data) {
  if (vcpu != 0) return;
  const struct block* b = data;
  cycles[lastCategory][lastRegion] += takenCycles(previous, b);
  if (framesSeen > 0 && !frameReturned && b->vaddr == frameReturn) {
    /* the frame's function is done: what follows may be the run's end, not a frame */
    memcpy(lastCounts, counts, sizeof counts);
    memcpy(lastCycles, cycles, sizeof cycles);
    frameReturned = 1;
  }
  while (depth > 0 && b->vaddr == marks[depth - 1].returnTo) depth--;
  if (b->frameEntry) {
    if (framesSeen > 0) {
      emitFrame(counts, cycles);
      keepFrameSites();
    }
    memset(counts, 0, sizeof counts);
    memset(cycles, 0, sizeof cycles);
    memset(frameSites, 0, sizeof frameSites);
    framesSeen++;
    frameReturn = previous != NULL ? previous->returnTo : 0;
    frameReturned = 0;
  }
  if (b->marks >= 0 && depth < MAX_DEPTH) {
    uint64_t returnTo = previous != NULL ? previous->returnTo : 0;
    int reentered = depth > 0 && marks[depth - 1].category == b->marks;
    if (returnTo == 0 && depth > 0) returnTo = marks[depth - 1].returnTo; /* a tail call */
    if (returnTo != 0 && !(reentered && returnTo == marks[depth - 1].returnTo)) {
      marks[depth].category = b->marks;
      marks[depth].returnTo = returnTo;
      depth++;
    }
  }
  int region = b->region;
  if (region == R_HELPERS) {
    if (owner != R_GAME) region = owner;
  } else {
    if (owner == R_GAME && region != R_GAME) callerSite = lastCall;
    owner = region;
  }
  if (region == R_GAME && b->returnTo != 0) lastCall = b->returnTo - 4 - loadBias;
  if (framesSeen > 0 && region != R_GAME && region != R_HELPERS) chargeSite(region, b->insns);
  lastCategory = depth > 0 ? marks[depth - 1].category : 0;
  lastRegion = region;
  counts[lastCategory][region] += b->insns;
  cycles[lastCategory][region] += b->cycles;
  previous = b;
}

/* The block's ARM9 cycles, each instruction weighed with the one after it. */
static void weighBlock(const struct qemu_plugin_tb* tb, size_t n, struct block* b) {
  const struct qemu_plugin_insn* last = qemu_plugin_tb_get_insn(tb, n - 1);
  unsigned taken = 0;
  for (size_t i = 0; i < n; i++) {
    const struct qemu_plugin_insn* insn = qemu_plugin_tb_get_insn(tb, i);
    if (qemu_plugin_insn_size(insn) != 4) { /* Thumb: not weighed, one cycle */
      b->cycles += 1;
      continue;
    }
    uint32_t next = i + 1 < n ? word(qemu_plugin_tb_get_insn(tb, i + 1)) : 0;
    b->cycles += arm9Cycles(word(insn), next, i + 1 < n, &taken);
  }
  uint32_t w = word(last);
  b->takenExtra = (uint8_t)taken;
  b->alwaysTaken = (w >> 28) >= 0xEu;
  b->fallThrough = qemu_plugin_insn_vaddr(last) + qemu_plugin_insn_size(last);
}

static void onTranslate(qemu_plugin_id_t id, struct qemu_plugin_tb* tb) {
  (void)id;
  size_t n = qemu_plugin_tb_n_insns(tb);
  if (n == 0) return;
  struct block* b = calloc(1, sizeof *b);
  b->vaddr = qemu_plugin_tb_vaddr(tb);
  b->insns = (uint32_t)n;
  b->marks = -1;
  weighBlock(tb, n, b);
  if (symbols == NULL) {
    qemu_plugin_register_vcpu_tb_exec_cb(tb, onThreadBlock, QEMU_PLUGIN_CB_NO_REGS, b);
    return;
  }
  if (codeEnd == 0) {
    /* The program is loaded after the plugin, so its place is learnt here. */
    codeStart = qemu_plugin_start_code();
    loadBias = codeStart - linkBase;
    codeEnd = qemu_plugin_end_code();
    const char* path = qemu_plugin_path_to_binary();
    const char* slash = path != NULL ? strrchr(path, '/') : NULL;
    snprintf(programName, sizeof programName, "%s", slash ? slash + 1 : path ? path : "");
  }
  b->returnTo = returnAddress(tb, n);
  if (b->vaddr >= codeStart && b->vaddr < codeEnd) {
    const struct symbol* s = symbolAt(b->vaddr - loadBias);
    b->region = s != NULL && s->kind == -1 ? R_HELPERS : R_GAME;
    if (s != NULL && s->start == b->vaddr - loadBias) {
      b->frameEntry = s->kind == -2;
      if (s->kind >= 0) b->marks = (int8_t)s->kind;
    }
  } else {
    pthread_mutex_lock(&lock);
    if (!guestBaseKnown) readMappings();
    b->region = (int8_t)regionOfHost(b->vaddr + guestBase);
    pthread_mutex_unlock(&lock);
  }
  qemu_plugin_register_vcpu_tb_exec_cb(tb, onBlock, QEMU_PLUGIN_CB_NO_REGS, b);
}

static int categoryIndex(const char* name) {
  for (int c = 0; c < categoryCount; c++)
    if (strcmp(categoryNames[c], name) == 0) return c;
  if (categoryCount == MAX_CATEGORIES) return 0;
  snprintf(categoryNames[categoryCount], sizeof categoryNames[0], "%s", name);
  return categoryCount++;
}

/* Lines of "start size kind" in hex link-time addresses of the program; kind is "helper",
 * "frame" (the function each frame starts with) or the name of what the function draws. */
static int readSymbols(const char* path) {
  FILE* file = fopen(path, "r");
  if (file == NULL) return 0;
  int capacity = 0;
  unsigned long long start, size;
  char kind[32];
  while (fscanf(file, "%llx %llx %31s", &start, &size, kind) == 3) {
    if (symbolCount == capacity) {
      capacity = capacity ? capacity * 2 : 256;
      symbols = realloc(symbols, capacity * sizeof *symbols);
    }
    struct symbol* s = &symbols[symbolCount++];
    s->start = start;
    s->end = start + (size ? size : 1);
    s->kind = strcmp(kind, "helper") == 0  ? -1
              : strcmp(kind, "frame") == 0 ? -2
                                           : categoryIndex(kind);
  }
  fclose(file);
  return symbolCount > 0;
}

static void onExit(qemu_plugin_id_t id, void* data) {
  (void)id;
  (void)data;
  if (symbols == NULL) {
    uint64_t insns = 0, cyc = 0;
    for (int t = 0; t < MAX_THREADS; t++) {
      insns += threadInsns[t];
      cyc += threadCycles[t];
      if (threadInsns[t] != 0)
        fprintf(out, "thread %d %llu %llu\n", t, (unsigned long long)threadInsns[t],
                (unsigned long long)threadCycles[t]);
    }
    fprintf(out, "instructions %llu\ncycles %llu\n", (unsigned long long)insns,
            (unsigned long long)cyc);
  } else {
    /* The last frame up to its function's return; what the run does after is not counted. */
    if (framesSeen > 0 && frameReturned) emitFrame(lastCounts, lastCycles);
    fprintf(
        out, "frames %ld%s\n", frameReturned ? framesSeen : framesSeen - 1,
        framesSeen > 0 && !frameReturned ? " (the last frame never returned: not counted)" : "");
    for (int i = 0; i < SITE_SLOTS; i++) {
      if (sites[i].site == 0) continue;
      fprintf(out, "site %llx", (unsigned long long)sites[i].site);
      for (int r = 0; r < R_COUNT; r++)
        fprintf(out, " %llu", (unsigned long long)sites[i].insns[r]);
      fputc('\n', out);
    }
  }
  fclose(out);
}

/* Arguments: out=FILE (required); syms=FILE and base=HEX (the link-time address of the
 * program's first loaded segment, 0 for a position-independent one) to count frames;
 * without syms the plugin prints each thread's instructions and cycles, then the sums. */
QEMU_PLUGIN_EXPORT int qemu_plugin_install(qemu_plugin_id_t id, const qemu_info_t* info, int argc,
                                           char** argv) {
  const char *outPath = NULL, *symsPath = NULL;
  unsigned long long base = 0;
  if (info->system_emulation) {
    fprintf(stderr, "frame_work_plugin: user mode only\n");
    return 1;
  }
  for (int i = 0; i < argc; i++) {
    if (strncmp(argv[i], "out=", 4) == 0) outPath = argv[i] + 4;
    if (strncmp(argv[i], "syms=", 5) == 0) symsPath = argv[i] + 5;
    if (strncmp(argv[i], "base=", 5) == 0) base = strtoull(argv[i] + 5, NULL, 16);
  }
  if (outPath == NULL || (out = fopen(outPath, "w")) == NULL) {
    fprintf(stderr, "frame_work_plugin: needs out=FILE, a file it can write\n");
    return 1;
  }
  if (symsPath != NULL) {
    if (!readSymbols(symsPath)) {
      fprintf(stderr, "frame_work_plugin: cannot read the symbols in %s\n", symsPath);
      return 1;
    }
    linkBase = base;
    fprintf(out, "regions");
    for (int r = 0; r < R_COUNT; r++) fprintf(out, " %s", REGION_NAMES[r]);
    fprintf(out, "\ncategories");
    for (int c = 0; c < categoryCount; c++) fprintf(out, " %s", categoryNames[c]);
    fputc('\n', out);
  }
  qemu_plugin_register_vcpu_tb_trans_cb(id, onTranslate);
  qemu_plugin_register_atexit_cb(id, onExit, NULL);
  return 0;
}
