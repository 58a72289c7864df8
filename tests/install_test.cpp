// `cmake --install` into a scratch prefix: the program, its desktop entry,
// the icons at every size, the manual page and the guides land where the
// desktop looks for them, and each looks right. Also the help box's address,
// which names the guide's installed place.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/options.h"
#include "platform/png_io.h"
#include "statements/dispatcher.h"

namespace {

namespace fs = std::filesystem;

constexpr int IconSizes[] = {16, 32, 48, 64, 128, 256};

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Runs a shell command; returns its exit status and, in *out, what it
// printed on either stream.
int runCommand(const std::string& command, const fs::path& outPath, std::string* out) {
  const int raw = std::system((command + " > '" + outPath.string() + "' 2>&1").c_str());
  *out = readFile(outPath);
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

// Every long option the program's own help names.
std::set<std::string> optionsInHelp() {
  std::set<std::string> names;
  const std::string help = helpText();
  const std::regex option("--[a-z]+");
  for (auto it = std::sregex_iterator(help.begin(), help.end(), option);
       it != std::sregex_iterator(); ++it) {
    names.insert(it->str());
  }
  return names;
}

// One installation shared by the tests of this file.
class InstallTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    char pattern[] = "/tmp/velmora-install-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    prefix_ = pattern;
    const std::string command = std::string("'") + VELMORA_CMAKE_COMMAND + "' --install '" +
                                VELMORA_BINARY_DIR + "' --prefix '" + prefix_.string() + "'";
    status_ = runCommand(command, prefix_ / "install.log", &log_);
  }
  static void TearDownTestSuite() {
    std::error_code ignored;
    fs::remove_all(prefix_, ignored);
  }
  void SetUp() override { ASSERT_EQ(status_, 0) << log_; }

  static fs::path installed(const std::string& relative) { return prefix_ / relative; }
  static fs::path docDir() { return installed(VELMORA_INSTALL_DOCDIR); }

  static inline fs::path prefix_;
  static inline int status_ = -1;
  static inline std::string log_;
};

TEST_F(InstallTest, ProgramRunsFromItsInstalledPlace) {
  const fs::path program = installed(std::string(VELMORA_INSTALL_BINDIR) + "/velmora");
  ASSERT_TRUE(fs::is_regular_file(program)) << program;
  EXPECT_EQ(access(program.c_str(), X_OK), 0) << program << " is not executable";
  std::string out;
  EXPECT_EQ(runCommand("'" + program.string() + "' --version", prefix_ / "version.out", &out), 0);
  EXPECT_EQ(out.substr(0, out.find('\n')), VersionLine);
}

TEST_F(InstallTest, DesktopEntryStartsTheGameWithItsIcon) {
  const fs::path path =
      installed(std::string(VELMORA_INSTALL_DATADIR) + "/applications/velmora.desktop");
  const std::string text = readFile(path);
  ASSERT_FALSE(text.empty()) << path;
  std::istringstream in(text);
  std::string line;
  std::getline(in, line);
  EXPECT_EQ(line, "[Desktop Entry]");
  std::map<std::string, std::string> keys;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    ASSERT_NE(line[0], '[') << "one group only: " << line;
    const size_t equals = line.find('=');
    ASSERT_NE(equals, std::string::npos) << line;
    EXPECT_TRUE(keys.emplace(line.substr(0, equals), line.substr(equals + 1)).second)
        << "key given twice: " << line;
  }
  const std::map<std::string, std::string> expected = {
      {"Type", "Application"},
      {"Name", "Velmora Keep 03"},
      {"Exec", "velmora"},
      {"Icon", "velmora"},
      {"Terminal", "false"},
      {"Categories", "Game;RolePlaying;"},
      {"StartupWMClass", "Velmora Keep 03"},  // the window's class (platform/x11_names.cpp)
  };
  for (const auto& [key, value] : expected) EXPECT_EQ(keys[key], value) << key;
  EXPECT_GE(keys["Comment"].size(), 10u) << "a comment that says what the game is";
}

// The PNG's own header: signature, then IHDR with width, height, bit depth
// and colour type.
TEST_F(InstallTest, IconsAtEverySizeAreThatSizeWithClearCorners) {
  for (int side : IconSizes) {
    const std::string size = std::to_string(side);
    const fs::path path = installed(std::string(VELMORA_INSTALL_DATADIR) + "/icons/hicolor/" +
                                    size + "x" + size + "/apps/velmora.png");
    SCOPED_TRACE(path.string());
    const std::string png = readFile(path);
    ASSERT_GE(png.size(), 33u);
    EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
    EXPECT_EQ(png.substr(12, 4), "IHDR");
    auto word = [&](size_t at) {
      auto byte = [&](size_t i) { return uint32_t(uint8_t(png[at + i])); };
      return byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3);
    };
    EXPECT_EQ(word(16), uint32_t(side));
    EXPECT_EQ(word(20), uint32_t(side));
    EXPECT_EQ(uint8_t(png[25]), 6) << "RGBA";
    EXPECT_EQ(png,
              readFile(std::string(VELMORA_SOURCE_DIR) + "/assets/icons/velmora-" + size + ".png"));

    platform::RgbaImage image;
    ASSERT_TRUE(
        platform::decodePng(reinterpret_cast<const uint8_t*>(png.data()), png.size(), &image));
    auto alpha = [&](int x, int y) { return image.rgba[4 * (size_t(y) * side + x) + 3]; };
    // The corners are rounded (at 16 pixels the corner pixel is still a
    // sliver of the curve).
    EXPECT_LT(alpha(0, 0), 64) << "rounded corner";
    EXPECT_LT(alpha(side - 1, side - 1), 64) << "rounded corner";
    EXPECT_EQ(alpha(side / 2, side / 2), 255);
    EXPECT_EQ(alpha(side / 2, 0), 255) << "square edges between the corners";
  }
}

