// Reading velmora's command line the way GNU programs do, with glibc's
// getopt_long: long options that may be shortened, --name=VALUE or
// --name VALUE, "--" to end the options, and -h, -V as short forms of --help
// and --version. The messages are the game's own.
#include "app/options.h"

#include <getopt.h>

#include <cstring>
#include <string_view>
#include <vector>

#include "app/replay_link.h"
#include "headless/headless_script.h"
#include "headless/script_lines.h"
#include "platform/media/movie_writer.h"
#include "ui/editor_view.h"
#include "worlds/calendar_date.h"

namespace {

// What --help prints after the usage lines.
constexpr char HelpBody[] =
    "\n"
    "Velmora Keep 03: a keyboard-only role-playing game whose world is a small\n"
    "database changed with SQL statements.\n"
    "\n"
    "Options:\n"
    "  --scale N          enlarge the window by whole pixels, N from 1 to 4 (default 1);\n"
    "                     with --fullscreen, the largest enlargement allowed\n"
    "  --fullscreen       fill the screen: the picture enlarged by the largest whole\n"
    "                     factor that fits, centred on black\n"
    "  --grid-only        compose statements on the grid alone: characters typed on\n"
    "                     the keyboard in command entry do nothing\n"
    "  --continue         go on with the last unfinished game of the state folder\n"
    "                     ($XDG_STATE_HOME/velmora, or ~/.local/state/velmora),\n"
    "                     where every window game is recorded; a new game starts\n"
    "                     when there is none\n"
    "  --no-save          play without recording the game in the state folder\n"
    "  --record FILE      write every key press of the window to FILE as a script;\n"
    "                     a FILE that is not empty, is a link or is no plain file\n"
    "                     (a FIFO, a device) is refused, as is one another game holds\n"
    "  --resume FILE      replay the recording FILE, then play on in the window from\n"
    "                     where it ended, adding the new key presses to FILE\n"
    "  --watch FILE       play the game of FILE (a recording, or a script without\n"
    "                     screenshot lines) in the window at a pace to follow: Space\n"
    "                     pauses, Right steps, Up and Down change the pace, End goes\n"
    "                     to the end, Enter plays on from there (recorded with --record)\n"
    "  --headless [SCRIPT]\n"
    "                     play without a window, reading script commands from SCRIPT\n"
    "                     (or standard input when SCRIPT is absent or -)\n"
    "  --summary          with --headless: after the script, print one line such as\n"
    "                     'won score=4321 turns=679 statements=212'\n"
    "  --share            with --headless: after a won game of a day's world, print\n"
    "                     'Velmora Keep 03 \xC2\xB7 DATE \xC2\xB7 score N \xC2\xB7 S statements' "
    "and then\n"
    "                     the link that plays the game, in place of the summary\n"
    "  --movie OUT        with --headless: write the game as a moving picture, a\n"
    "                     frame for each turn and each statement; OUT ends in .webp\n"
    "                     (lossless) or .gif (256 colours); only a new file or a\n"
    "                     picture of the same kind is replaced\n"
    "  --link FILE        print the game of FILE (a recording, or a script without\n"
    "                     screenshot lines) as one web address that plays it\n"
    "  --page URL         with --link, --link-worlds or --share: the page the address\n"
    "                     opens (default {page})\n"
    "  --worlds FILE      play on the worlds of the world file FILE, read and checked\n"
    "                     first (a refused file is told as FILE:LINE:COLUMN: reason);\n"
    "                     with the window, --headless, --watch, --link, --record,\n"
    "                     --resume and --continue. A copy is kept in the state folder\n"
    "                     for the games recorded on it\n"
    "  --link-worlds FILE print the world file FILE as one web address that opens it\n"
    "  --check-worlds FILE\n"
    "                     check the world file FILE and print its title, author and\n"
    "                     identity, each chara's start and goal and whether it\n"
    "                     reaches the goal without help, and how a game in which\n"
    "                     the player only lets turns pass ends; plays nothing\n"
    "  --preview DIR      with --check-worlds: write a PNG of every floor that is not\n"
    "                     all code 5 into DIR, as worldW-floorF.png\n"
    "  --solve OUT        with --check-worlds: search for a winning game and write it\n"
    "                     to OUT as --record writes (OUT must be new or empty)\n"
    "  --daily [YYYY-MM-DD]\n"
    "                     the world file of that day (today in UTC when no date is\n"
    "                     given), made from the date alone, the same for everyone:\n"
    "                     played, watched, filmed, linked or checked in place of\n"
    "                     --worlds FILE (or --check-worlds's FILE)\n"
    "  --export OUT       with --daily: write the day's world file to OUT (a new or\n"
    "                     empty file, or a day's world file written before)\n"
    "  --edit FILE        make a world: the world editor on FILE (a new name, or a\n"
    "                     world file; a link, a folder, a file that is no world\n"
    "                     file or one another editor holds is refused); with\n"
    "                     --headless, a script's key lines drive it. Keys:\n"
    "{editorkeys}"
    "  -h, --help         print this help and exit\n"
    "  -V, --version      print the version and exit\n"
    "\n"
    "Script commands (one a line; blank lines and lines starting with # are skipped):\n"
    "  key NAME...        press keys: {keys} or a code 1-255\n"
    "  state              print the game state as one line of JSON\n"
    "  map W F            print floor F of world W's map, 32 lines of 32 characters\n"
    "  screenshot FILE    write what the player sees as a PNG\n"
    "  type TEXT          in command entry: pick each character of TEXT on the grid\n"
    "  submit             in command entry: submit the statement\n"
    "  worlds ID          play on the worlds of that identity, before the first key:\n"
    "                     a recording made on a world file names them so\n"
    "\n"
    "Exit status: 0 when the game or script ends normally, 1 when there is no\n"
    "display, a headless run cannot start, its output could not be written or the\n"
    "recording or movie could not be written to its end, 2 for a bad option, an\n"
    "unreadable script, a bad script line or a refused recording or movie.\n"
    "With --check-worlds: 0 for a valid world file (with --solve: and a win written),\n"
    "1 when --solve found no win or a picture or the recording could not be\n"
    "written, 2 for a world file refused (told as FILE:LINE:COLUMN: reason) or a\n"
    "refused recording.\n"
    "\n"
    "The full manual is velmora(6); the players' guide tells how to play.";

constexpr int MinScale = 1;
constexpr int MaxScale = 4;

// Long options without a short form get codes past every character.
enum OptionId : int {
  OptHelp = 'h',
  OptVersion = 'V',
  OptScale = 256,
  OptFullscreen,
  OptRecord,
  OptResume,
  OptHeadless,
  OptSummary,
  OptShare,
  OptMovie,
  OptLink,
  OptPage,
  OptContinue,
  OptNoSave,
  OptGridOnly,
  OptWatch,
  OptCheckWorlds,
  OptPreview,
  OptSolve,
  OptDaily,
  OptExport,
  OptWorlds,
  OptLinkWorlds,
  OptEdit,
};

// --headless takes its script only as --headless=SCRIPT; "--headless SCRIPT"
// works too because the script is then the one word that is no option.
const option LongOptions[] = {
    {"help", no_argument, nullptr, OptHelp},
    {"version", no_argument, nullptr, OptVersion},
    {"scale", required_argument, nullptr, OptScale},
    {"fullscreen", no_argument, nullptr, OptFullscreen},
    {"record", required_argument, nullptr, OptRecord},
    {"resume", required_argument, nullptr, OptResume},
    {"headless", optional_argument, nullptr, OptHeadless},
    {"summary", no_argument, nullptr, OptSummary},
    {"share", no_argument, nullptr, OptShare},
    {"movie", required_argument, nullptr, OptMovie},
    {"link", required_argument, nullptr, OptLink},
    {"worlds", required_argument, nullptr, OptWorlds},
    {"link-worlds", required_argument, nullptr, OptLinkWorlds},
    {"page", required_argument, nullptr, OptPage},
    {"continue", no_argument, nullptr, OptContinue},
    {"no-save", no_argument, nullptr, OptNoSave},
    {"grid-only", no_argument, nullptr, OptGridOnly},
    {"watch", required_argument, nullptr, OptWatch},
    {"check-worlds", optional_argument, nullptr, OptCheckWorlds},
    {"preview", required_argument, nullptr, OptPreview},
    {"solve", required_argument, nullptr, OptSolve},
    {"daily", optional_argument, nullptr, OptDaily},
    {"export", required_argument, nullptr, OptExport},
    {"edit", required_argument, nullptr, OptEdit},
    {nullptr, 0, nullptr, 0},
};
// "-": words that are no option come back in order (code 1), so the script
// may stand anywhere; ":": getopt_long stays quiet and tells a missing value
// apart, and the messages below are the game's own.
constexpr char ShortOptions[] = "-:hV";
constexpr int OperandCode = 1;

// Reads a whole decimal number in [MinScale, MaxScale].
bool parseScale(const char* text, int* scale) {
  if (std::strlen(text) != 1 || text[0] < '0' + MinScale || text[0] > '0' + MaxScale) {
    return false;
  }
  *scale = text[0] - '0';
  return true;
}

std::string spelled(int id) {
  for (const option* o = LongOptions; o->name != nullptr; ++o) {
    if (o->val == id) return std::string("--") + o->name;
  }
  return "";
}

// Says what getopt_long refused in the long option `word`: a value given to an
// option that takes none (`id`), or a name that begins no option or more than
// one.
std::string refusal(const char* word, int id) {
  if (id != 0) return spelled(id) + " takes no value";
  const std::string_view name = std::string_view(word + 2).substr(0, std::strcspn(word + 2, "="));
  for (const option* o = LongOptions; o->name != nullptr; ++o) {
    // A name that begins an option and was still refused begins two.
    if (!name.empty() && std::string_view(o->name).starts_with(name)) {
      return "ambiguous option --" + std::string(name);
    }
  }
  return "unknown option --" + std::string(name);
}

// --watch, --movie, --link, --page and the world file options: the ways a
// game is shown to others, and the worlds it is played on.
bool applyShowingOption(OptionId id, const char* value, Options* options, std::string* error) {
  platform::MovieFormat format{};
  if (id == OptMovie && !platform::movieFormatOf(value, &format)) {
    *error = std::string("--movie ") + value + ": the name must end in .webp or .gif";
    return false;
  }
  if (id == OptPage && !pageUrlAllowed(value)) {
    *error = "--page needs a web address without blanks or control characters";
    return false;
  }
  if (value[0] == '\0') {
    *error = spelled(id) + " needs a file name";
    return false;
  }
  std::string& target = id == OptMovie        ? options->moviePath
                        : id == OptLink       ? options->linkPath
                        : id == OptWatch      ? options->watchPath
                        : id == OptWorlds     ? options->worldsPath
                        : id == OptLinkWorlds ? options->linkWorldsPath
                                              : options->pageUrl;
  target = value;
  return true;
}

// Whether `word` is written as a date, YYYY-MM-DD, real or not: such a word
// after --daily is its date rather than a script.
bool shapedAsDate(std::string_view word) {
  if (word.size() != 10) return false;
  for (size_t i = 0; i < word.size(); ++i) {
    if ((i == 4 || i == 7) ? word[i] != '-' : (word[i] < '0' || word[i] > '9')) return false;
  }
  return true;
}

bool takeDate(const char* value, Options* options, std::string* error) {
  CalendarDate date;
  if (!parseCalendarDate(value, &date)) {
    *error = "--daily " + headless::printable(value) +
             ": not a day of the calendar from 1970 to 9999 as YYYY-MM-DD";
    return false;
  }
  options->dailyDate = value;
  return true;
}

// Carries out one option with its value (null when it has none).
bool applyOption(OptionId id, const char* value, Options* options, std::string* error) {
  switch (id) {
    case OptHelp:
      options->showHelp = true;
      break;
    case OptVersion:
      options->showVersion = true;
      break;
    case OptScale:
      if (!parseScale(value, &options->scale)) {
        *error = std::string("--scale ") + value + ": not a number from 1 to 4";
        return false;
      }
      options->scaleGiven = true;
      break;
    case OptFullscreen:
      options->fullscreen = true;
      break;
    case OptRecord:
      if (value[0] == '\0') {
        *error = "--record needs a file name";
        return false;
      }
      options->recordPath = value;
      break;
    case OptResume:
      if (value[0] == '\0') {
        *error = "--resume needs a file name";
        return false;
      }
      options->resumePath = value;
      break;
    case OptHeadless:
      options->headless = true;
      if (value != nullptr) options->scriptPath = value;
      break;
    case OptSummary:
      options->summary = true;
      break;
    case OptShare:
      options->share = true;
      break;
    case OptContinue:
      options->continueGame = true;
      break;
    case OptNoSave:
      options->noSave = true;
      break;
    case OptGridOnly:
      options->gridOnly = true;
      break;
    case OptEdit:
      if (value[0] == '\0') {
        *error = "--edit needs a file name";
        return false;
      }
      options->editPath = value;
      break;
    case OptMovie:
    case OptLink:
    case OptPage:
    case OptWatch:
    case OptWorlds:
    case OptLinkWorlds:
      return applyShowingOption(id, value, options, error);
    case OptDaily:
      options->daily = true;
      return value == nullptr || takeDate(value, options, error);
    case OptCheckWorlds:
      options->checkWorlds = true;
      if (value == nullptr) break;  // its FILE comes as the next word, or --daily stands for it
      [[fallthrough]];
    case OptPreview:
    case OptSolve:
    case OptExport:
      if (value[0] == '\0') {
        *error = spelled(id) + (id == OptPreview ? " needs a folder" : " needs a file name");
        return false;
      }
      (id == OptCheckWorlds ? options->checkWorldsPath
       : id == OptPreview   ? options->previewDir
       : id == OptExport    ? options->exportPath
                            : options->solvePath) = value;
      break;
  }
  return true;
}

// The rules between options, once all are read.
bool checkCombination(const Options& options, std::string* error) {
  // Only the window's keys are recorded; a script is its own record.
  if (options.headless && !options.recordPath.empty()) {
    *error = "--record works only with the window, not with --headless";
    return false;
  }
  if (options.headless && !options.resumePath.empty()) {
    *error = "--resume works only with the window, not with --headless";
    return false;
  }
  if (!options.recordPath.empty() && !options.resumePath.empty()) {
    *error = "--record and --resume cannot be used together: --resume records to its own FILE";
    return false;
  }
  // The window's ways of keeping its game: one at a time.
  const int keeping = int(options.continueGame) + int(options.noSave) +
                      int(!options.recordPath.empty()) + int(!options.resumePath.empty());
  if ((options.continueGame || options.noSave) && keeping > 1) {
    *error = "--continue, --no-save, --record and --resume cannot be used together";
    return false;
  }
  if (options.headless && (options.continueGame || options.noSave || options.gridOnly)) {
    *error = "--continue, --no-save and --grid-only work only with the window, not with --headless";
    return false;
  }
  if (options.share && (!options.headless || options.summary)) {
    *error = "--share works only with --headless, in place of --summary";
    return false;
  }
  if (options.summary && !options.headless) {
    *error = "--summary works only with --headless";
    return false;
  }
  if (!options.moviePath.empty() && !options.headless) {
    *error = "--movie works only with --headless";
    return false;
  }
  const bool link = !options.linkPath.empty();
  if (link && (options.headless || !options.recordPath.empty() || !options.resumePath.empty() ||
               options.continueGame || options.noSave || options.gridOnly)) {
    *error = "--link prints a link and plays nothing: use it alone, with --page at most";
    return false;
  }
  if (!options.watchPath.empty() &&
      (options.headless || link || !options.resumePath.empty() || options.continueGame)) {
    *error =
        "--watch plays in the window: use it without --headless, --link, --resume or --continue";
    return false;
  }
  const bool checking = options.checkWorlds;
  if (checking && !options.daily && options.checkWorldsPath.empty()) {
    *error = "--check-worlds needs a file name (or --daily for the day's world file)";
    return false;
  }
  if (checking && options.daily && !options.checkWorldsPath.empty()) {
    *error = "--check-worlds checks one world file: FILE or the day's with --daily, not both";
    return false;
  }
  if (!options.exportPath.empty() && !options.daily) {
    *error = "--export works only with --daily";
    return false;
  }
  if (options.daily && !options.exportPath.empty() &&
      (checking || options.headless || link || !options.watchPath.empty() ||
       !options.recordPath.empty() || !options.resumePath.empty() || options.continueGame ||
       options.noSave || options.gridOnly || options.scaleGiven || options.fullscreen)) {
    *error = "--export writes the day's world file and plays nothing: use it with --daily alone";
    return false;
  }
  if (options.daily && (!options.worldsPath.empty() || !options.linkWorldsPath.empty())) {
    *error = "--daily stands for a world file: use it in place of --worlds FILE, not with it";
    return false;
  }
  if (checking &&
      (options.headless || link || !options.worldsPath.empty() || !options.linkWorldsPath.empty() ||
       !options.watchPath.empty() || !options.recordPath.empty() || !options.resumePath.empty() ||
       options.continueGame || options.noSave || options.gridOnly)) {
    *error =
        "--check-worlds checks a world file and plays nothing: use it alone, with --preview "
        "and --solve at most";
    return false;
  }
  if (!checking && (!options.previewDir.empty() || !options.solvePath.empty())) {
    *error = "--preview and --solve work only with --check-worlds";
    return false;
  }
  if (!options.linkWorldsPath.empty() &&
      (link || options.headless || !options.worldsPath.empty() || !options.watchPath.empty() ||
       !options.recordPath.empty() || !options.resumePath.empty() || options.continueGame ||
       options.noSave || options.gridOnly)) {
    *error = "--link-worlds prints a link and plays nothing: use it alone, with --page at most";
    return false;
  }
  if (!options.editPath.empty() &&
      (link || !options.linkWorldsPath.empty() || !options.worldsPath.empty() || checking ||
       options.daily || !options.watchPath.empty() || !options.moviePath.empty() ||
       !options.recordPath.empty() || !options.resumePath.empty() || options.continueGame)) {
    *error =
        "--edit opens the world editor: use it alone, with --headless, --scale or --fullscreen";
    return false;
  }
  if (!options.pageUrl.empty() && !link && options.linkWorldsPath.empty() && !options.share) {
    *error = "--page works only with --link, --link-worlds or --share";
    return false;
  }
  return true;
}

}  // namespace

