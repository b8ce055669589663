// mediagen: paints, synthesises and writes every picture, sound, tune and the font the game loads.
// Usage: mediagen <outdir>                      write the game's media into outdir
//        mediagen --contact <outdir> <docsdir>  also write contact sheets and level figures
//        mediagen --pcm-digests <outdir>        write the media; print each tune's sample
//                                               digest in sha256sum's format, the report
//                                               going to standard error instead
//        mediagen --pcm-digests-only <outdir>   the same without encoding the tunes: every
//                                               other file is written, the tunes only digested
// The output is the same bytes on every run: seeded generators only, no timestamps.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "audioio.h"
#include "catalog.h"
#include "imageio.h"
#include "music.h"
#include "pixelfont.h"
#include "sfx.h"
#include "textdraw.h"

namespace {

struct Level {
  std::string file;
  float seconds, peak, rms, dc;
  float build = -1;         // tunes: seconds to the build towards the boss
  std::string digest = "";  // tunes: pcmDigest of the samples handed to the encoder
};

float dbfs(float v) { return v > 0 ? 20.f * std::log10(v) : -120.f; }

float meanOf(const Pcm& p) {
  double s = 0;
  for (float v : p) s += v;
  return p.empty() ? 0.f : (float)(s / p.size());
}

// Which tunes' results a run wants: the Vorbis files, their sample digests, or both.
struct TuneOutput {
  bool files = true, digests = false;
};

bool writeMusic(const std::string& out, std::vector<Level>& levels, TuneOutput want) {
  std::vector<Song> songs = allSongs();
  levels.resize(songs.size());
  std::atomic<size_t> nextSong{0};
  std::atomic<bool> ok{true};
  // Two workers: rendering and Vorbis encoding dominate the run time (encoding, in libvorbis,
  // takes more than half of it).
  auto worker = [&] {
    for (size_t i; (i = nextSong++) < songs.size();) {
      Stereo pcm = renderSong(songs[i]);
      float dc = std::max(std::fabs(meanOf(pcm.l)), std::fabs(meanOf(pcm.r)));
      levels[i] = {songs[i].file,
                   (float)pcm.size() / RATE,
                   std::max(peakOf(pcm.l), peakOf(pcm.r)),
                   0.5f * (rmsOf(pcm.l) + rmsOf(pcm.r)),
                   dc,
                   sectionStart(songs[i], 'R'),
                   want.digests ? pcmDigest(pcm) : std::string()};
      if (want.files && !writeOgg(out + "/" + songs[i].file, pcm, 0x5CA7F000 + (int)i, 0.f)) {
        ok = false;
      }
    }
  };
  std::thread a(worker), b(worker);
  a.join();
  b.join();
  return ok;
}

bool writePictures(const std::string& out, const std::vector<Picture>& pics) {
  bool ok = true;
  for (const Picture& p : pics) {
    std::string path = out + "/" + p.path;
    bool w = p.png ? writePNG(path, p.img) : writeBMP(path, p.img);
    if (!w) fprintf(stderr, "mediagen: cannot write %s\n", path.c_str());
    ok = ok && w;
  }
  return ok;
}

bool writeEffects(const std::string& out, std::vector<Level>& levels) {
  bool ok = true;
  for (const Sfx& s : makeSoundEffects()) {
    levels.push_back(
        {s.file, (float)s.pcm.size() / RATE, peakOf(s.pcm), rmsOf(s.pcm), meanOf(s.pcm)});
    ok = writeWAV(out + "/" + s.file, s.pcm) && ok;
  }
  return ok;
}

void report(const std::vector<Level>& levels, FILE* fp) {
  fprintf(fp, "%-28s %8s %9s %9s %9s %8s\n", "file", "seconds", "peak dB", "rms dB", "mean",
          "build s");
  for (const Level& l : levels) {
    fprintf(fp, "%-28s %8.2f %9.1f %9.1f %9.5f", l.file.c_str(), l.seconds, dbfs(l.peak),
            dbfs(l.rms), l.dc);
    if (l.build >= 0) fprintf(fp, " %8.1f", l.build);
    fputc('\n', fp);
  }
}

}  // namespace

int main(int argc, char** argv) {
  bool contact = argc == 4 && std::string(argv[1]) == "--contact";
  std::string mode = argc == 3 ? argv[1] : "";
  TuneOutput tunes;
  tunes.digests = mode == "--pcm-digests" || mode == "--pcm-digests-only";
  tunes.files = mode != "--pcm-digests-only";
  if (!(argc == 2 || contact || tunes.digests) || argv[argc - 1][0] == '-') {
    fprintf(stderr,
            "usage: mediagen <outdir>\n       mediagen --contact <outdir> <docsdir>\n"
            "       mediagen --pcm-digests <outdir>\n"
            "       mediagen --pcm-digests-only <outdir>\n");
    return 2;
  }
  std::string out = argc == 2 ? argv[1] : argv[2];
  auto t0 = std::chrono::steady_clock::now();

  std::vector<Level> music;
  bool musicOk = true;
  std::thread musicThread([&] { musicOk = writeMusic(out, music, tunes); });

  std::vector<Picture> pics = paintAllPictures();
  bool ok = writePictures(out, pics);
  std::vector<Level> levels;
  ok = writeEffects(out, levels) && ok;
  ok = writePixelFont(out + "/fonts/xirod.ttf", out + "/fonts/xirod.LICENSE.txt") && ok;
  if (contact) writeContactSheets(pics, argv[3]);
  musicThread.join();
  ok = ok && musicOk;
  levels.insert(levels.end(), music.begin(), music.end());

  // The digests alone on standard output, so that it reads as sha256sum's.
  FILE* log = tunes.digests ? stderr : stdout;
  report(levels, log);
  if (tunes.digests) {
    for (const Level& l : music) printf("%s  %s\n", l.digest.c_str(), l.file.c_str());
  }
  if (contact) {
    makeParentDirs(std::string(argv[3]) + "/levels.txt");
    if (FILE* fp = fopen((std::string(argv[3]) + "/levels.txt").c_str(), "w")) {
      report(levels, fp);
      fclose(fp);
    }
  }
  double sec = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  fprintf(log, "mediagen: %zu pictures, %zu sounds written to %s in %.1f s\n", pics.size(),
          levels.size(), out.c_str(), sec);
  return ok ? 0 : 1;
}
