// Handing the page's WebCrypto digest to the game (see page_sha256.cpp).
#pragma once

#include <cstdint>
#include <vector>

#include "worlds/sha256.h"

// From now on sha256(bytes) answers `sum` (the last few bytes handed in are
// kept); any other bytes are refused.
void setPageDigest(std::vector<uint8_t> bytes, const Sha256Digest& sum);
// Whether sha256(bytes) has an answer: the page handed in their digest.
bool pageHasDigest(const std::vector<uint8_t>& bytes);
