// Loading the native module (native.h) the first time the program needs it.
// The module is looked for where the package installs it, relative to the
// program's own file, then beside the program, as in the build tree. Both
// places come from /proc/self/exe, never from the current directory or the
// environment, which whoever starts the game controls.
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

#include "platform/native.h"

namespace platform {
namespace {

constexpr const char* ModuleName = VELMORA_NATIVE_MODULE;
// The installed module's folder, relative to the installed program's.
constexpr const char* InstalledFolder = VELMORA_NATIVE_INSTALLED_FOLDER;

// The folder holding the running program's file; throws when it is unknown.
std::string programFolder() {
  char path[4096];
  const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path);
  if (length <= 0 || size_t(length) >= sizeof path) {
    throw std::runtime_error(std::string("cannot find the program's own file to load ") +
                             ModuleName + ": " +
                             (length < 0 ? std::strerror(errno) : "the name is too long"));
  }
  const std::string program(path, size_t(length));
  const size_t slash = program.rfind('/');
  return slash == 0 || slash == std::string::npos ? "/" : program.substr(0, slash);
}

// Loads the module at `path` and checks that it is of this build; returns
// null with *why when that fails. A module that someone other than its owner
// (the system or the player) may change is not run.
const NativeLibrary* loadFrom(const std::string& path, const struct stat& info, std::string* why) {
  if (!S_ISREG(info.st_mode)) {
    *why = "it is not a plain file";
    return nullptr;
  }
  if ((info.st_uid != 0 && info.st_uid != ::geteuid()) || (info.st_mode & S_IWOTH)) {
    *why = "others than its owner may change it";
    return nullptr;
  }
  void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!module) {
    const char* error = ::dlerror();
    *why = error ? error : "the system did not say why";
    return nullptr;
  }
  using TableCall = const NativeLibrary* (*)();
  const auto call = reinterpret_cast<TableCall>(::dlsym(module, "velmora_native_library"));
  const NativeLibrary* table = call ? call() : nullptr;
  if (!table || table->abi != NativeAbi || std::strcmp(table->version, VELMORA_VERSION) != 0) {
    // Another build's module: nothing of it is called, so it stays mapped harmlessly.
    *why = "it is not the module of this build of velmora " VELMORA_VERSION;
    return nullptr;
  }
  return table;
}

const NativeLibrary& load() {
  const std::string folder = programFolder();
  const std::string places[] = {folder + "/" + InstalledFolder + "/" + ModuleName,
                                folder + "/" + ModuleName};
  for (const std::string& path : places) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
      if (errno == ENOENT || errno == ENOTDIR) continue;
      throw std::runtime_error("cannot load " + path + ": " + std::strerror(errno));
    }
    std::string why;
    if (const NativeLibrary* table = loadFrom(path, info, &why)) return *table;
    throw std::runtime_error("cannot load " + path + ": " + why);
  }
  throw std::runtime_error(std::string("cannot find ") + ModuleName + ", which draws the window, " +
                           "fonts and pictures, in " + places[0].substr(0, places[0].rfind('/')) +
                           " or " + folder);
}

}  // namespace

const NativeLibrary& nativeLibrary() {
  static const NativeLibrary* loaded = nullptr;
  if (!loaded) loaded = &load();
  return *loaded;
}

}  // namespace platform
