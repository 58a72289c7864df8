// The GIF encoder, giflib. A GIF frame holds at most 256 colours, so each
// frame stores only the rectangle that changed from the frame before, with a
// colour table of its own: exact when the rectangle has 256 colours or fewer
// (a turn's few moved figures, the statement grid), otherwise reduced by
// giflib's median cut (a whole field of textured tiles).
#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <string>
#include <unordered_map>

#include "platform/media/movie_frames.h"
#include "platform/native.h"

namespace platform {
namespace {

constexpr int MaxColours = 256;

using Box = FrameBox;

// A frame's rectangle as colour indices and the table they index.
struct IndexedBox {
  std::vector<GifByteType> indices;
  GifColorType palette[MaxColours]{};
  int colours = 0;
};

bool quantize(const std::vector<uint32_t>& pixels, const Box& box, IndexedBox* out,
              std::string* reason) {
  const size_t n = pixels.size();
  std::vector<GifByteType> red(n), green(n), blue(n);
  for (size_t i = 0; i < n; ++i) {
    red[i] = uint8_t(pixels[i] >> 16);
    green[i] = uint8_t(pixels[i] >> 8);
    blue[i] = uint8_t(pixels[i]);
  }
  int size = MaxColours;
  // giflib's median cut sorts through a variable of its own: one frame at a time.
  static std::mutex quantizing;
  std::lock_guard lock(quantizing);
  if (GifQuantizeBuffer(unsigned(box.width), unsigned(box.height), &size, red.data(), green.data(),
                        blue.data(), out->indices.data(), out->palette) != GIF_OK) {
    *reason = "GIF encoder: cannot reduce a frame to 256 colours";
    return false;
  }
  out->colours = size;
  return true;
}

// Fills out's palette and indices for the rectangle's pixels: exact, or
// reduced when they hold more than 256 colours.
bool indexBox(const std::vector<uint32_t>& pixels, const Box& box, IndexedBox* out,
              std::string* reason) {
  out->indices.resize(pixels.size());
  std::unordered_map<uint32_t, uint8_t> index;
  out->colours = 0;
  for (size_t i = 0; i < pixels.size(); ++i) {
    auto [at, added] = index.try_emplace(pixels[i], uint8_t(out->colours));
    if (added) {
      if (out->colours == MaxColours) return quantize(pixels, box, out, reason);
      out->palette[out->colours++] =
          GifColorType{uint8_t(pixels[i] >> 16), uint8_t(pixels[i] >> 8), uint8_t(pixels[i])};
    }
    out->indices[i] = at->second;
  }
  return true;
}

// A colour table's size is a power of two; the rest stays black.
int paletteSize(IndexedBox* box) {
  int size = 2;
  while (size < box->colours) size *= 2;
  for (int i = box->colours; i < size; ++i) box->palette[i] = GifColorType{0, 0, 0};
  return size;
}

int appendOutput(GifFileType* gif, const GifByteType* data, int size) {
  auto* bytes = static_cast<std::vector<uint8_t>*>(gif->UserData);
  bytes->insert(bytes->end(), data, data + size);
  return size;
}

bool fail(int error, std::string* reason) {
  const char* text = GifErrorString(error);
  *reason = std::string("GIF encoder: ") + (text ? text : "unknown error");
  return false;
}

// The header giflib writes before a frame: "GIF89a" and the screen's
// descriptor without a colour table. A frame is encoded after one of its own
// and taken without it.
constexpr size_t FrameHeaderBytes = 13;

class GifEncoder final : public PipelinedEncoder {
 public:
  GifEncoder(int width, int height, int workers) : PipelinedEncoder(width, height, workers) {}
  ~GifEncoder() override {
    stopWorkers();
    if (gif_) EGifCloseFile(gif_, nullptr);
  }

