// The code of a replay link: a game's keys packed into text that may stand in
// a web address (velmora --link; web/replay_link.js unpacks it).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace headless {

// The first byte of every code's packed bytes: which packing follows. A
// later packing takes another value, so an old page refuses it clearly.
constexpr uint8_t ReplayCodeVersion = 0xB1;

// What a link may carry, as the page's decoder takes it (MaxKeys and
// MaxCodeLength in web/replay_link.js): at most a million key presses, in a
// code of at most 64 KiB characters.
constexpr size_t MaxReplayKeys = size_t(1) << 20;
constexpr size_t MaxReplayCodeLength = size_t(64) << 10;

// Packs the keys (codes 1 to 255): the version byte, then the keys
// compressed with raw deflate, all written in unpadded base64url. Returns
// an empty string when the compressor fails (out of memory).
std::string replayCode(const std::vector<uint8_t>& keys);

// The first byte of a world file's packed bytes in a link (#worlds=CODE).
constexpr uint8_t WorldsCodeVersion = 0xC1;

// Packs the text of a world file: the version byte, then the text
// compressed with raw deflate, in unpadded base64url. Empty when the
// compressor fails.
std::string worldsCode(const std::string& text);

// Writes bytes as unpadded base64url (RFC 4648, section 5).
std::string base64url(const std::vector<uint8_t>& bytes);

}  // namespace headless
