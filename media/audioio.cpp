// Writes effects as 16-bit mono WAV and tunes as stereo Ogg Vorbis (same bytes every run).
#include "audioio.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "imageio.h"  // makeParentDirs, put16, put32
#include "sha256.h"

static void putTag(std::vector<unsigned char>& v, const char* t) { v.insert(v.end(), t, t + 4); }

static int16_t toS16(float v) { return (int16_t)std::lround(std::clamp(v, -1.f, 1.f) * 32767.f); }

bool writeWAV(const std::string& path, const Pcm& pcm) {
  unsigned dataBytes = (unsigned)pcm.size() * 2;
  std::vector<unsigned char> f;
  putTag(f, "RIFF");
  put32(f, 36 + dataBytes);
  putTag(f, "WAVE");
  putTag(f, "fmt ");
  put32(f, 16);
  put16(f, 1);  // PCM
  put16(f, 1);  // mono
  put32(f, RATE);
  put32(f, RATE * 2);  // bytes per second
  put16(f, 2);         // block align
  put16(f, 16);        // bits per sample
  putTag(f, "data");
  put32(f, dataBytes);
  for (float v : pcm) put16(f, (uint16_t)toS16(v));
  makeParentDirs(path);
  FILE* fp = fopen(path.c_str(), "wb");
  if (!fp) return false;
  bool ok = fwrite(f.data(), 1, f.size(), fp) == f.size();
  return fclose(fp) == 0 && ok;
}

std::string pcmDigest(const Stereo& pcm) {
  Sha256 sum;
  std::vector<unsigned char> bytes;
  const size_t frames = 4096;  // a slice at a time: a whole tune is some 35 MB as 16-bit frames
  for (size_t start = 0; start < pcm.size(); start += frames) {
    bytes.clear();
    for (size_t i = start; i < std::min(pcm.size(), start + frames); ++i) {
      put16(bytes, (uint16_t)toS16(pcm.l[i]));
      put16(bytes, (uint16_t)toS16(pcm.r[i]));
    }
    sum.add(bytes.data(), bytes.size());
  }
  return sum.hex();
}

static bool writePage(FILE* fp, const ogg_page& pg) {
  return fwrite(pg.header, 1, pg.header_len, fp) == (size_t)pg.header_len &&
         fwrite(pg.body, 1, pg.body_len, fp) == (size_t)pg.body_len;
}

bool writeOgg(const std::string& path, const Stereo& pcm, int serial, float quality) {
  makeParentDirs(path);
  FILE* fp = fopen(path.c_str(), "wb");
  if (!fp) return false;
  vorbis_info vi;
  vorbis_info_init(&vi);
  if (vorbis_encode_init_vbr(&vi, 2, RATE, quality) != 0) {
    vorbis_info_clear(&vi);
    fclose(fp);
    return false;
  }
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_dsp_state vd;
  vorbis_block vb;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, serial);
  ogg_packet hdr, hdrComm, hdrCode;
  vorbis_analysis_headerout(&vd, &vc, &hdr, &hdrComm, &hdrCode);
  ogg_stream_packetin(&os, &hdr);
  ogg_stream_packetin(&os, &hdrComm);
  ogg_stream_packetin(&os, &hdrCode);
  ogg_page pg;
  ogg_packet op;
  bool ok = true;
  while (ogg_stream_flush(&os, &pg)) ok = ok && writePage(fp, pg);

  const size_t chunk = 1024;
  size_t pos = 0;
  bool eos = false;
  while (!eos) {
    size_t n = std::min(chunk, pcm.size() - pos);
    if (n == 0) {
      vorbis_analysis_wrote(&vd, 0);
    } else {
      float** buf = vorbis_analysis_buffer(&vd, (int)n);
      for (size_t i = 0; i < n; ++i) {
        buf[0][i] = pcm.l[pos + i];
        buf[1][i] = pcm.r[pos + i];
      }
      vorbis_analysis_wrote(&vd, (int)n);
      pos += n;
    }
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      while (vorbis_bitrate_flushpacket(&vd, &op)) {
        ogg_stream_packetin(&os, &op);
        while (ogg_stream_pageout(&os, &pg)) {
          ok = ok && writePage(fp, pg);
          if (ogg_page_eos(&pg)) eos = true;
        }
      }
    }
    if (n == 0 && !eos) {
      // Everything is flushed once the end-of-stream page has been written.
      while (ogg_stream_flush(&os, &pg)) {
        ok = ok && writePage(fp, pg);
        if (ogg_page_eos(&pg)) eos = true;
      }
      eos = true;
    }
  }
  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
  return fclose(fp) == 0 && ok;
}
