// Raw deflate (no zlib or gzip wrapper), the compression of replay links:
// the browser inflates it with DecompressionStream('deflate-raw').
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

// Compresses `size` bytes at `data` at the best level.
std::vector<uint8_t> deflateRaw(const uint8_t* data, size_t size);

}  // namespace platform
