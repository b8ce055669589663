/* Decodes the start of Ogg Vorbis files to nothing, with libvorbisfile or (built with
 * TREMOR) with Tremor's integer decoder, and prints the seconds of audio decoded. */
#include <stdio.h>
#include <stdlib.h>

#ifdef TREMOR
#include <tremor/ivorbisfile.h>
#define READ(vf, buffer, size, section) ov_read(vf, buffer, size, section)
#else
#include <vorbis/vorbisfile.h>
/* Little-endian 16-bit signed samples, as the mixer asks for. */
#define READ(vf, buffer, size, section) ov_read(vf, buffer, size, 0, 2, 1, section)
#endif

/* Usage: decode-count SECONDS FILE...; SECONDS 0 only opens the files. */
int main(int argc, char** argv) {
  if (argc < 3) {
    fprintf(stderr, "Usage: %s SECONDS FILE...\n", argv[0]);
    return 2;
  }
  double limit = atof(argv[1]), total = 0;
  static char buffer[4096];
  for (int i = 2; i < argc; i++) {
    FILE* file = fopen(argv[i], "rb");
    OggVorbis_File vf;
    if (file == NULL || ov_open(file, &vf, NULL, 0) != 0) {
      fprintf(stderr, "%s: cannot open %s as Ogg Vorbis\n", argv[0], argv[i]);
      return 1;
    }
    vorbis_info* info = ov_info(&vf, -1);
    long frameBytes = 2L * info->channels;
    double decoded = 0;
    int section = 0;
    while (decoded < limit) {
      long got = READ(&vf, buffer, sizeof buffer, &section);
      if (got < 0) {
        fprintf(stderr, "%s: a decoding error in %s\n", argv[0], argv[i]);
        return 1;
      }
      if (got == 0) break;
      decoded += (double)(got / frameBytes) / info->rate;
    }
    total += decoded;
    ov_clear(&vf);
  }
  printf("%.3f\n", total);
  return 0;
}