TEST_F(InstallTest, ManualPageCoversOptionsScriptsAndExitStatuses) {
  const fs::path path = installed(std::string(VELMORA_INSTALL_MANDIR) + "/man6/velmora.6");
  std::string page = readFile(path);
  ASSERT_FALSE(page.empty()) << path;
  EXPECT_NE(page.find("\n.TH VELMORA 6 "), std::string::npos) << "title line for section 6";
  for (const char* section :
       {".SH NAME", ".SH SYNOPSIS", ".SH OPTIONS", ".SH HEADLESS SCRIPTS", ".SH EXIT STATUS"}) {
    EXPECT_NE(page.find(section), std::string::npos) << section;
  }
  // troff writes a dash as \-.
  for (size_t at; (at = page.find("\\-")) != std::string::npos;) page.erase(at, 1);
  // Each option heads a tagged paragraph of its own.
  std::string headings;
  std::istringstream lines(page);
  for (std::string line, previous; std::getline(lines, line); previous = line) {
    if (previous == ".TP") headings += line + "\n";
  }
  const std::set<std::string> options = optionsInHelp();
  EXPECT_GE(options.size(), 7u);
  for (const std::string& option : options) {
    EXPECT_TRUE(std::regex_search(headings, std::regex(option + "\\b"))) << option;
  }
  for (const char* command : {"key", "state", "map", "screenshot", "type", "submit"}) {
    EXPECT_TRUE(std::regex_search(page, std::regex(std::string("\n\\.BI? ") + command + "\\b")))
        << command;
  }
  EXPECT_NE(page.find("(comments)"), std::string::npos);
  EXPECT_NE(page.find("Blank lines"), std::string::npos);
  const std::string statuses = page.substr(page.find(".SH EXIT STATUS"));
  for (const char* status : {"\n.B 0\n", "\n.B 1\n", "\n.B 2\n"}) {
    EXPECT_NE(statuses.find(status), std::string::npos) << status;
  }
}

// The players' guide, its pictures and the Japanese read-me come from docs/;
// the replay guide is ours.
TEST_F(InstallTest, GuidesAreInstalledAsWritten) {
  const fs::path source = fs::path(VELMORA_SOURCE_DIR) / "docs";
  std::vector<std::string> docs = {"players-guide.md", "ReadMe_J.txt", "replays.md"};
  for (const auto& entry : fs::directory_iterator(source / "images")) {
    if (entry.path().extension() == ".png") {
      docs.push_back("images/" + entry.path().filename().string());
    }
  }
  EXPECT_GE(docs.size(), 4u) << "the guide has pictures";
  for (const std::string& doc : docs) {
    const fs::path path = docDir() / doc;
    ASSERT_TRUE(fs::is_regular_file(path)) << path;
    EXPECT_EQ(readFile(path), readFile(source / doc)) << doc;
  }
}

TEST(HelpBoxTest, NamesTheInstalledGuide) {
  const std::string address =
      std::string("file://") + VELMORA_INSTALL_FULL_DOCDIR + "/players-guide.md";
  EXPECT_EQ(std::string(HelpText), "付属のReadMe_J.txtや、" + address + "を参考にして下さい");
  const std::string docDir = VELMORA_INSTALL_FULL_DOCDIR;
  const std::string relative = VELMORA_INSTALL_DOCDIR;
  EXPECT_EQ(docDir.substr(docDir.size() - relative.size()), relative)
      << "the guide's address is under the installation prefix";
}

TEST(DocumentationTest, ReadmeNamesEveryOptionAndTheReplayGuide) {
  const std::string readme = readFile(std::string(VELMORA_SOURCE_DIR) + "/README.md");
  ASSERT_FALSE(readme.empty());
  for (const std::string& option : optionsInHelp()) {
    EXPECT_TRUE(std::regex_search(readme, std::regex("\n\\|.*`" + option + "[` ]")))
        << option << " is missing from the README's options table";
  }
  EXPECT_NE(readme.find("docs/replays.md"), std::string::npos);
}

}  // namespace
