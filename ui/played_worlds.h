// The worlds a front end plays: the built-in ones, a world file given on the
// command line or in a link, or the one a recording names; and the state
// folder's copies of the world files played, kept by their identity so that
// a recording still plays after its world file has moved.
#pragma once

#include <string>
#include <string_view>

#include "worlds/world_file.h"

// Reads the world file at `path` whole (a plain file, never more than
// WorldFileLimit bytes) and checks it for play. Returns false and sets
// *error to the line to show: "FILE:LINE:COLUMN: reason", or why the file
// could not be read.
bool loadWorldsFile(const std::string& path, WorldFile* out, std::string* error);

// Plays `file` from the next title on, as the worlds given (a recording
// naming other worlds is then refused); null plays the built-in worlds and
// lets a recording's `worlds` line choose. The start-up calls it.
void giveWorlds(const WorldFile* file);

// The identity of the built-in worlds.
std::string builtInIdentity();
// The identity of the worlds a recording names: `worlds` as its `worlds`
// line gives it, or the built-in worlds' when it names none ("").
std::string namedIdentity(const std::string& worlds);
// The world file played, or null on the built-in worlds.
const WorldFile* playedWorldFile();
// The identity of the worlds played, as 64 lowercase hexadecimal digits.
const std::string& playedIdentity();

// What a recording made on the worlds played names them with, after its
// header: nothing on the built-in worlds, else the title in a comment (and,
// for a day's world, its generator version) and the `worlds ID` line the
// replayer reads. Made when first asked for after the worlds are
// installed; asking again costs nothing.
const std::string& worldsLines();

// Whether `id` is an identity as written: 64 lowercase hexadecimal digits.
bool isWorldsIdentity(std::string_view id);

// A recording's `worlds ID`: the game is to be played on the worlds of that
// identity. Those played already: nothing to do. Worlds given otherwise:
// refused. Else the state folder's copy is played from a fresh title (the
// worlds then count as given). Returns false and sets *reason when the game
// cannot be played on them.
bool followNamedWorlds(std::string_view id, std::string* reason);

// Tells on standard error which world file is played: its title and author.
void tellWorlds(const WorldFile& file);

// Keeps a copy of `file` in the state folder under its identity, unless one
// is there. Returns false and sets *error when it cannot be written.
bool keepWorldsCopy(const WorldFile& file, std::string* error);
// Reads the state folder's copy of the worlds `id` names; false when there is
// none, or none that still has that identity.
bool findWorldsCopy(std::string_view id, WorldFile* out);

// While it lives, the worlds `id` names are played (the state folder's copy,
// when they are not the ones played): for judging a game kept in the state
// folder. ready() is false when there is no copy.
class NamedWorldsScope {
 public:
  explicit NamedWorldsScope(std::string_view id);
  ~NamedWorldsScope();
  NamedWorldsScope(const NamedWorldsScope&) = delete;
  NamedWorldsScope& operator=(const NamedWorldsScope&) = delete;
  bool ready() const { return ready_; }

 private:
  bool ready_ = true;
  bool switched_ = false;
};
