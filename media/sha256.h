// SHA-256 of a byte string, as sha256sum prints it: the check that two machines' tunes
// carry the same samples before the encoder sees them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

class Sha256 {
 public:
  Sha256();
  void add(const void* data, size_t bytes);
  // The digest as 64 lowercase hex digits; the object is spent afterwards.
  std::string hex();

 private:
  void compress(const uint8_t block[64]);
  uint32_t h_[8];
  uint8_t block_[64];
  size_t used_ = 0;     // bytes waiting in block_
  uint64_t total_ = 0;  // bytes added so far
};
