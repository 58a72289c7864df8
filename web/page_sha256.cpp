// The page's SHA-256 behind the seam of worlds/sha256.h. The browser digests
// with WebCrypto, which answers only later (a promise), so the page works
// the other way round: before a world file is played it asks the game for
// the bytes its identity hashes (velmora_identity_bytes), digests them with
// crypto.subtle.digest and hands the digest in (velmora_worlds_digest); the
// game's sha256 then answers for exactly those bytes. Asked for any others,
// it throws: an identity is never made up.
#include "web/page_sha256.h"

#include <cstring>
#include <stdexcept>
#include <vector>

#include "worlds/sha256.h"

namespace {

std::vector<uint8_t> digestedBytes;
Sha256Digest digest{};

}  // namespace

void setPageDigest(std::vector<uint8_t> bytes, const Sha256Digest& sum) {
  digestedBytes = std::move(bytes);
  digest = sum;
}

Sha256Digest sha256(const uint8_t* data, size_t size) {
  if (size != digestedBytes.size() ||
      (size > 0 && std::memcmp(data, digestedBytes.data(), size) != 0))
    throw std::logic_error("the page has no digest of these bytes");
  return digest;
}
