// SHA-256 from nettle, Debian's maintained implementation (see sha256.h).
#include <nettle/sha2.h>

#include "worlds/sha256.h"

Sha256Digest sha256(const uint8_t* data, size_t size) {
  sha256_ctx context;
  sha256_init(&context);
  sha256_update(&context, size, data);
  Sha256Digest digest;
  sha256_digest(&context, digest.size(), digest.data());
  return digest;
}
