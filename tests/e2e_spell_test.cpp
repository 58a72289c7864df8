// The spell of tests/scripts/spell.txt, composed on the grid with Tab
// completion and run by the real program: a table of spell words, its row,
// and the search spell cast in world 1 and again after the journey to world 3.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/headless_run.h"

namespace {

constexpr const char* Cast = "SELECT e , a , n FROM book WHERE e = 'tuti'";

TEST(SpellScript, FindsTheGoalOfWorldOneThenOfWorldThree) {
  const std::string script = sourceFile("tests/scripts/spell.txt");
  ASSERT_FALSE(script.empty());
  const HeadlessRun run = runHeadless(script);
  ASSERT_EQ(run.status, 0) << run.err;
  ASSERT_EQ(run.states.size(), 2u) << run.out;

  struct Expected {
    int world;
    const char* status;
  };
  const Expected casts[] = {{1, "lafolue:x=29,y=29"}, {3, "lafolue:x=12,y=16"}};
  const nlohmann::json columns = nlohmann::json::parse(
      R"([{"name":"e","kind":2,"size":8},{"name":"a","kind":2,"size":8},
          {"name":"n","kind":1,"size":4},{"name":"","kind":0,"size":0},
          {"name":"","kind":0,"size":0},{"name":"","kind":0,"size":0}])");
  for (size_t k = 0; k < 2; ++k) {
    SCOPED_TRACE("cast " + std::to_string(k + 1));
    const nlohmann::json& state = run.states[k];
    EXPECT_EQ(state["status"], casts[k].status);
    EXPECT_EQ(state["leader"][3], casts[k].world);
    EXPECT_EQ(state["last"], Cast);
    const nlohmann::json& book = state["tables"][0];
    EXPECT_EQ(book["name"], "book");
    EXPECT_EQ(book["columns"], columns);
    EXPECT_EQ(book["rowCount"], 1);
    EXPECT_EQ(book["rows"], nlohmann::json::parse(R"([["tuti","sagasu","11","","",""]])"));
    EXPECT_EQ(state["tables"][1]["name"], "");
    EXPECT_EQ(state["tables"][2]["name"], "");
  }
}

}  // namespace
