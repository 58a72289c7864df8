// The soak's random player (see random_player.h).
#include "tests/support/random_player.h"

#include <cstring>
#include <iterator>

#include "game/game_state.h"
#include "tests/support/game_fixture.h"
#include "tests/support/invariants.h"
#include "ui/command_entry.h"
#include "ui/keyboard.h"

namespace {

// The statements a player writes, one of each shape the game reads. A '#'
// and a letter is filled at random: w world, x a coordinate, f a tile code,
// k a charaid, p a privilege word, t a table name, n a small number.
constexpr const char* Shapes[] = {
    "SELECT * FROM world WHERE worldid=#w",
    "SELECT * FROM world WHERE worldid=#w AND x=#x AND y=#x",
    "SELECT * FROM world WHERE x=#x AND y=#x",
    "SELECT reliability FROM world WHERE worldid=#w AND charaid=#k",
    "SELECT * FROM party WHERE charaid=#k",
    "INSERT INTO world (worldid,x,y,fieldid) VALUES (#w,#x,#x,#f)",
    "INSERT INTO world (x,y,fieldid) VALUES (#x,#x,#f)",
    "INSERT INTO world (fieldid) VALUES (#f)",
    "DELETE FROM world",
    "DELETE FROM world WHERE worldid=#w AND x=#x AND y=#x",
    "UPDATE world SET fieldid=#f WHERE worldid=#w AND x=#x AND y=#x",
    "UPDATE world SET fieldid=#f",
    "GRANT #p ON world#w TO player",
    "REVOKE #p ON world#w FROM player",
    "CREATE TABLE #t (e VARCHAR(#n), a VARCHAR(8), n INT)",
    "INSERT INTO #t (e,a,n) VALUES ('tuti','sagasu',#f)",
    "INSERT INTO #t (e,a,n) VALUES ('x#n','y',#n)",
    "SELECT e , a , n FROM #t WHERE e = 'tuti'",
    "SELECT * FROM #t WHERE n = #n",
    "ALTER TABLE #t ADD d#n INT",
    "DROP TABLE #t",
    "\\v",
    "\\q",
    "ROLLBACK",
};

constexpr const char* Privileges[] = {"ALL", "SELECT", "INSERT", "DELETE", "UPDATE", "update"};
constexpr const char* TableNames[] = {"book", "t", "m", "Abc"};

// A spell needs three statements in a row: the table, the row that holds
// the spell's words, and the SELECT that casts it.
constexpr const char* SpellSequence[] = {
    "CREATE TABLE book (e VARCHAR(8), a VARCHAR(8), n INT)",
    "INSERT INTO book (e,a,n) VALUES ('tuti','sagasu',#f)",
    "SELECT e , a , n FROM book WHERE e = 'tuti'",
};

std::string fillShape(const char* shape, SoakRandom& random) {
  std::string out;
  for (const char* c = shape; *c != '\0'; ++c) {
    if (*c != '#' || c[1] == '\0') {
      out += *c;
      continue;
    }
    switch (*++c) {
      case 'w':  // mostly the three mazes, now and then a world with none
        out += std::to_string(random.chance(85) ? 1 + random.below(3) : random.below(7));
        break;
      case 'x':  // coordinates a little past both edges as well
        out += std::to_string(random.below(35) - 1);
        break;
      case 'f':
        out += std::to_string(random.below(13));
        break;
      case 'k':
        out += std::to_string(random.below(8));
        break;
      case 'p':
        out += Privileges[random.below(6)];
        break;
      case 't':
        out += TableNames[random.below(4)];
        break;
      default:
        out += std::to_string(random.below(40));
        break;
    }
  }
  return out;
}

}  // namespace

uint64_t smallRecordsFingerprint() {
  uint64_t h = 1469598103934665603ull;
  auto mix = [&h](const void* data, size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (size_t i = 0; i < size; ++i) h = (h ^ bytes[i]) * 1099511628211ull;
  };
  mix(&LeaderPos, sizeof LeaderPos);
  mix(Charas, sizeof Charas);
  mix(&GameMode, sizeof GameMode);
  mix(&Score, sizeof Score);
  mix(&SeedCounter, sizeof SeedCounter);
  mix(&RandomState, sizeof RandomState);
  mix(&CursorCol, 1);
  mix(&CursorRow, 1);
  mix(&CommandLength, 1);
  mix(StatusText, sizeof StatusText);
  mix(Authority, sizeof Authority);
  return h;
}

