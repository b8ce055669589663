/* The ARM9TDMI core's cycles for each ARM instruction, for the counting plugin.
 * Weights: written from the ARM9TDMI Technical Reference Manual's instruction cycle timings
 * (the ARM920T's core) as remembered; no copy of that table was at hand to check them. The
 * entries the ARM9 family's five-stage pipeline shares agree with the ARM9EJ-S Technical
 * Reference Manual (ARM DDI 0222B), table 8.2: a data operation 1, a register-specified
 * shift +1, a loaded word used by the next instruction +1, LDR to the pc 5, LDM one a
 * register and at least 2. That table also gives a logical data operation writing the pc
 * (MOV pc) 4 where this one counts 3, and a loaded byte or halfword a 2-cycle interlock
 * where this one counts 1; whether the ARM9TDMI shares those is not confirmed, so they stay
 * out. Multiplies are not checked (the ARM9E-S has another multiplier). Cache misses and
 * memory waits count as zero cycles: every fetch and data access is taken to hit its cache. */
#include <stdint.h>

/* The table, in cycles. */
enum {
  CY_DATA = 1,         /* a data operation, a single load or store, MRS/MSR */
  CY_REG_SHIFT = 1,    /* more when the shift amount is a register */
  CY_LOAD_USE = 1,     /* more when the next instruction uses a loaded register */
  CY_BRANCH_TAKEN = 2, /* more for a taken B, BL, BX or data operation writing the pc */
  CY_LOAD_PC = 4,      /* more for LDR or LDM that loads the pc (taken) */
  CY_MUL = 1,          /* MUL: 1 + M; MLA and long MUL: 2 + M; long MLA: 3 + M */
  CY_MUL_STEPS = 4,    /* M, 1 to 4 by the multiplier's size: its value is not known to
                          the plugin, so the longest operand is counted */
  CY_SWAP = 2,         /* SWP */
  CY_SWI = 3,          /* SWI, the trap into the kernel */
  CY_MULTIPLE_MIN = 2  /* LDM/STM: one cycle a register, at least this many */
};

static unsigned arm9Popcount(uint32_t x) {
  unsigned n = 0;
  for (; x != 0; x &= x - 1) n++;
  return n;
}

/* The registers an instruction reads, as a mask (approximate for rare forms). */
static uint32_t arm9Reads(uint32_t w) {
  uint32_t rn = 1u << ((w >> 16) & 15), rd = 1u << ((w >> 12) & 15), rs = 1u << ((w >> 8) & 15);
  uint32_t rm = 1u << (w & 15);
  int load = (w >> 20) & 1;
  switch ((w >> 25) & 7) {
    case 0:
      if ((w & 0x0FC000F0u) == 0x00000090u) return rm | rs | ((w >> 21) & 1 ? rd : 0);
      if ((w & 0x0F8000F0u) == 0x00800090u) return rm | rs | ((w >> 21) & 1 ? rd | rn : 0);
      if ((w & 0x0FB00FF0u) == 0x01000090u) return rn | rm; /* SWP */
      if ((w & 0x0FFFFFD0u) == 0x012FFF10u) return rm;      /* BX */
      if ((w & 0x90u) == 0x90u) return rn | ((w >> 22) & 1 ? 0 : rm) | (load ? 0 : rd);
      /* the rest: a data operation with a register operand */
      /* fall through */
    case 1: {
      unsigned op = (w >> 21) & 15;
      uint32_t r = (op == 13 || op == 15) ? 0 : rn;
      if (((w >> 25) & 1) == 0) r |= rm | ((w >> 4) & 1 ? rs : 0);
      return r;
    }
    case 2:
    case 3: return rn | ((w >> 25) & 1 ? rm : 0) | (load ? 0 : rd);
    case 4: return rn | (load ? 0 : (w & 0xFFFFu));
    case 7: return ((w >> 24) & 1) == 0 && ((w >> 4) & 1) && !load ? rd : 0; /* MCR */
    default: return 0;
  }
}

/* The register whose loading the next instruction may wait for, or -1. */
static int arm9Loaded(uint32_t w) {
  unsigned kind = (w >> 25) & 7;
  int load = (w >> 20) & 1;
  if ((w & 0x0FB00FF0u) == 0x01000090u) return (w >> 12) & 15; /* SWP */
  if (kind == 0 && (w & 0x90u) == 0x90u && (w & 0x60u) != 0 && load) return (w >> 12) & 15;
  if ((kind == 2 || (kind == 3 && ((w >> 4) & 1) == 0)) && load) return (w >> 12) & 15;
  if (kind == 4 && load && (w & 0xFFFFu) != 0) return 31 - __builtin_clz(w & 0xFFFFu);
  return -1;
}

/* The cycles of instruction W as executed, with the next one in its block (NEXT, or
 * HAS_NEXT 0). *TAKEN is set to what a change of the pc adds when it happens. */
static unsigned arm9Cycles(uint32_t w, uint32_t next, int hasNext, unsigned* taken) {
  unsigned kind = (w >> 25) & 7, rd = (w >> 12) & 15, cycles = CY_DATA;
  int load = (w >> 20) & 1;
  *taken = 0;
  if ((w >> 28) == 0xFu) { /* BLX to an address (ARMv5); the rest (PLD) one cycle */
    if (kind == 5) *taken = CY_BRANCH_TAKEN;
    return cycles;
  }
  if (kind == 0 && (w & 0x0FC000F0u) == 0x00000090u) {
    cycles = CY_MUL + CY_MUL_STEPS + ((w >> 21) & 1);
  } else if (kind == 0 && (w & 0x0F8000F0u) == 0x00800090u) {
    cycles = CY_MUL + 1 + CY_MUL_STEPS + ((w >> 21) & 1);
  } else if (kind == 0 && (w & 0x0FB00FF0u) == 0x01000090u) {
    cycles = CY_SWAP;
  } else if (kind == 0 && (w & 0x0FFFFFD0u) == 0x012FFF10u) {
    *taken = CY_BRANCH_TAKEN;
  } else if (kind == 0 && (w & 0x90u) == 0x90u) {
    if (load && rd == 15) *taken = CY_LOAD_PC;
  } else if (kind <= 1) {
    unsigned op = (w >> 21) & 15;
    if (kind == 0 && (w & 0x10u) && (w & 0x0F900000u) != 0x01000000u) cycles += CY_REG_SHIFT;
    if (rd == 15 && (op < 8 || op > 11)) *taken = CY_BRANCH_TAKEN;
  } else if (kind <= 3) {
    if (load && rd == 15) *taken = CY_LOAD_PC;
  } else if (kind == 4) {
    unsigned n = arm9Popcount(w & 0xFFFFu);
    cycles = n > CY_MULTIPLE_MIN ? n : CY_MULTIPLE_MIN;
    if (load && (w & 0x8000u)) *taken = CY_LOAD_PC;
  } else if (kind == 5) {
    *taken = CY_BRANCH_TAKEN;
  } else if (kind == 7 && ((w >> 24) & 1)) {
    cycles = CY_SWI;
  }
  int loaded = arm9Loaded(w);
  if (hasNext && loaded >= 0 && loaded != 15 && (arm9Reads(next) >> loaded) & 1)
    cycles += CY_LOAD_USE;
  return cycles;
}
