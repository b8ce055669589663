// Writes effects as 16-bit mono WAV and tunes as stereo Ogg Vorbis with a fixed stream serial
// (same bytes every run).
#pragma once
#include <string>

#include "voices.h"

bool writeWAV(const std::string& path, const Pcm& pcm);
bool writeOgg(const std::string& path, const Stereo& pcm, int serial, float quality);
