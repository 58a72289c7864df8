// Benchmarks of the statement path: cutting a typical statement into tokens
// and running one statement of each family through the dispatcher.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "bench/bench_game.h"
#include "game/game_state.h"
#include "sql/tokenizer.h"
#include "statements/dispatcher.h"

namespace {

constexpr const char* TypicalStatement = "SELECT * FROM party WHERE charaid = 2";
constexpr const char* LongStatement =
    "UPDATE world SET fieldid=10 WHERE worldid=1 AND x=3 AND y=4 AND z=1";

void BM_TokenizeTypicalStatement(benchmark::State& state) {
  for (auto _ : state) {
    tokenize(TypicalStatement);
    benchmark::DoNotOptimize(tokens);
  }
}
BENCHMARK(BM_TokenizeTypicalStatement);

void BM_TokenizeLongStatement(benchmark::State& state) {
  for (auto _ : state) {
    tokenize(LongStatement);
    benchmark::DoNotOptimize(tokens);
  }
}
BENCHMARK(BM_TokenizeLongStatement);

// A read-only statement, so every run finds the game as the first did.
void BM_ExecuteTypicalStatement(benchmark::State& state) {
  startRecordsOnlyGame();
  for (auto _ : state) {
    executeStatement(TypicalStatement);
    benchmark::DoNotOptimize(StatusText);
  }
}
BENCHMARK(BM_ExecuteTypicalStatement);

// One statement of each family, each run on a game where it does its whole
// work every time. Statements that would find their work done after the first
// run (INSERT fills an empty cell, CREATE needs a free slot, ALTER a column
// to spare, DROP a table) get that back before each run by a direct write of
// at most one table record (under 1 KB), which the timing includes.
struct FamilyCase {
  const char* statement;
  void (*prepare)();  // once, before the timing
  void (*restore)();  // before every run, timed; null when nothing to undo
  bool (*worked)();   // whether the statement did its work, checked once
};

constexpr const char* BookTable = "CREATE TABLE book (e VARCHAR(8), a VARCHAR(8), n INT)";
PlayerTable savedBook;

void nothing() {}
void makeBook() {
  executeStatement(BookTable);
  executeStatement("INSERT INTO book (e,a,n) VALUES ('tuti','sagasu',11)");
  savedBook = playerTables[0];
}
uint8_t& cell31() { return WorldMaps[0].cells[cellIndex(3, 1, 1)]; }
void emptyCell() { cell31() = TileEmpty; }
void freeSlot() { std::memset(&playerTables[0], 0, sizeof playerTables[0]); }
void putBookBack() { playerTables[0] = savedBook; }
bool says(const char* text) { return std::strcmp(StatusText, text) == 0; }

void BM_ExecuteStatementFamily(benchmark::State& state, FamilyCase c) {
  startRecordsOnlyGame();
  c.prepare();
  if (c.restore) c.restore();
  executeStatement(c.statement);
  if (!c.worked()) {
    state.SkipWithError((std::string(c.statement) + " did not do its work: " + StatusText).c_str());
    return;
  }
  for (auto _ : state) {
    if (c.restore) c.restore();
    executeStatement(c.statement);
    benchmark::DoNotOptimize(StatusText);
    benchmark::ClobberMemory();
  }
}
BENCHMARK_CAPTURE(BM_ExecuteStatementFamily, SelectTravel,
                  FamilyCase{"SELECT * FROM world WHERE worldid=2 AND x=2 AND y=2", nothing,
                             nullptr, [] { return LeaderPos.world == 2 && LeaderPos.x == 2; }});
BENCHMARK_CAPTURE(BM_ExecuteStatementFamily, Insert,
                  FamilyCase{"INSERT INTO world (worldid,x,y,fieldid) VALUES (1,3,1,10)", nothing,
                             emptyCell, [] { return cell31() == TileFloor; }});
BENCHMARK_CAPTURE(BM_ExecuteStatementFamily, Delete,
                  FamilyCase{"DELETE FROM world WHERE worldid=1 AND x=3 AND y=1", nothing, nullptr,
                             [] { return cell31() == TileEmpty; }});
BENCHMARK_CAPTURE(BM_ExecuteStatementFamily, Update,
                  FamilyCase{"UPDATE world SET fieldid=10 WHERE worldid=1 AND x=3 AND y=1", nothing,
                             nullptr, [] { return cell31() == TileFloor; }});
BENCHMARK_CAPTURE(BM_ExecuteStatementFamily, Grant,
                  FamilyCase{"GRANT ALL ON world1 TO player", nothing, nullptr,
                             [] { return Authority[0].reliability[0] < 50; }});
BENCHMARK_CAPTURE(BM_ExecuteStatementFamily, Revoke,
                  FamilyCase{"REVOKE INSERT ON world2 FROM player", nothing, nullptr,
                             [] { return Authority[1].privileges[0][PrivInsert] == 0; }});
BENCHMARK_CAPTURE(BM_ExecuteStatementFamily, CreateTable,
                  FamilyCase{BookTable, nothing, freeSlot,
                             [] { return says("The table was created."); }});
BENCHMARK_CAPTURE(BM_ExecuteStatementFamily, AlterTable,
                  FamilyCase{"ALTER TABLE book ADD hp INT", makeBook, putBookBack,
                             [] { return says("The column was added."); }});
BENCHMARK_CAPTURE(BM_ExecuteStatementFamily, DropTable,
                  FamilyCase{"DROP TABLE book", makeBook, putBookBack,
                             [] { return says("book table was dropped"); }});
BENCHMARK_CAPTURE(BM_ExecuteStatementFamily, Spell,
                  FamilyCase{"SELECT e , a , n FROM book WHERE e = 'tuti'", makeBook, nullptr,
                             [] { return says("lafolue:x=29,y=29"); }});

}  // namespace
