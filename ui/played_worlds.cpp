// Which worlds a front end plays, and the state folder's copies of them (see
// played_worlds.h).
#include "ui/played_worlds.h"

#include <cstdio>
#include <cstring>
#include <optional>
#include <vector>

#include "platform/safe_file.h"
#include "platform/state_folder.h"
#include "ui/form_start.h"
#include "ui/world_load.h"
#include "worlds/daily_world.h"
#include "worlds/installed_worlds.h"
#include "worlds/world_identity.h"
#include "worlds/world_writer.h"

namespace {

struct Played {
  std::optional<WorldFile> file;     // none: the built-in worlds
  bool given = false;                // a recording naming other worlds is refused
  std::string identity;              // empty until asked for
  std::optional<std::string> lines;  // worldsLines(), once asked for
} played;

std::string linesOf(const WorldFile* file) {
  if (!file) return "";
  const std::string& title = file->title;
  // A day's recording names its generator's version too, so that the day
  // can be made again without its file.
  std::string version;
  if (DailyName day; dailyNameOf(*file, &day))
    version = " (generator version " + std::to_string(day.version) + ")";
  return "# worlds: " + (title.empty() ? std::string("untitled") : title) + version + "\nworlds " +
         playedIdentity() + "\n";
}

void install(const WorldFile* file) {
  if (file) {
    played.file = *file;
    installWorlds(*file);
  } else {
    played.file.reset();
    installBuiltInWorlds();
  }
  played.identity.clear();
  played.lines.reset();
}

bool loadFile(const std::string& path, WorldFile* out, std::string* error) {
  WorldFileError refusal;
  if (loadWorldFile(path, out, &refusal)) return true;
  // Line 0: the file could not be read at all.
  *error = (refusal.line == 0 ? "velmora: cannot read the world file " : "") + refusal.message();
  return false;
}

std::string copiesFolder() {
  const std::string state = platform::stateFolderPath();
  return state.empty() ? "" : state + "/worlds";
}

std::string copyPath(const std::string& folder, std::string_view id) {
  return folder + "/" + std::string(id) + ".worlds";
}

// A copy is replaced only by a copy: text, never a file holding a NUL.
bool isWorldsText(std::string_view head) { return head.find('\0') == std::string_view::npos; }

}  // namespace

bool loadWorldsFile(const std::string& path, WorldFile* out, std::string* error) {
  return loadFile(path, out, error);
}

void giveWorlds(const WorldFile* file) {
  install(file);
  played.given = file != nullptr;
}

std::string builtInIdentity() {
  Sha256Digest digest;
  std::memcpy(digest.data(), BuiltInWorldsIdentity, digest.size());
  return hexDigest(digest);
}

std::string namedIdentity(const std::string& worlds) {
  return worlds.empty() ? builtInIdentity() : worlds;
}

const WorldFile* playedWorldFile() { return played.file ? &*played.file : nullptr; }

const std::string& playedIdentity() {
  if (played.identity.empty()) played.identity = playedWorldsIdentity();
  return played.identity;
}

const std::string& worldsLines() {
  if (!played.lines) played.lines = linesOf(played.file ? &*played.file : nullptr);
  return *played.lines;
}

bool isWorldsIdentity(std::string_view id) {
  if (id.size() != 64) return false;
  for (char c : id) {
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

bool followNamedWorlds(std::string_view id, std::string* reason) {
  if (!isWorldsIdentity(id)) {
    *reason = "worlds needs a world file's identity: 64 lowercase hexadecimal digits";
    return false;
  }
  if (id == playedIdentity()) return true;
  if (played.given) {
    *reason = "this game was played on other worlds (" + std::string(id) +
              ") than the ones given (" + playedIdentity() + ")";
    return false;
  }
  WorldFile copy;
  if (!findWorldsCopy(id, &copy)) {
    *reason = "this game was played on worlds this computer has no copy of (" + std::string(id) +
              "): give their world file with --worlds FILE";
    return false;
  }
  giveWorlds(&copy);
  tellWorlds(copy);
  restartForm();
  return true;
}

void tellWorlds(const WorldFile& file) {
  std::string line = "velmora: playing ";
  line += file.title.empty() ? "untitled worlds" : "\"" + file.title + "\"";
  if (!file.author.empty()) line += " by " + file.author;
  std::fprintf(stderr, "%s\n", line.c_str());
}

bool keepWorldsCopy(const WorldFile& file, std::string* error) {
  const std::string folder = copiesFolder();
  if (folder.empty()) {
    *error = "no state folder to keep the world file in: neither XDG_STATE_HOME nor HOME is set";
    return false;
  }
  const std::string id = worldsIdentity(file);
  WorldFile kept;
  if (findWorldsCopy(id, &kept)) return true;
  if (!platform::makeOwnFolder(folder, "folder of world files", error)) return false;
  const std::string path = copyPath(folder, id);
  const std::string text = writeWorldFile(file);
  std::string reason;
  if (platform::writeFileAtomically(path.c_str(), text.data(), text.size(),
                                    platform::ReplaceRule{isWorldsText, "a world file"}, &reason))
    return true;
  *error = "cannot keep a copy of the world file in " + path + ": " + reason;
  return false;
}

bool findWorldsCopy(std::string_view id, WorldFile* out) {
  const std::string folder = copiesFolder();
  if (folder.empty() || !isWorldsIdentity(id)) return false;
  std::string error;
  WorldFile copy;
  if (!loadFile(copyPath(folder, id), &copy, &error) || worldsIdentity(copy) != id) return false;
  *out = std::move(copy);
  return true;
}

namespace {
struct Saved {
  std::optional<WorldFile> file;
  bool given = false;
};
std::vector<Saved> savedWorlds;
}  // namespace

NamedWorldsScope::NamedWorldsScope(std::string_view id) {
  if (id == playedIdentity()) return;
  WorldFile copy;
  const bool builtIn = id == builtInIdentity();
  ready_ = builtIn || findWorldsCopy(id, &copy);
  if (!ready_) return;
  savedWorlds.push_back(Saved{played.file, played.given});
  install(builtIn ? nullptr : &copy);
  switched_ = true;
}

NamedWorldsScope::~NamedWorldsScope() {
  if (!switched_) return;
  Saved saved = std::move(savedWorlds.back());
  savedWorlds.pop_back();
  install(saved.file ? &*saved.file : nullptr);
  played.given = saved.given;
}
