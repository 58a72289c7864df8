// Window-side tests that need no display: key translation, system metrics,
// the headless backend, the refusal to start a window without a display, and
// that only the platform layer knows the windowing and picture libraries.
#include <SDL2/SDL_keycode.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <regex>
#include <set>
#include <string>

#include "platform/application.h"
#include "platform/key_map.h"
#include "platform/message_box.h"
#include "platform/system_metrics.h"

namespace {

// Unsets an environment variable while it lives.
class EnvUnset {
 public:
  explicit EnvUnset(const char* name) : name_(name) {
    if (const char* v = std::getenv(name)) saved_ = v;
    unsetenv(name);
  }
  ~EnvUnset() {
    if (saved_) setenv(name_, saved_->c_str(), 1);
  }

 private:
  const char* name_;
  std::optional<std::string> saved_;
};

int createCalls = 0;
void countCreate() { ++createCalls; }

}  // namespace

TEST(KeyMap, GameKeysGetTheirVirtualKeyCodes) {
  struct Case {
    SDL_Keycode key;
    SDL_Scancode scan;
    uint16_t vk;
  };
  const Case cases[] = {
      {SDLK_TAB, SDL_SCANCODE_TAB, 9},
      {SDLK_RETURN, SDL_SCANCODE_RETURN, 13},
      {SDLK_RETURN2, SDL_SCANCODE_RETURN2, 13},
      {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, 13},
      {SDLK_SPACE, SDL_SCANCODE_SPACE, 32},
      {SDLK_LEFT, SDL_SCANCODE_LEFT, 37},
      {SDLK_UP, SDL_SCANCODE_UP, 38},
      {SDLK_RIGHT, SDL_SCANCODE_RIGHT, 39},
      {SDLK_DOWN, SDL_SCANCODE_DOWN, 40},
      {SDLK_a, SDL_SCANCODE_A, 65},
      {SDLK_q, SDL_SCANCODE_A, 81},  // what the key types wins over its place
      {SDLK_z, SDL_SCANCODE_Z, 90},
      {SDLK_0, SDL_SCANCODE_0, 48},
      {SDLK_9, SDL_SCANCODE_9, 57},
      {SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, 27},
      {SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, 8},
      {SDLK_F1, SDL_SCANCODE_F1, 112},
      {SDLK_F12, SDL_SCANCODE_F12, 123},
      {SDLK_KP_0, SDL_SCANCODE_KP_0, 96},
      {SDLK_KP_5, SDL_SCANCODE_KP_5, 101},
      {SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, 16},
      {SDLK_DELETE, SDL_SCANCODE_DELETE, 46},
      {0x3B1 /* a Greek alpha */, SDL_SCANCODE_A, 65},
      {0x416 /* a Cyrillic letter */, SDL_SCANCODE_2, 50},
      {SDLK_VOLUMEUP, SDL_SCANCODE_VOLUMEUP, platform::VkOther},
      {SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN, platform::VkOther},
  };
  for (const Case& k : cases)
    EXPECT_EQ(platform::virtualKeyOf(k.key, k.scan), k.vk) << "SDL key " << k.key;
}

TEST(KeyMap, EveryKeyHasANonZeroCodeAndGameKeysAreNotShared) {
  const std::set<uint16_t> gameKeys = {9, 13, 32, 37, 38, 39, 40};
  for (int scan = 0; scan < SDL_NUM_SCANCODES; ++scan) {
    SDL_Keycode key = SDL_SCANCODE_TO_KEYCODE(scan);
    uint16_t vk = platform::virtualKeyOf(key, scan);
    ASSERT_GE(vk, 1) << "scancode " << scan;
    ASSERT_LE(vk, 255) << "scancode " << scan;
    bool isGameKey = scan == SDL_SCANCODE_TAB || scan == SDL_SCANCODE_RETURN ||
                     scan == SDL_SCANCODE_RETURN2 || scan == SDL_SCANCODE_KP_ENTER ||
                     scan == SDL_SCANCODE_SPACE ||
                     (scan >= SDL_SCANCODE_RIGHT && scan <= SDL_SCANCODE_UP);
    if (!isGameKey) {
      EXPECT_EQ(gameKeys.count(vk), 0u) << "scancode " << scan << " -> " << vk;
    }
  }
}

