// A game shown to others: `--movie` frames decode to exactly the screenshots
// of their moments; a GIF has as many, at the same times; the file is the same
// whatever the number of workers that encoded it. (Refused and failed movies:
// hostile_test.cpp; `--link`: the scripts transcript, and its code
// against the page's decoder, tests/web/replay_link_test.mjs.)
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <webp/demux.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/media/movie_writer.h"
#include "platform/media/png_io.h"
#include "tests/support/headless_run.h"
#include "ui/view_size.h"

namespace {

namespace fs = std::filesystem;

// The moments a frame is taken in a short game, and how long each is shown
// (ms; the last is held): after Space (the opening, before the first turn),
// each turn, the statement and the walk to the submit cell (the frame before
// the submitting Space shows both), the field with its answer, the end.
const struct {
  const char* lines;
  int ms;
} Steps[] = {
    {"key Space", 250},
    {"key Up", 250},
    {"key Right", 250},
    {"key Enter", 250},
    {"type UPDATE world SET fieldid = 5 WHERE worldid = 1 AND x = 1 AND y = 2\n"
     "key Right Right Right Right Right Right Right Right Right Right Down Down",
     1000},
    {"key Space", 1500},
    {"key Left", 4000},
};

struct Frame {
  std::vector<uint8_t> rgba;
  int endMs = 0;  // when the frame gives way to the next
};

std::vector<uint8_t> bytesOf(const std::string& path) {
  const std::string text = readFile(path);
  return std::vector<uint8_t>(text.begin(), text.end());
}

std::vector<Frame> decodeWebp(const std::string& path) {
  const std::vector<uint8_t> bytes = bytesOf(path);
  WebPData data{bytes.data(), bytes.size()};
  WebPAnimDecoderOptions options;
  WebPAnimDecoderOptionsInit(&options);
  options.color_mode = MODE_RGBA;
  WebPAnimDecoder* decoder = WebPAnimDecoderNew(&data, &options);
  std::vector<Frame> frames;
  if (!decoder) return frames;
  WebPAnimInfo info;
  WebPAnimDecoderGetInfo(decoder, &info);
  while (WebPAnimDecoderHasMoreFrames(decoder)) {
    uint8_t* pixels = nullptr;
    int timestamp = 0;
    if (!WebPAnimDecoderGetNext(decoder, &pixels, &timestamp)) break;
    frames.push_back(Frame{
        std::vector<uint8_t>(pixels, pixels + size_t(info.canvas_width) * info.canvas_height * 4),
        timestamp});
  }
  WebPAnimDecoderDelete(decoder);
  return frames;
}

// The delays of a GIF's frames, in hundredths of a second.
std::vector<int> gifDelays(const std::string& path) {
  int error = 0;
  GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
  std::vector<int> delays;
  if (!gif) return delays;
  if (DGifSlurp(gif) == GIF_OK) {
    for (int i = 0; i < gif->ImageCount; ++i) {
      GraphicsControlBlock control{};
      DGifSavedExtensionToGCB(gif, i, &control);
      delays.push_back(control.DelayTime);
    }
  }
  DGifCloseFile(gif, &error);
  return delays;
}

TEST(Movie, FramesAreTheScreenshotsOfTheirMoments) {
  const std::string dir = scratchFolder("movie");
  ASSERT_NE(dir, "");
  std::string game, shots;
  for (size_t i = 0; i < std::size(Steps); ++i) {
    game += std::string(Steps[i].lines) + "\n";
    shots +=
        std::string(Steps[i].lines) + "\nscreenshot " + dir + "/" + std::to_string(i) + ".png\n";
  }
  ASSERT_EQ(runVelmora("--headless {script}", shots).status, 0);
  const std::string webp = dir + "/game.webp", gif = dir + "/game.gif";
  const HeadlessRun run = runVelmora("--headless {script} --movie " + webp, game);
  ASSERT_EQ(run.status, 0) << run.err;
  ASSERT_EQ(runVelmora("--headless {script} --movie " + gif, game).status, 0);

  const std::vector<Frame> frames = decodeWebp(webp);
  ASSERT_EQ(frames.size(), std::size(Steps));
  int endMs = 0;
  for (size_t i = 0; i < frames.size(); ++i) {
    platform::RgbaImage shot;
    const std::vector<uint8_t> png = bytesOf(dir + "/" + std::to_string(i) + ".png");
    ASSERT_TRUE(platform::decodePng(png.data(), png.size(), &shot));
    EXPECT_TRUE(frames[i].rgba == shot.rgba) << "frame " << i << " after " << Steps[i].lines;
    endMs += Steps[i].ms;
    EXPECT_EQ(frames[i].endMs, endMs) << "frame " << i;
  }
  const std::vector<int> delays = gifDelays(gif);
  ASSERT_EQ(delays.size(), std::size(Steps));
  for (size_t i = 0; i < delays.size(); ++i) EXPECT_EQ(delays[i] * 10, Steps[i].ms) << i;
  fs::remove_all(dir);
}

// The program encodes on one worker for each processor; given its frames, one,
// three and eight workers write its files again, byte for byte. The game is
// long enough for the frames to go round every window of frames many times.
TEST(Movie, EveryNumberOfWorkersWritesTheSameFile) {
  const std::string dir = scratchFolder("movie");
  ASSERT_NE(dir, "");
  std::string game = "key Space\n";
  for (int i = 0; i < 12; ++i) game += "key Up\nkey Down\n";
  game += "key Enter\ntype SELECT * FROM party WHERE charaid=1\nsubmit\nkey Left\n";
  for (const char* name : {"game.webp", "game.gif"}) {
    const HeadlessRun run = runVelmora("--headless {script} --movie " + dir + "/" + name, game);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");  // no progress but on a terminal
  }
  const std::vector<Frame> frames = decodeWebp(dir + "/game.webp");
  ASSERT_GT(frames.size(), 25u);
  std::vector<std::vector<uint32_t>> pixels;
  for (const Frame& frame : frames) {
    std::vector<uint32_t>& rgb = pixels.emplace_back(frame.rgba.size() / 4);
    for (size_t i = 0; i < rgb.size(); ++i) {
      const uint8_t* p = &frame.rgba[4 * i];
      rgb[i] = uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
    }
  }
  for (const auto format : {platform::MovieFormat::WebP, platform::MovieFormat::Gif}) {
    const bool webp = format == platform::MovieFormat::WebP;
    const std::vector<uint8_t> written = bytesOf(dir + (webp ? "/game.webp" : "/game.gif"));
    for (const int workers : {1, 3, 8}) {
      std::string reason;
      auto encoder = platform::makeMovieEncoder(format, ViewWidth, ViewHeight, workers, &reason);
      ASSERT_TRUE(encoder) << reason;
      int shownMs = 0, reported = 0;
      encoder->onFrameWritten([&](int count) { reported = count; });
      for (size_t i = 0; i < frames.size(); ++i) {
        ASSERT_TRUE(encoder->addFrame(pixels[i].data(), frames[i].endMs - shownMs, &reason));
        shownMs = frames[i].endMs;
      }
      std::vector<uint8_t> bytes;
      ASSERT_TRUE(encoder->finish(&bytes, &reason)) << reason;
      EXPECT_EQ(reported, int(frames.size()));
      EXPECT_TRUE(bytes == written) << (webp ? "WebP" : "GIF") << " on " << workers << " workers";
    }
  }
  fs::remove_all(dir);
}

}  // namespace
