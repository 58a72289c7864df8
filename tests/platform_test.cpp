// The windowing layer apart from the game: clipping against a per-pixel
// model, text for every byte, key maps, whole-pixel fitting. (Pictures and
// fonts: the frames of screen_test.cpp.)
#include <SDL2/SDL_keycode.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "platform/canvas.h"
#include "platform/key_map.h"
#include "platform/media/font.h"
#include "platform/screen_fit.h"
#include "platform/web/dom_keys.h"

using platform::Canvas;
using platform::Rect;

TEST(Canvas, CopiesAndFillsMatchTheModelAcrossClipping) {
  const struct {
    Rect dst, src;
  } cases[] = {
      {{0, 0, 12, 9}, {0, 0, 12, 9}},   {{3, 2, 8, 6}, {0, 0, 5, 4}},
      {{-2, -3, 5, 4}, {1, 1, 8, 8}},   {{8, 6, 20, 20}, {0, 0, 12, 14}},
      {{0, 0, 6, 6}, {-3, -2, 3, 4}},   {{1, 1, 9, 9}, {10, 7, 18, 15}},
      {{5, 5, 5, 9}, {0, 0, 0, 4}},     {{0, 0, 12, 9}, {20, 20, 32, 29}},
      {{-20, 0, -8, 9}, {0, 0, 12, 9}}, {{4, 3, 2, 1}, {0, 0, 5, 5}},
  };
  for (const auto& k : cases) {
    Canvas src, dst, filled;
    src.create(15, 11);
    dst.create(12, 9);
    filled.create(12, 9);
    for (int i = 0; i < 15 * 11; ++i) src.pixels()[i] = uint32_t(0x100000 + i);
    for (int i = 0; i < 12 * 9; ++i) dst.pixels()[i] = uint32_t(0x300000 + i);
    const Canvas before = dst;
    dst.copyRect(k.dst, src, k.src);
    filled.setBrushColor(0xFF0000);
    filled.fillRect(k.dst);
    const int w = std::min(k.dst.right - k.dst.left, k.src.right - k.src.left);
    const int h = std::min(k.dst.bottom - k.dst.top, k.src.bottom - k.src.top);
    for (int y = 0; y < 9; ++y) {
      for (int x = 0; x < 12; ++x) {
        const int i = x - k.dst.left, j = y - k.dst.top;
        const int sx = k.src.left + i, sy = k.src.top + j;
        const bool copied =
            i >= 0 && j >= 0 && i < w && j < h && sx >= 0 && sy >= 0 && sx < 15 && sy < 11;
        ASSERT_EQ(dst.pixel(x, y), copied ? src.pixel(sx, sy) : before.pixel(x, y))
            << k.dst.left << "," << k.dst.top << " at " << x << "," << y;
        const bool inFill =
            x >= k.dst.left && x < k.dst.right && y >= k.dst.top && y < k.dst.bottom;
        ASSERT_EQ(filled.pixel(x, y), inFill ? 0xFF0000 : platform::ColorWhite) << x << "," << y;
      }
    }
  }
  Canvas c;
  c.create(7, 5);
  for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {7, 0}, {0, 5}}) EXPECT_EQ(c.pixel(x, y), 0u);
}

// Every byte may reach the screen (the statement line shows what was typed);
// none may be read as more than one character or drawn outside the text.
TEST(Canvas, EveryByteDrawsSafelyAsWindows1252) {
  platform::prepareFont("Tahoma", 38);
  Canvas canvas;
  canvas.create(300, 100);
  ASSERT_TRUE(canvas.setFont("Tahoma", 38));
  platform::showByteAs(0x80, 0);
  EXPECT_EQ(platform::codePointOfByte(0x80), 0x20ACu);
  EXPECT_EQ(platform::codePointOfByte(0x81), 0u);
  EXPECT_EQ(platform::codePointOfByte(0xE9), 0xE9u);
  EXPECT_EQ(platform::codePointOfByte(0x0A), 0u);
  for (int b = 0; b < 256; ++b) {
    const char byte = char(b);
    canvas.textOut(250, 60, &byte, 1);
    EXPECT_GE(canvas.textWidth(&byte, 1), 0) << b;
  }
  EXPECT_FALSE(canvas.setFont("Tahoma", 17)) << "a size never prepared";
}

