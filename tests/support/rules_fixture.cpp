// The rule tests' games, record snapshots and table texts (see rules_fixture.h).
#include "tests/support/rules_fixture.h"

#include <cstring>

#include "game/new_game.h"
#include "statements/dispatcher.h"

void startFreshGame() {
  resetAllState();
  resetForRun();
  startNewGame();
}

std::string runStatement(const char* line) {
  setStatus(PreviousAnswer);
  executeStatement(line);
  return StatusText;
}

RecordSnapshot takeSnapshot() {
  RecordSnapshot s;
  std::memcpy(s.maps, WorldMaps, sizeof s.maps);
  std::memcpy(s.authority, Authority, sizeof s.authority);
  s.leader = LeaderPos;
  std::memcpy(s.charas, Charas, sizeof s.charas);
  std::memcpy(s.tables, playerTables, sizeof s.tables);
  return s;
}

std::string firstDifference(const RecordSnapshot& a, const RecordSnapshot& b) {
  for (int w = 0; w < WorldCount; ++w) {
    for (int i = 0; i < CellsPerWorld; ++i) {
      if (a.maps[w].cells[i] != b.maps[w].cells[i]) {
        return "map of world " + std::to_string(w + 1) + " at x=" + std::to_string(i % 32) +
               " y=" + std::to_string(i / 32 % 32) + " floor " + std::to_string(i / 1024 + 1);
      }
    }
  }
  if (std::memcmp(a.authority, b.authority, sizeof a.authority) != 0) return "authority";
  if (packMapPos(a.leader) != packMapPos(b.leader)) return "leader position";
  if (std::memcmp(a.charas, b.charas, sizeof a.charas) != 0) return "charas";
  for (int s = 0; s < PlayerTableSlots; ++s) {
    if (std::memcmp(&a.tables[s], &b.tables[s], sizeof(PlayerTable)) != 0) {
      return "player table " + std::to_string(s) + ": " + tableText(a.tables[s]) + " vs " +
             tableText(b.tables[s]);
    }
  }
  return "";
}

std::string tableText(const PlayerTable& table) {
  static const PlayerTable empty{};
  if (std::memcmp(&table, &empty, sizeof table) == 0) return "-";
  std::string text = std::string(table.name, strnlen(table.name, PlayerNameSize)) + "(";
  int columns = 0;
  for (int c = 0; c < PlayerColumns; ++c) {
    const ColumnType type = table.columnTypes[c];
    if (table.columnNames[c][0] == '\0' && type.kind == ColumnNone) break;
    if (c > 0) text += ",";
    text += std::string(table.columnNames[c], strnlen(table.columnNames[c], PlayerNameSize));
    text += ":" +
            std::string(type.kind == ColumnInt       ? "I"
                        : type.kind == ColumnVarchar ? "V"
                                                     : "?") +
            std::to_string(type.size);
    columns = c + 1;
  }
  text += ")";
  for (int r = 0; r < table.rowCount && r < PlayerRows; ++r) {
    text += r == 0 ? " " : "/";
    for (int c = 0; c < columns; ++c) {
      if (c > 0) text += ",";
      text += std::string(table.rows[r][c], strnlen(table.rows[r][c], PlayerCellSize));
    }
  }
  return text;
}
