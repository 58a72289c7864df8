// The one hash of the world files' identities, SHA-256, behind a seam: the
// desktop computes it with Debian's nettle (sha256_nettle.cpp, linked
// statically, so a game that never asks maps no library for it); a build
// without nettle (the page) supplies its own definition of `sha256`, such as
// one handing the bytes to the browser's WebCrypto, or uses only the
// identity of the built-in worlds, which the build computes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

using Sha256Digest = std::array<uint8_t, 32>;

// Returns the SHA-256 digest of `size` bytes at `data`.
Sha256Digest sha256(const uint8_t* data, size_t size);