// The page's key map reads the desktop's table: a key gives both the same
// code (nullptr: no DOM name tried), and no other key shares a game key's.
TEST(KeyMap, GameKeysHaveTheirCodesOnDesktopAndPageAndNoOtherKeySharesThem) {
  const struct {
    SDL_Keycode key;
    SDL_Scancode scan;
    uint16_t vk;
    const char *domKey, *domCode;
  } cases[] = {
      {SDLK_TAB, SDL_SCANCODE_TAB, 9, "Tab", "Tab"},
      {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, 13, "Enter", "NumpadEnter"},
      {SDLK_RETURN, SDL_SCANCODE_RETURN, 13, "Enter", "Enter"},
      {SDLK_SPACE, SDL_SCANCODE_SPACE, 32, " ", "Space"},
      {SDLK_LEFT, SDL_SCANCODE_LEFT, 37, "ArrowLeft", "ArrowLeft"},
      {SDLK_UP, SDL_SCANCODE_UP, 38, "ArrowUp", "ArrowUp"},
      {SDLK_RIGHT, SDL_SCANCODE_RIGHT, 39, "ArrowRight", "ArrowRight"},
      {SDLK_DOWN, SDL_SCANCODE_DOWN, 40, "ArrowDown", "ArrowDown"},
      {SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, 27, "Escape", "Escape"},
      {SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, 8, "Backspace", "Backspace"},
      {SDLK_SEMICOLON, SDL_SCANCODE_SEMICOLON, 186, ";", "Semicolon"},
      {SDLK_RIGHTBRACKET, SDL_SCANCODE_RIGHTBRACKET, 221, "]", "BracketRight"},
      {SDLK_RSHIFT, SDL_SCANCODE_RSHIFT, 16, "Shift", "ShiftRight"},
      {SDLK_q, SDL_SCANCODE_A, 81, "q", "KeyA"},
      {0x3B1, SDL_SCANCODE_A, 65, "\xCE\xB1", "KeyA"},
      {SDLK_9, SDL_SCANCODE_9, 57, "9", "Digit9"},
      {SDLK_F12, SDL_SCANCODE_F12, 123, "F12", "F12"},
      {SDLK_F13, SDL_SCANCODE_F13, 124, "F13", "F13"},
      {SDLK_KP_5, SDL_SCANCODE_KP_5, 101, nullptr, nullptr},
      {SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN, platform::KeyOther, "Unidentified", ""},
  };
  for (const auto& k : cases) {
    EXPECT_EQ(platform::virtualKeyOf(k.key, k.scan), k.vk) << k.key;
    if (k.domKey) {
      EXPECT_EQ(platform::virtualKeyOfDom(k.domKey, k.domCode), k.vk) << k.domCode;
    }
  }
  const std::set<uint16_t> gameKeys = {9, 13, 32, 37, 38, 39, 40};
  for (int scan = 0; scan < SDL_NUM_SCANCODES; ++scan) {
    const uint16_t vk = platform::virtualKeyOf(SDL_SCANCODE_TO_KEYCODE(scan), SDL_Scancode(scan));
    ASSERT_TRUE(vk >= 1 && vk <= 255) << scan;
    const bool gameKey = scan == SDL_SCANCODE_TAB || scan == SDL_SCANCODE_RETURN ||
                         scan == SDL_SCANCODE_RETURN2 || scan == SDL_SCANCODE_KP_ENTER ||
                         scan == SDL_SCANCODE_SPACE ||
                         (scan >= SDL_SCANCODE_RIGHT && scan <= SDL_SCANCODE_UP);
    if (!gameKey) {
      EXPECT_EQ(gameKeys.count(vk), 0u) << "scancode " << scan << " -> " << vk;
    }
  }
}

TEST(ScreenFit, LargestWholeFactorCentred) {
  const struct {
    int screenW, screenH, maxScale, scale, left, top;
  } cases[] = {
      {1920, 1080, 0, 2, 384, 76},  {2560, 1440, 0, 3, 416, 24}, {5120, 2880, 0, 6, 832, 48},
      {1152, 928, 0, 2, 0, 0},      {1151, 928, 0, 1, 287, 232}, {3840, 2160, 3, 3, 1056, 384},
      {3840, 2160, 9, 4, 768, 152}, {576, 464, 0, 1, 0, 0},      {400, 300, 0, 1, -88, -82},
  };
  for (const auto& c : cases) {
    const platform::ScreenFit fit =
        platform::fitOnScreen(576, 464, c.screenW, c.screenH, c.maxScale);
    EXPECT_EQ(fit.scale, c.scale) << c.screenW << "x" << c.screenH << " max " << c.maxScale;
    EXPECT_EQ(fit.left, c.left) << c.screenW;
    EXPECT_EQ(fit.top, c.top) << c.screenW;
  }
}