const char* const VersionLine = "velmora (Velmora Keep 03) " VELMORA_VERSION;

std::string helpText() {
  std::string body = HelpBody;
  const std::string_view mark = "{page}";
  body.replace(body.find(mark), mark.size(), DefaultPageUrl);
  body.replace(body.find("{keys}"), 6, headless::keyNames(" "));
  std::string editorKeys;
  for (int k = 0; k < EditorKeyLineCount; ++k)
    editorKeys += std::string("                       ") + EditorKeyLines[k] + "\n";
  body.replace(body.find("{editorkeys}"), 12, editorKeys);
  return std::string(UsageLine) + "\n" + body;
}

bool parseOptions(int argc, const char* const* argv, Options* options, std::string* error) {
  // The script may stand before --headless, and --check-worlds's FILE or
  // --daily's date anywhere, so the words are sorted out at the end.
  struct Operand {
    const char* word;
    bool script;  // after "--": a script, however it is spelled
  };
  std::vector<Operand> operands;
  auto takeOperand = [&](const char* word, bool script = false) {
    operands.push_back(Operand{word, script});
    return true;
  };
  // In-order mode moves no word, so the caller's arguments stay as they are.
  char* const* words = const_cast<char* const*>(argv);
  optind = 0;  // a fresh scan, whatever an earlier call left behind
  opterr = 0;
  for (;;) {
    const int wordIndex = optind == 0 ? 1 : optind;
    const int code = getopt_long(argc, words, ShortOptions, LongOptions, nullptr);
    if (code == -1) break;
    if (code == OperandCode) {
      if (!takeOperand(optarg)) return false;
      continue;
    }
    if (code == '?') {
      // A run of short options (-hV) refuses one letter: name that letter.
      *error = optopt != 0 && optopt < OptScale && optopt != OptHelp && optopt != OptVersion
                   ? std::string("unknown option -") + char(optopt)
                   : refusal(argv[optind - 1], optopt);
      return false;
    }
    if (code == ':') {
      *error = spelled(optopt) +
               (optopt == OptScale ? " needs a number from 1 to 4" : " needs a file name");
      return false;
    }
    if (!applyOption(OptionId(code), optarg, options, error)) return false;
    // --help and --version end the reading once their word is done (-hV
    // still reads the V).
    if ((options->showHelp || options->showVersion) && optind > wordIndex) return true;
  }
  // Everything after "--" is a script, however it is spelled.
  for (int i = optind; i < argc; ++i) {
    if (!takeOperand(argv[i], true)) return false;
  }
  const char* operand = nullptr;
  for (const auto& [word, script] : operands) {
    if (!script && options->daily && options->dailyDate.empty() && shapedAsDate(word)) {
      if (!takeDate(word, options, error)) return false;
    } else if (!script && options->checkWorlds && options->checkWorldsPath.empty()) {
      options->checkWorldsPath = word;
    } else if (operand != nullptr) {
      *error = "only one script can be replayed at a time";
      return false;
    } else {
      operand = word;
    }
  }
  if (operand != nullptr) {
    if (!options->headless) {
      *error = std::string("unexpected argument ") + operand;
      return false;
    }
    if (!options->scriptPath.empty()) {
      *error = "only one script can be replayed at a time";
      return false;
    }
    options->scriptPath = operand;
  }
  return checkCombination(*options, error);
}
