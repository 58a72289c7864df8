// Installing a world file in place of the built-in worlds (see
// installed_worlds.h).
#include "worlds/installed_worlds.h"

#include <cstring>

#include "worlds/world_identity.h"

namespace {

// The installed file's part that decides play; the played records point
// here while it is installed.
WorldMap InstalledMaps[WorldCount];
MapCell InstalledStarts[CharaWorlds];
uint8_t InstalledTileSets[WorldCount];

static_assert(CharaWorlds == CharaCount);

}  // namespace

void installWorlds(const WorldFile& file) {
  std::memcpy(InstalledMaps, file.maps, sizeof InstalledMaps);
  std::memcpy(InstalledStarts, file.starts, sizeof InstalledStarts);
  std::memcpy(InstalledTileSets, file.tileSets, sizeof InstalledTileSets);
  PlayedMaps = InstalledMaps;
  PlayedStarts = InstalledStarts;
  PlayedTileSets = InstalledTileSets;
}

void installBuiltInWorlds() {
  PlayedMaps = InitialMaps;
  PlayedStarts = InitialStarts;
  PlayedTileSets = InitialTileSets;
}

bool builtInWorldsPlayed() { return PlayedMaps == InitialMaps; }

WorldFile builtInWorldFile() {
  WorldFile file = blankWorldFile();
  std::memcpy(file.maps, InitialMaps, sizeof file.maps);
  std::memcpy(file.starts, InitialStarts, sizeof file.starts);
  std::memcpy(file.tileSets, InitialTileSets, sizeof file.tileSets);
  return file;
}

std::string playedWorldsIdentity() {
  Sha256Digest digest;
  if (builtInWorldsPlayed()) {
    std::memcpy(digest.data(), BuiltInWorldsIdentity, digest.size());
  } else {
    const std::vector<uint8_t> bytes = identityBytes(PlayedMaps, PlayedStarts, PlayedTileSets);
    digest = sha256(bytes.data(), bytes.size());
  }
  return hexDigest(digest);
}
