// Typing in command entry through the key chain, as the window drives it
// (each character's key-down, then the character).
#include "ui/typing.h"

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "headless/headless_script.h"
#include "headless/state_json.h"
#include "tests/support/alloc_counter.h"
#include "tests/support/form_fixture.h"
#include "tests/support/headless_run.h"
#include "ui/command_entry.h"
#include "ui/key_chain.h"
#include "ui/keyboard.h"
#include "ui/main_window.h"
#include "ui/session.h"

using enum platform::KeyCode;

namespace {

std::vector<uint16_t> pressed;  // the keys the game received, in order

void notePressed(uint16_t key) { pressed.push_back(key); }

// The key code a window gives the key that types `c` (KeyOther for a sign).
uint16_t keyOf(char c) {
  if (std::isalpha(uint8_t(c))) return uint16_t(std::toupper(uint8_t(c)));
  if (std::isdigit(uint8_t(c))) return uint16_t(c);
  return c == ' ' ? uint16_t(KeySpace) : uint16_t(KeyOther);
}

// One window event: a key-down, then the character it typed (0: none).
struct Event {
  uint16_t key;
  uint32_t character;
};
Event typed(char c) { return Event{keyOf(c), uint8_t(c)}; }
Event key(uint16_t k) { return Event{k, 0}; }

void deliver(const Event& e) {
  frontEndKeyDown(e.key);
  if (e.character) frontEndCharacter(e.character);
  finishTypingWalk();
}

void deliverText(std::string_view text) {
  for (char c : text) deliver(typed(c));
}

// A fresh game in command entry, its keys recorded from here on.
void openGrid(bool typing = true) {
  showFreshTitle();
  setTyping(typing);
  Session.hooks.keyPlayed = notePressed;
  pressed.clear();
  deliver(key('A'));
  deliver(key(KeyEnter));
}

// The keys and records of `script` run headless on a fresh game.
std::vector<uint16_t> scriptKeys(const std::string& script, std::string* records) {
  showFreshTitle();
  pressed.clear();
  std::istringstream in(script);
  EXPECT_EQ(headless::runScript(in, KeyWatcher{notePressed, nullptr}), 0) << script;
  *records = gameStateJson();
  return pressed;
}

class Typing : public testing::Test {
 protected:
  void SetUp() override { prepareHeadlessForm(); }
  void TearDown() override {
    Session.hooks.keyPlayed = nullptr;
    setTyping(true);
  }
};

// A script played on the keyboard: every `type` typed, every `submit` an
// Enter, every `key` its key. Same keys and records as the headless run, for
// statements of every character the grid has and for the committed won game.
TEST_F(Typing, TypedScriptsAreTheHeadlessGames) {
  const std::string statements =
      "key 65 Enter\ntype SELECT * FROM world WHERE worldid=2\nsubmit\n"
      "key Enter\ntype \\v\nsubmit\nkey Enter\ntype CREATE TABLE t (a INT,b VARCHAR(8))\nsubmit\n"
      "key Enter\ntype INSERT INTO t VALUES(1,'x  y')\nsubmit\n"
      "key Enter\ntype #;^&|~\"\\+-*/='<>!.%_(),0123456789\nsubmit\n"
      "key Enter\ntype abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLMNOPQRSTUVWXYZ\nsubmit\n";
  setFormDrawing(false);  // the records tell; drawing would only take time
  for (const std::string& script : {statements, sourceFile("tests/scripts/winning_game.txt")}) {
    std::string scriptRecords;
    const std::vector<uint16_t> scripted = scriptKeys(script, &scriptRecords);
    showFreshTitle();
    Session.hooks.keyPlayed = notePressed;
    pressed.clear();
    std::istringstream lines(script);
    for (std::string line; std::getline(lines, line);) {
      if (line.rfind("type ", 0) == 0) {
        deliverText(std::string_view(line).substr(5));
      } else if (line == "submit") {
        deliver(key(KeyEnter));
      } else if (line.rfind("key ", 0) == 0) {
        for (std::string_view name : headless::splitWords(std::string_view(line).substr(4))) {
          const uint16_t code = name == "Space"   ? uint16_t(KeySpace)
                                : name == "Enter" ? uint16_t(KeyEnter)
                                : name == "Tab"   ? uint16_t(KeyTab)
                                : name == "Up"    ? uint16_t(KeyUp)
                                : name == "Down"  ? uint16_t(KeyDown)
                                : name == "Left"  ? uint16_t(KeyLeft)
                                : name == "Right" ? uint16_t(KeyRight)
                                                  : uint16_t(std::stoi(std::string(name)));
          deliver(key(code));
        }
      }
    }
    EXPECT_EQ(pressed, scripted) << script;
    EXPECT_EQ(gameStateJson(), scriptRecords) << script;
  }
  EXPECT_EQ(GameMode, ModeCleared);
  setFormDrawing(true);
}

// What each key means while typing: the line it leaves and whether it
// reached the game as anything but the grid's keys.
TEST_F(Typing, KeysWhileTyping) {
  const struct {
    const char* what;
    std::vector<Event> events;
    const char* line;
    bool typing = true;
  } cases[] = {
      {"Space before anything is typed picks under the cursor", {key(KeySpace)}, "A"},
      {"Space after a typed character types a space", {typed('S'), key(KeySpace)}, "S "},
      {"two typed spaces", {typed('S'), key(KeySpace), key(KeySpace), typed('x')}, "S  x"},
      {"Space after an arrow picks under the cursor",
       {typed('S'), key(KeyRight), key(KeySpace)},
       "ST"},
      {"Space after typing, an arrow, then typing again",
       {typed('S'), key(KeyDown), key(KeySpace), typed('1'), key(KeySpace)},
       "Sf1 "},
      {"Backspace picks the erase cell", {typed('a'), typed('b'), key(KeyBack)}, "a"},
      {"Backspace on an empty line", {key(KeyBack), key(KeyBack)}, ""},
      {"Space after Backspace types a space",
       {typed('a'), key(KeyRight), key(KeyBack), key(KeySpace)},
       " "},
      {"Tab still completes", {typed('S'), key(KeyTab)}, "SELECT "},
      {"a character the grid lacks does nothing",
       {typed('['), typed('`'), typed('{'), Event{KeyOther, 0xE9}, Event{KeyOther, 0x7F},
        Event{KeyOther, 0x80}, Event{KeyTab, '\t'}, typed('x')},
       "x"},
      {"keys that type nothing do nothing", {key(KeyEscape), key(KeyF1), key(16), typed('q')}, "q"},
      {"with typing off letters do nothing",
       {typed('S'), key(KeyBack), key(KeyRight), key(KeySpace)},
       "B",
       false},
      {"with typing off Enter does nothing", {typed('S'), key(KeyEnter)}, "", false},
  };
  for (const auto& c : cases) {
    openGrid(c.typing);
    pressed.clear();
    for (const Event& e : c.events) deliver(e);
    EXPECT_EQ(std::string(CommandLine), c.line) << c.what;
    EXPECT_EQ(GameMode, ModeCommand) << c.what;
    if (c.typing) {
      for (uint16_t k : pressed) {
        const bool gridKey = k == KeySpace || k == KeyTab || (k >= KeyLeft && k <= KeyDown);
        EXPECT_TRUE(gridKey) << c.what << ": key " << k;
      }
    } else {
      // Typing off, every key reaches the game as it always did.
      EXPECT_EQ(pressed.size(), c.events.size()) << c.what;
    }
  }
}

// Outside command entry the letters mean what they always did, and a
// typed character does nothing at all.
TEST_F(Typing, OutsideCommandEntryKeysAreTheGames) {
  showFreshTitle();
  Session.hooks.keyPlayed = notePressed;
  pressed.clear();
  deliver(typed('s'));  // the title: any key starts
  EXPECT_EQ(GameMode, ModeField);
  const std::string field = gameStateJson();
  deliver(typed('x'));
  deliver(key(KeyBack));
  EXPECT_EQ(gameStateJson(), field);
  EXPECT_EQ(pressed, (std::vector<uint16_t>{'S', 'X', KeyBack}));
}

// A walk shown step by step: the window calls its tick until it answers -1,
// pausing between steps; a key that comes meanwhile finishes the walk first.
TEST_F(Typing, WalksAreShownStepByStepAndAllocateNothing) {
  openGrid();
  pressed.clear();
  pressed.reserve(64);  // the test's own list grows outside the count
  AllocationCounter allocations;
  frontEndCharacter('z');
  int steps = 0;
  while (frontEndTick() >= 0) ++steps;
  EXPECT_EQ(CommandLine[0], 'z');
  EXPECT_EQ(int(pressed.size()), steps + 1);
  frontEndCharacter('m');
  EXPECT_GT(frontEndTick(), 0);  // the first step taken, more to come
  frontEndKeyDown(KeySpace);     // after a typed character: a typed space
  finishTypingWalk();
  EXPECT_EQ(std::string(CommandLine), "zm ");
  frontEndCharacter('q');
  EXPECT_GT(frontEndTick(), 0);
  setTyping(false);  // the page turns typing off: a walk under way ends first
  EXPECT_EQ(std::string(CommandLine), "zm q");
  setTyping(true);
  EXPECT_EQ(allocations.count(), 0);
  // Of two cells as near, the first in the grid's order: from the '.' the
  // blanks at (9, 6) and (11, 6) are two presses away. (Keys straight to
  // the game, as in the window.)
  Session.hooks.keyPlayed = nullptr;
  deliver(typed('.'));
  deliver(key(KeySpace));
  EXPECT_EQ(CursorCol, 9);
  EXPECT_EQ(CursorRow, 6);
}

}  // namespace
