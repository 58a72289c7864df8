// Tab completion on the command line: a keyword or name piece chosen by the
// first and last characters typed so far, or the last statement recalled.
#include <cassert>
#include <cstring>

#include "game/game_state.h"
#include "ui/command_entry.h"
#include "ui/status_strip.h"

namespace {

// The longest piece any rule appends; with completion running only up to
// CompleteLimit characters the line stays within MaxCommandText.
constexpr int LongestPiece = 12;
constexpr int MaxCommandText = CompleteLimit + LongestPiece;  // 112
static_assert(MaxCommandText < CommandSize);

// A line of at most one character: its first character names the verb.
struct VerbPiece {
  char first;
  const char* piece;
};

const VerbPiece VerbPieces[] = {
    {'A', "LTER "},       {'C', "REATE "}, {'D', "ELETE FROM "}, {'G', "RANT "},
    {'I', "NSERT INTO "}, {'R', "EVOKE "}, {'S', "ELECT "},      {'U', "PDATE "},
};

// A longer line: the last character picks the piece, for some letters only
// on lines whose first character is one of `firsts` (nullptr: any line).
struct WordPiece {
  char last;
  const char* firsts;
  const char* piece;
};

const WordPiece WordPieces[] = {
    {' ', nullptr, ""},
    {'A', "A", "DD "},
    {'A', "DSU", "ND "},
    {'A', "GR", "LL "},
    {'C', nullptr, "REATE TABLE "},
    {'D', nullptr, "ELETE "},
    {'F', nullptr, "ROM "},
    {'I', "AC", "NT"},
    {'I', "GR", "NSERT "},
    {'O', nullptr, "N "},
    {'R', "D", "OP "},
    {'S', "GR", "ELECT "},
    {'S', "U", "ET "},
    {'T', "ACD", "ABLE "},
    {'T', "G", "O "},
    {'U', nullptr, "PDATE "},
    {'V', "AC", "ARCHAR("},
    {'V', "I", "ALUES("},
    {'W', nullptr, "HERE "},
    {'a', nullptr, "id="},
    {'c', nullptr, "hara"},
    {'d', nullptr, "id="},
    {'f', nullptr, "ieldid"},
    {'p', "GR", "layer "},
    {'p', "S", "arty "},
    {'r', nullptr, "eliability "},
    {'w', nullptr, "orld"},
};

// A last character the table does not know gets a blank after it.
constexpr const char* UnknownPiece = " ";

bool firstMatches(const char* firsts, char first) {
  return firsts == nullptr || (first != '\0' && std::strchr(firsts, first) != nullptr);
}

// Returns the piece for a line of two or more characters: the rule's piece,
// nothing when the last character has rules but none for this first
// character, and a blank when it has no rule at all.
const char* wordPieceFor(char first, char last) {
  bool lastKnown = false;
  for (const WordPiece& rule : WordPieces) {
    if (rule.last != last) continue;
    lastKnown = true;
    if (firstMatches(rule.firsts, first)) return rule.piece;
  }
  return lastKnown ? "" : UnknownPiece;
}

void appendPiece(const char* piece) {
  const size_t length = std::strlen(CommandLine);
  const size_t pieceLength = std::strlen(piece);
  assert(pieceLength <= size_t(LongestPiece));
  assert(length + pieceLength <= size_t(MaxCommandText));
  // Never past the line's storage, whatever the assertions say.
  if (length + pieceLength >= sizeof CommandLine) return;
  std::memcpy(CommandLine + length, piece, pieceLength + 1);
}

}  // namespace

void completeWord() {
  if (CommandLength > CompleteLimit) return;
  const char first = CommandLine[0];
  if (CommandLength <= 1) {
    const char* piece = nullptr;
    for (const VerbPiece& verb : VerbPieces) {
      if (verb.first == first) piece = verb.piece;
    }
    if (piece != nullptr) {
      appendPiece(piece);
    } else {
      // An empty or unknown start recalls the whole last statement.
      std::memcpy(CommandLine, LastCommand, sizeof CommandLine);
      CommandLine[CommandSize - 1] = '\0';
    }
  } else {
    appendPiece(wordPieceFor(first, CommandLine[CommandLength - 1]));
  }
  const size_t length = std::strlen(CommandLine);
  assert(length <= size_t(MaxCommandText));
  CommandLength = uint8_t(length);
  drawCommandLine();
}
