// Writes effects as 16-bit mono WAV and tunes as stereo Ogg Vorbis with a fixed stream serial
// (same bytes every run).
#pragma once
#include <string>

#include "voices.h"

bool writeWAV(const std::string& path, const Pcm& pcm);
bool writeOgg(const std::string& path, const Stereo& pcm, int serial, float quality);
// SHA-256 of a tune's samples as 16-bit little-endian stereo frames (left, right), rounded as
// the effects are: what must agree between machines, whatever the Vorbis library then does.
std::string pcmDigest(const Stereo& pcm);
