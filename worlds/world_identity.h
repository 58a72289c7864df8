// A world file's identity: the SHA-256 of what decides play and nothing
// else, so that retitling or reformatting a file keeps it. The bytes hashed
// are the 40,960 map bytes in InitialMaps order (world 1 floor 1 row 0
// first), the start cells of worlds 1 to 3 as x, y (6 bytes) and the tile
// sets of worlds 1 to 5 (5 bytes, 0 for none): 40,971 bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "worlds/sha256.h"
#include "worlds/world_file.h"

constexpr size_t IdentityByteCount = sizeof(WorldMap) * WorldCount + 2 * CharaWorlds + WorldCount;

// Returns the bytes the identity hashes, from a file's parts.
std::vector<uint8_t> identityBytes(const WorldMap* maps, const MapCell* starts,
                                   const uint8_t* tileSets);
// Returns the identity of a world file as 64 lowercase hexadecimal digits.
std::string worldsIdentity(const WorldFile& file);
// Returns a digest as 64 lowercase hexadecimal digits.
std::string hexDigest(const Sha256Digest& digest);

// The identity of the built-in worlds, computed by the build from the same
// bytes (the page has no SHA-256 of its own to compute it with).
extern const uint8_t BuiltInWorldsIdentity[32];