bool RandomPlayer::play(std::vector<uint16_t>* keys, std::vector<uint64_t>* prints) {
  keys_ = keys;
  prints_ = prints;
  showFreshTitle();
  while (ok_ && int(keys_->size()) < keyBudget_) {
    switch (GameMode) {
      case ModeTitle:
        press(uint16_t(1 + random_.below(255)));  // any key starts
        break;
      case ModeField:
        fieldMove();
        break;
      case ModeCommand:
        commandMove();
        break;
      default:  // won: a few idle keys, then the game is over
        ++reach_->wins;
        for (int i = 0; i < 10 && ok_; ++i) press(playableKey());
        return finish();
    }
  }
  return finish();
}

bool RandomPlayer::finish() {
  reach_->worldChanges += sawWorldChange_;
  reach_->tablesMade += sawTable_;
  return ok_;
}

uint16_t RandomPlayer::playableKey() {
  constexpr uint16_t Playable[] = {KeyUp, KeyDown, KeyLeft, KeyRight, KeyEnter, KeySpace, KeyTab};
  return Playable[random_.below(7)];
}

void RandomPlayer::press(uint16_t key) {
  FormKeyDown(key);
  keys_->push_back(key);
  prints_->push_back(smallRecordsFingerprint());
  std::string why;
  if (!checkInvariants(&why)) {
    ok_ = false;
    failure_ =
        "after key " + std::to_string(keys_->size()) + " (" + std::to_string(key) + "): " + why;
  }
  if (LeaderPos.world != 1 && GameMode != ModeTitle) sawWorldChange_ = true;
  for (const PlayerTable& t : playerTables) {
    if (t.name[0] != '\0') sawTable_ = true;
  }
}

void RandomPlayer::fieldMove() {
  const int roll = random_.below(100);
  if (roll < 8 || pending_ > 0) {
    press(KeyEnter);
  } else if (roll < 10) {
    press(random_.chance(50) ? KeySpace : KeyTab);  // nothing to do in the field
  } else {
    constexpr uint16_t Arrows[] = {KeyUp, KeyDown, KeyLeft, KeyRight};
    // Runs of the same arrow walk corridors instead of shuffling in place.
    const uint16_t arrow = Arrows[random_.below(4)];
    for (int n = 1 + random_.below(6); n > 0 && ok_; --n) press(arrow);
  }
}

void RandomPlayer::commandMove() {
  if (pending_ > 0) {
    typeText(fillShape(SpellSequence[std::size(SpellSequence) - pending_], random_));
    submit();
    --pending_;
    return;
  }
  const int roll = random_.below(100);
  if (roll < 5) {
    pending_ = int(std::size(SpellSequence));
  } else if (roll < 65) {
    typeText(fillShape(Shapes[random_.below(std::size(Shapes))], random_));
    submit();
  } else if (roll < 80) {
    // Random grid characters, erase and submit cells included.
    std::string text;
    for (int n = 1 + random_.below(20); n > 0; --n) {
      text += char(CharGrid[random_.below(GridCols * GridRows)]);
    }
    typeText(text);
    if (GameMode == ModeCommand && random_.chance(70)) submit();
  } else {
    for (int n = 1 + random_.below(30); n > 0 && ok_ && GameMode == ModeCommand; --n) {
      constexpr uint16_t GridKeys[] = {KeyUp, KeyDown, KeyLeft, KeyRight, KeySpace, KeyTab};
      press(GridKeys[random_.below(6)]);
    }
  }
}

void RandomPlayer::typeChar(uint8_t c) {
  int target = 0;
  while (target < GridCols * GridRows && CharGrid[target] != c) ++target;
  if (target == GridCols * GridRows) return;
  const GridWalk walk = gridWalk(CursorCol, CursorRow, target % GridCols, target / GridCols);
  pressTimes(walk.across);
  pressTimes(walk.down);
  if (ok_ && GameMode == ModeCommand) press(KeySpace);
}

void RandomPlayer::pressTimes(CursorSteps along) {
  for (int n = along.steps; n > 0 && ok_ && GameMode == ModeCommand; --n) press(along.key);
}

void RandomPlayer::typeText(const std::string& text) {
  for (char c : text) {
    if (!ok_ || GameMode != ModeCommand || int(keys_->size()) >= keyBudget_) return;
    typeChar(uint8_t(c));
  }
}

void RandomPlayer::submit() {
  if (!ok_ || GameMode != ModeCommand) return;
  typeChar(SubmitCode);
  ++reach_->statements;
  if (std::strncmp(StatusText, "lafolue:", 8) == 0) ++reach_->spellsCast;
}
