// The identity of a world file (see world_identity.h).
#include "worlds/world_identity.h"

#include <cstring>

std::vector<uint8_t> identityBytes(const WorldMap* maps, const MapCell* starts,
                                   const uint8_t* tileSets) {
  std::vector<uint8_t> bytes(IdentityByteCount);
  uint8_t* at = bytes.data();
  for (int w = 0; w < WorldCount; ++w, at += CellsPerWorld)
    std::memcpy(at, maps[w].cells, CellsPerWorld);
  for (int w = 0; w < CharaWorlds; ++w) {
    *at++ = starts[w].x;
    *at++ = starts[w].y;
  }
  std::memcpy(at, tileSets, WorldCount);
  return bytes;
}

std::string hexDigest(const Sha256Digest& digest) {
  static constexpr char Hex[] = "0123456789abcdef";
  std::string out;
  for (uint8_t b : digest) {
    out += Hex[b >> 4];
    out += Hex[b & 15];
  }
  return out;
}

std::string worldsIdentity(const WorldFile& file) {
  const std::vector<uint8_t> bytes = identityBytes(file.maps, file.starts, file.tileSets);
  return hexDigest(sha256(bytes.data(), bytes.size()));
}
