// The page's SHA-256 behind the seam of worlds/sha256.h. The browser digests
// with WebCrypto, which answers only later (a promise), so the page works
// the other way round: before a world file is played it asks the game for
// the bytes its identity hashes (velmora_identity_bytes), digests them with
// crypto.subtle.digest and hands the digest in (velmora_worlds_digest); the
// game's sha256 then answers for exactly those bytes. Asked for any others,
// it throws: an identity is never made up. The last few digests are kept,
// so that going back to worlds played a moment ago (the editor's world, then
// the file opened before it) needs no new round through the browser.
#include "web/page_sha256.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "worlds/sha256.h"

namespace {

struct Digested {
  std::vector<uint8_t> bytes;
  Sha256Digest sum;
};
// A world's bytes are 40 KB: a handful keeps memory small.
constexpr size_t KeptDigests = 4;
std::vector<Digested> digests;  // the latest last

const Digested* find(const uint8_t* data, size_t size) {
  for (const Digested& d : digests) {
    if (d.bytes.size() == size && (size == 0 || std::memcmp(data, d.bytes.data(), size) == 0))
      return &d;
  }
  return nullptr;
}

}  // namespace

void setPageDigest(std::vector<uint8_t> bytes, const Sha256Digest& sum) {
  std::erase_if(digests, [&](const Digested& d) { return d.bytes == bytes; });
  if (digests.size() == KeptDigests) digests.erase(digests.begin());
  digests.push_back(Digested{std::move(bytes), sum});
}

bool pageHasDigest(const std::vector<uint8_t>& bytes) {
  return find(bytes.data(), bytes.size()) != nullptr;
}

Sha256Digest sha256(const uint8_t* data, size_t size) {
  const Digested* found = find(data, size);
  if (!found) throw std::logic_error("the page has no digest of these bytes");
  return found->sum;
}
