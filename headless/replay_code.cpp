// Packing a replay link's code. The keys of a game repeat a great deal (walks
// on the grid, the same statements), so deflate makes them a small part.
#include "headless/replay_code.h"

#include "platform/media/raw_deflate.h"

namespace headless {

std::string base64url(const std::vector<uint8_t>& bytes) {
  static constexpr char Alphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
  std::string text;
  text.reserve((bytes.size() * 4 + 2) / 3);
  size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    const uint32_t group = uint32_t(bytes[i]) << 16 | uint32_t(bytes[i + 1]) << 8 | bytes[i + 2];
    for (int shift = 18; shift >= 0; shift -= 6) text += Alphabet[(group >> shift) & 63];
  }
  const size_t rest = bytes.size() - i;
  if (rest > 0) {
    const uint32_t group =
        uint32_t(bytes[i]) << 16 | (rest == 2 ? uint32_t(bytes[i + 1]) << 8 : 0u);
    text += Alphabet[(group >> 18) & 63];
    text += Alphabet[(group >> 12) & 63];
    if (rest == 2) text += Alphabet[(group >> 6) & 63];
  }
  return text;
}

namespace {

std::string packed(uint8_t version, const uint8_t* bytes, size_t size) {
  std::vector<uint8_t> packed{version};
  const std::vector<uint8_t> deflated = platform::deflateRaw(bytes, size);
  if (deflated.empty()) return "";
  packed.insert(packed.end(), deflated.begin(), deflated.end());
  return base64url(packed);
}

}  // namespace

std::string replayCode(const std::vector<uint8_t>& keys) {
  return packed(ReplayCodeVersion, keys.data(), keys.size());
}

std::string worldsCode(const std::string& text) {
  return packed(WorldsCodeVersion, reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

}  // namespace headless
