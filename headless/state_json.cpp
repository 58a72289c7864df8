// Writing the game's records as JSON. Start-up and tooling only: this
// allocates freely and is never called while the window plays.
#include "headless/state_json.h"

#include <nlohmann/json.hpp>

#include "game/game_state.h"
#include "headless/headless_script.h"
#include "ui/editor_mode.h"

namespace {

using Json = nlohmann::ordered_json;

Json position(MapPos p) { return Json::array({p.x, p.y, p.floor, p.world}); }

template <size_t N>
std::string text(const char (&buffer)[N]) {
  return headless::bytesAsText(buffer, N);
}

Json chara(const CharaRec& c) {
  Json trail = Json::array();
  for (uint32_t cell : c.trail) trail.push_back(cell);
  return Json{{"pos", position(c.pos)}, {"move", c.moveKind}, {"trail", trail}};
}

Json authorityPlane(const AuthorityPlane& plane) {
  Json reliability = Json::array();
  Json privileges = Json::array();
  for (int c = 0; c < AuthorityCharaCount; ++c) {
    reliability.push_back(plane.reliability[c]);
    Json flags = Json::array();
    for (int k = 0; k < PrivilegeFlagCount; ++k) flags.push_back(plane.privileges[c][k]);
    privileges.push_back(flags);
  }
  return Json{{"reliability", reliability}, {"privileges", privileges}};
}

Json playerTable(const PlayerTable& table) {
  Json columns = Json::array();
  for (int k = 0; k < PlayerColumns; ++k) {
    columns.push_back(Json{{"name", text(table.columnNames[k])},
                           {"kind", table.columnTypes[k].kind},
                           {"size", table.columnTypes[k].size}});
  }
  // rowCount never passes the three rows a table holds; the bound keeps a
  // broken count from reading past them.
  int rowCount = table.rowCount < PlayerRows ? table.rowCount : PlayerRows;
  Json rows = Json::array();
  for (int r = 0; r < rowCount; ++r) {
    Json row = Json::array();
    for (int k = 0; k < PlayerColumns; ++k) row.push_back(text(table.rows[r][k]));
    rows.push_back(row);
  }
  return Json{{"name", text(table.name)},
              {"columns", columns},
              {"rowCount", table.rowCount},
              {"rows", rows}};
}

}  // namespace

std::string gameStateJson() {
  Json charas = Json::array();
  for (const CharaRec& c : Charas) charas.push_back(chara(c));
  Json authority = Json::array();
  for (const AuthorityPlane& plane : Authority) authority.push_back(authorityPlane(plane));
  Json tables = Json::array();
  for (const PlayerTable& table : playerTables) tables.push_back(playerTable(table));

  Json state{
      {"mode", GameMode},
      {"score", Score},
      {"seed", SeedCounter},
      {"leader", position(LeaderPos)},
      {"charas", charas},
      {"status", text(StatusText)},
      {"command", text(CommandLine)},
      {"commandLength", CommandLength},
      {"last", text(LastCommand)},
      {"cursor", Json::array({CursorCol, CursorRow})},
      {"prevCursor", Json::array({PrevCursorCol, PrevCursorRow})},
      {"authority", authority},
      {"tables", tables},
  };
  // The world editor, while it is open: what its screen says in words.
  if (const WorldEditor* editor = editedWorld()) {
    char cell[96];
    editor->formatCellText(cell, sizeof cell);
    const std::string& note = editorNote();
    state["editor"] = Json{{"cell", cell},
                           {"verdict", editor->verdictText()},
                           {"note", headless::bytesAsText(note.data(), note.size())},
                           {"saved", !editor->dirty()},
                           {"playing", editorPlaying()}};
  }
  return state.dump();
}
