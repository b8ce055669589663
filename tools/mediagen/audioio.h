// Writes PCM as 16-bit mono WAV or as Ogg Vorbis with a fixed stream serial (same bytes every run).
#pragma once
#include <string>

#include "synth.h"

bool writeWAV(const std::string& path, const Pcm& pcm);
bool writeOgg(const std::string& path, const Pcm& pcm, int serial, float quality);
