// The page's world files: a world file's text read with the play rules, the
// bytes its identity hashes handed to the page (whose WebCrypto digests them
// and hands the digest back, page_sha256.cpp), the file given to the game as
// the desktop's --worlds gives it and its title shown; and what the page
// shows, saves and links of the worlds played. worlds_page.js makes the
// calls in their order.
#include "web/page_worlds.h"

#include <emscripten/emscripten.h>

#include <cstring>
#include <string>
#include <vector>

#include "ui/editor_mode.h"
#include "ui/exit_status.h"
#include "ui/form_start.h"
#include "ui/main_window.h"
#include "ui/played_worlds.h"
#include "ui/replay_watch.h"
#include "web/page_sha256.h"
#include "worlds/world_identity.h"
#include "worlds/world_reader.h"
#include "worlds/world_writer.h"

namespace {

// Why the last world file given was refused.
std::string refusal;

bool readPlayable(const char* name, const uint8_t* text, int size, WorldFile* out) {
  const std::string_view bytes(reinterpret_cast<const char*>(text), size_t(size > 0 ? size : 0));
  WorldFileError error;
  if (readWorldFile(name ? name : "world file", bytes, out, &error, WorldRules::Play)) return true;
  refusal = error.message();
  return false;
}

std::vector<uint8_t> bytesOf(const WorldFile& file) {
  return identityBytes(file.maps, file.starts, file.tileSets);
}

// The page hears of every change of the worlds played (the title and author
// beside the screen, the kept game, the digest for later).
void tellPage() {
  EM_ASM({
    if (window.velmoraWorlds) velmoraWorlds.changed();
  });
}

// Whether the identity of the worlds played can be told: the built-in
// worlds' always, a file's once the page has handed its digest in.
bool identityKnown() {
  const WorldFile* file = playedWorldFile();
  return file == nullptr || pageHasDigest(bytesOf(*file));
}

const char* kept(std::string text) {
  static std::string held;
  held = std::move(text);
  return held.c_str();
}

}  // namespace

void playPageWorlds(const WorldFile* file) {
  giveWorlds(file);
  tellPage();
}

extern "C" {

// The number of bytes an identity hashes.
EMSCRIPTEN_KEEPALIVE int velmora_identity_size() { return int(IdentityByteCount); }

// The bytes the identity of the world file `text` (`size` bytes, named
// `name` in a refusal) hashes, for the page to digest; null when the file
// cannot be played (velmora_worlds_refusal says why). Valid until the next
// call.
EMSCRIPTEN_KEEPALIVE const uint8_t* velmora_worlds_identity_bytes(const char* name,
                                                                  const uint8_t* text, int size) {
  static std::vector<uint8_t> bytes;
  WorldFile file;
  if (!readPlayable(name, text, size, &file)) return nullptr;
  bytes = bytesOf(file);
  return bytes.data();
}

// The same for the worlds played; null on the built-in worlds, whose
// identity the build computed.
EMSCRIPTEN_KEEPALIVE const uint8_t* velmora_played_identity_bytes() {
  static std::vector<uint8_t> bytes;
  const WorldFile* file = playedWorldFile();
  if (file == nullptr) return nullptr;
  bytes = bytesOf(*file);
  return bytes.data();
}

// The SHA-256 digest `sum` (32 bytes) of the `size` bytes at `bytes`, as
// the browser computed it.
EMSCRIPTEN_KEEPALIVE void velmora_worlds_digest(const uint8_t* bytes, int size,
                                                const uint8_t* sum) {
  Sha256Digest digest;
  std::memcpy(digest.data(), sum, digest.size());
  setPageDigest(std::vector<uint8_t>(bytes, bytes + (size > 0 ? size : 0)), digest);
}

// Plays the world file `text` from its title, as --worlds does: the game
// before it ends, a watch stops. Returns ExitOk, or ExitRefused when the
// file cannot be played (velmora_worlds_refusal says why; nothing changed).
EMSCRIPTEN_KEEPALIVE int velmora_play_worlds(const char* name, const uint8_t* text, int size) {
  WorldFile file;
  if (!readPlayable(name, text, size, &file)) return ExitRefused;
  if (editorOpen()) closeEditor();
  stopWatch();
  playPageWorlds(&file);
  restartForm();
  presentFrame();
  return ExitOk;
}

// Plays the built-in worlds from the next title on. The page hears of it
// even when they are played already: a world file it kept from an earlier
// visit is then no longer the game's.
EMSCRIPTEN_KEEPALIVE void velmora_play_built_in() { playPageWorlds(nullptr); }

EMSCRIPTEN_KEEPALIVE const char* velmora_worlds_refusal() { return refusal.c_str(); }

// Whether a world file is played (not the built-in worlds).
EMSCRIPTEN_KEEPALIVE int velmora_worlds_played() { return playedWorldFile() != nullptr; }

// The title and author of the world file played ("" on the built-in
// worlds), as the file writes them. Valid until the next call of either.
EMSCRIPTEN_KEEPALIVE const char* velmora_played_title() {
  const WorldFile* file = playedWorldFile();
  return kept(file ? file->title : "");
}
EMSCRIPTEN_KEEPALIVE const char* velmora_played_author() {
  const WorldFile* file = playedWorldFile();
  return kept(file ? file->author : "");
}

// The identity of the worlds played, as --check-worlds prints it; "" while
// the page has not handed in the digest of a world file's bytes.
EMSCRIPTEN_KEEPALIVE const char* velmora_played_identity() {
  return kept(identityKnown() ? playedIdentity() : "");
}

// What a recording of a game on the worlds played names them with after its
// header, as the desktop's recorder writes it ("" on the built-in worlds);
// null while the identity is not known.
EMSCRIPTEN_KEEPALIVE const char* velmora_worlds_lines() {
  return identityKnown() ? kept(worldsLines()) : nullptr;
}

// The world file played as the desktop's --link packs it ("" on the
// built-in worlds).
EMSCRIPTEN_KEEPALIVE const char* velmora_played_worlds_text() {
  const WorldFile* file = playedWorldFile();
  return kept(file ? writeWorldFile(*file) : "");
}

}  // extern "C"
