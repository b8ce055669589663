// The tune digests' SHA-256 against the published test vectors, fed whole and in pieces
// that straddle the 64-byte blocks.
#include "media/sha256.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {
struct Vector {
  std::string message;
  const char* digest;
};

const Vector kVectors[] = {
    {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
    {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
    {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
     "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
    {"abcdefghbcdefghicdefghijdefghijkefghijklfghijklmghijklmnhijklmnoijklmnopjklmnopqklmnopqrlm"
     "nopqrsmnopqrstnopqrstu",
     "cf5b16a778af8380036ce59e7b0492370b249b11e8f07a51afac45037afee9d1"},
    {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
};
}  // namespace

TEST(Sha256, MatchesThePublishedVectorsWhateverThePieces) {
  for (const Vector& v : kVectors) {
    for (size_t piece :
         {(size_t)1, (size_t)3, (size_t)63, (size_t)64, (size_t)65, v.message.size()}) {
      SCOPED_TRACE(std::to_string(v.message.size()) + " bytes in pieces of " +
                   std::to_string(piece));
      Sha256 sum;
      for (size_t at = 0; at < v.message.size(); at += std::max(piece, (size_t)1)) {
        sum.add(v.message.data() + at, std::min(piece, v.message.size() - at));
      }
      EXPECT_EQ(sum.hex(), v.digest);
    }
  }
}