  bool start(std::string* reason) {
    int error = 0;
    gif_ = EGifOpen(&bytes_, appendOutput, &error);
    if (!gif_) return fail(error, reason);
    EGifSetGifVersion(gif_, true);
    static const uint8_t Loop[] = {1, 0, 0};  // repeat for ever
    if (EGifPutScreenDesc(gif_, width_, height_, 8, 0, nullptr) != GIF_OK ||
        EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE) != GIF_OK ||
        EGifPutExtensionBlock(gif_, 11, "NETSCAPE2.0") != GIF_OK ||
        EGifPutExtensionBlock(gif_, sizeof Loop, Loop) != GIF_OK ||
        EGifPutExtensionTrailer(gif_) != GIF_OK) {
      return fail(gif_->Error, reason);
    }
    return true;
  }

 protected:
  // A frame: its delay, the changed rectangle's place and colour table, and
  // its pixels, compressed with giflib on a stream of the frame's own.
  bool encodeFrame(const uint32_t* previous, const uint32_t* pixels, int durationMs,
                   EncodedFrame* out, std::string* reason) const override {
    const Box box = changedBox(previous, pixels, width_, height_);
    std::vector<uint32_t> boxPixels(size_t(box.width) * box.height);
    for (int y = 0; y < box.height; ++y) {
      std::memcpy(boxPixels.data() + size_t(y) * box.width,
                  pixels + size_t(box.top + y) * width_ + box.left,
                  size_t(box.width) * sizeof(uint32_t));
    }
    IndexedBox indexed;
    if (!indexBox(boxPixels, box, &indexed, reason)) return false;
    ColorMapObject* map = GifMakeMapObject(paletteSize(&indexed), indexed.palette);
    int error = 0;
    GifFileType* gif = map ? EGifOpen(&out->bytes, appendOutput, &error) : nullptr;
    if (!gif) {
      GifFreeMapObject(map);
      *reason = "out of memory for the GIF encoder";
      return false;
    }
    EGifSetGifVersion(gif, true);
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    control.DelayTime = std::max(2, (durationMs + 5) / 10);  // hundredths of a second
    GifByteType extension[4];
    EGifGCBToExtension(&control, extension);
    bool ok =
        EGifPutScreenDesc(gif, width_, height_, 8, 0, nullptr) == GIF_OK &&
        out->bytes.size() == FrameHeaderBytes &&
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, sizeof extension, extension) == GIF_OK &&
        EGifPutImageDesc(gif, box.left, box.top, box.width, box.height, false, map) == GIF_OK;
    for (int y = 0; ok && y < box.height; ++y) {
      ok = EGifPutLine(gif, indexed.indices.data() + size_t(y) * box.width, box.width) == GIF_OK;
    }
    if (!ok) fail(gif->Error, reason);
    const size_t end = out->bytes.size();
    EGifCloseFile(gif, nullptr);  // writes the file's end, which is not the frame's
    GifFreeMapObject(map);
    out->bytes.resize(end);
    out->bytes.erase(out->bytes.begin(), out->bytes.begin() + FrameHeaderBytes);
    return ok;
  }

  bool takeFrame(EncodedFrame& frame, int, std::string*) override {
    bytes_.insert(bytes_.end(), frame.bytes.begin(), frame.bytes.end());
    return true;
  }

  bool assemble(std::vector<uint8_t>* bytes, std::string* reason) override {
    int error = 0;
    GifFileType* gif = gif_;
    gif_ = nullptr;
    if (EGifCloseFile(gif, &error) != GIF_OK) return fail(error, reason);
    *bytes = std::move(bytes_);
    return true;
  }

 private:
  GifFileType* gif_ = nullptr;
  std::vector<uint8_t> bytes_;
};

}  // namespace

std::unique_ptr<MovieEncoder> native::makeGifEncoder(int width, int height, int workers,
                                                     std::string* reason) {
  auto encoder = std::make_unique<GifEncoder>(width, height, workers);
  if (!encoder->start(reason)) return nullptr;
  return encoder;
}

}  // namespace platform
