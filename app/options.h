// The command line of the velmora program: window scale and fullscreen,
// recording, headless replays with their summary, help and version.
#pragma once

#include <string>

struct Options {
  int scale = 1;             // 1 to 4: whole-pixel enlargement of the window
  bool scaleGiven = false;   // --scale was on the command line (a cap in fullscreen)
  bool fullscreen = false;   // fill the screen, the picture centred on black
  bool headless = false;     // run a script instead of opening a window
  std::string scriptPath;    // empty or "-": the script comes from stdin
  bool summary = false;      // --summary: one line on the replayed game at the end
  bool showHelp = false;     // --help: print the usage and stop
  bool showVersion = false;  // --version: print the version and stop
  std::string recordPath;    // --record FILE: the window's key presses go there
  std::string resumePath;    // --resume FILE: that recording's game goes on, recorded there
  std::string moviePath;     // --movie OUT: with --headless, the game as a moving picture
  std::string linkPath;      // --link FILE: print FILE's game as a web address
  std::string pageUrl;       // --page URL: the page a link opens (empty: the build's own)

  bool continueGame = false;   // --continue: go on with the last unfinished saved game
  bool noSave = false;         // --no-save: the window's game is not recorded
  bool gridOnly = false;       // --grid-only: letters typed in command entry do nothing
  std::string watchPath;       // --watch FILE: FILE's game played in the window to be watched
  std::string worldsPath;      // --worlds FILE: the world file played on
  std::string linkWorldsPath;  // --link-worlds FILE: print FILE as a web address

  std::string checkWorldsPath;  // --check-worlds FILE: report on a world file, play nothing
  std::string previewDir;       // --preview DIR: with --check-worlds, a PNG of each floor
  std::string solvePath;        // --solve FILE: with --check-worlds, the planner's winning game
  bool checkWorlds = false;     // --check-worlds was given (its FILE, or --daily's world)

  bool daily = false;      // --daily [DATE]: the day's world file stands for a FILE
  std::string dailyDate;   // YYYY-MM-DD as given (checked); empty: today in UTC
  std::string exportPath;  // --export OUT: with --daily, the day's world file written to OUT
  bool share = false;      // --share: with --headless, a won day's share line and its link
  std::string editPath;    // --edit FILE: the world editor on FILE
};

constexpr char UsageLine[] =
    "usage: velmora [--scale N] [--fullscreen] [--grid-only] [--worlds FILE]\n"
    "               [--continue | --no-save | --record FILE | --resume FILE]\n"
    "       velmora --watch FILE [--worlds FILE] [--record NEWFILE | --no-save]\n"
    "               [--scale N] [--fullscreen]\n"
    "       velmora --headless [--summary] [--worlds FILE] [SCRIPT]\n"
    "       velmora --headless [--summary] [--worlds FILE] --movie OUT.webp|OUT.gif [SCRIPT]\n"
    "       velmora --link FILE [--worlds FILE] [--page URL]\n"
    "       velmora --link-worlds FILE [--page URL]\n"
    "       velmora --check-worlds FILE [--preview DIR] [--solve OUT.keys]\n"
    "       velmora --daily [YYYY-MM-DD] --check-worlds [--preview DIR] [--solve OUT.keys]\n"
    "       velmora --daily [YYYY-MM-DD] --export OUT.worlds\n"
    "       velmora --edit FILE [--scale N] [--fullscreen]\n"
    "       velmora --edit FILE --headless [SCRIPT]\n"
    "       velmora --help | --version";

// Returns what --help prints: the usage lines, every option, the script
// commands and the exit statuses.
std::string helpText();

// The first line of --version.
extern const char* const VersionLine;

// Reads the arguments after the program name, GNU style: long options may be
// shortened while they stay unambiguous, take their value as --name=VALUE or
// as the next word, and "--" ends the options. --help and --version end the
// reading at once. Returns false and sets *error (one line, without the
// usage) when the arguments make no sense.
bool parseOptions(int argc, const char* const* argv, Options* options, std::string* error);