TEST(SystemMetrics, CaptionAndFrames) {
  const std::pair<int, int> cases[] = {{platform::SM_CYCAPTION, 19},
                                       {platform::SM_CXFRAME, 4},
                                       {platform::SM_CYFRAME, 4},
                                       {0, 0},
                                       {-1, 0},
                                       {31, 0}};
  for (auto [index, value] : cases) EXPECT_EQ(platform::getSystemMetrics(index), value) << index;
  // The window these give: 576 x 464 of client area inside 584 x 491.
  EXPECT_EQ(576 + 2 * platform::getSystemMetrics(platform::SM_CXFRAME), 584);
  EXPECT_EQ(464 + platform::getSystemMetrics(platform::SM_CYCAPTION) +
                2 * platform::getSystemMetrics(platform::SM_CYFRAME),
            491);
}

TEST(Application, HeadlessCreatesTheFormAndReturnsAtOnce) {
  platform::Application.initialize(platform::Backend::Headless);
  EXPECT_EQ(platform::Application.backend(), platform::Backend::Headless);
  platform::Application.setTitle("Velmora Keep 03");
  createCalls = 0;
  platform::FormEvents events;
  events.create = countCreate;
  platform::Application.createForm("caption", 584, 491, events);
  EXPECT_EQ(createCalls, 1);
  platform::Application.present();
  EXPECT_EQ(platform::Application.run(), 0);
  EXPECT_EQ(createCalls, 1);

  testing::internal::CaptureStderr();
  platform::showMessageBox("see the ReadMe", "");
  platform::Application.showException("resource TITLE (JPEG) is missing");
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "message box: see the ReadMe\nresource TITLE (JPEG) is missing\n");
}

TEST(Application, WindowWithoutADisplayAsksForHeadless) {
  EnvUnset display("DISPLAY"), wayland("WAYLAND_DISPLAY");
  try {
    platform::Application.initialize(platform::Backend::Window);
    FAIL() << "a window started without a display";
  } catch (const platform::NoDisplayError& e) {
    std::string message = e.what();
    EXPECT_NE(message.find("--headless"), std::string::npos) << message;
    EXPECT_EQ(message.find('\n'), std::string::npos) << message;
  }
  EXPECT_EQ(platform::Application.backend(), platform::Backend::Headless);
}

// Only platform/ (and the build tools and tests) may know SDL, FreeType,
// fontconfig, libjpeg and libpng; and each folder of the game includes only
// itself and the folders below it, so the rules never reach the screen.
TEST(Layering, OnlyThePlatformIncludesNativeLibrariesAndIncludesRunDownwards) {
  namespace fs = std::filesystem;
  const fs::path root = VELMORA_SOURCE_DIR;
  const std::regex native(
      R"(^\s*#\s*include\s*[<"](SDL|ft2build|freetype|fontconfig|jpeglib|jerror|png|libpng)[^>"]*[>"])");
  const std::regex ours(R"(^\s*#\s*include\s*"([a-z_]+)/)");
  const std::set<std::string> allowed = {"platform", "tools", "tests"};
  const std::map<std::string, std::set<std::string>> below = {
      {"platform", {"platform"}},
      {"game", {"game"}},
      {"sql", {"game", "sql"}},
      {"statements", {"game", "sql", "statements"}},
      {"ui", {"game", "sql", "statements", "platform", "ui"}},
      {"headless", {"game", "sql", "statements", "platform", "ui", "headless"}},
      {"app", {"game", "sql", "statements", "platform", "ui", "headless", "app"}},
  };
  int checked = 0;
  for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
       ++it) {
    const fs::path& path = it->path();
    std::string top = fs::relative(path, root).begin()->string();
    if (it->is_directory() && (top.starts_with(".") || top.starts_with("build") ||
                               allowed.count(top) || top == "assets" || top == "docs")) {
      it.disable_recursion_pending();
      continue;
    }
    std::string ext = path.extension().string();
    if (!it->is_regular_file() || (ext != ".cpp" && ext != ".h" && ext != ".hpp" && ext != ".cc"))
      continue;
    ++checked;
    const auto layer = below.find(top);
    std::ifstream in(path);
    std::string line;
    int number = 0;
    std::smatch folder;
    while (std::getline(in, line)) {
      ++number;
      const std::string where = fs::relative(path, root).string() + ":" + std::to_string(number);
      EXPECT_FALSE(std::regex_search(line, native)) << where << ": " << line;
      if (layer != below.end() && std::regex_search(line, folder, ours)) {
        EXPECT_TRUE(layer->second.count(folder[1])) << where << " reaches up: " << line;
      }
    }
  }
  EXPECT_GT(checked, 10);  // the game's own sources were found and read
}
