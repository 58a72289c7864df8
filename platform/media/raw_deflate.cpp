// Raw deflate through zlib: window bits -15 leave out zlib's header and
// checksum, as the browser's 'deflate-raw' expects.
#include "platform/media/raw_deflate.h"

#include <zlib.h>

namespace platform {
namespace {
constexpr int RawWindowBits = -15;
constexpr int MemoryLevel = 9;
}  // namespace

std::vector<uint8_t> deflateRaw(const uint8_t* data, size_t size) {
  z_stream stream{};
  if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, RawWindowBits, MemoryLevel,
                   Z_DEFAULT_STRATEGY) != Z_OK) {
    return {};
  }
  std::vector<uint8_t> out(deflateBound(&stream, uLong(size)));
  stream.next_in = const_cast<Bytef*>(data);
  stream.avail_in = uInt(size);
  stream.next_out = out.data();
  stream.avail_out = uInt(out.size());
  const int status = deflate(&stream, Z_FINISH);
  out.resize(status == Z_STREAM_END ? stream.total_out : 0);
  deflateEnd(&stream);
  return out;
}

}  // namespace platform
