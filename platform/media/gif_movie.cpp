// The GIF encoder, giflib. A GIF frame holds at most 256 colours, so each
// frame stores only the rectangle that changed from the frame before, with a
// colour table of its own: exact when the rectangle has 256 colours or fewer
// (a turn's few moved figures, the statement grid), otherwise reduced by
// giflib's median cut (a whole field of textured tiles).
#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "platform/media/movie_writer.h"
#include "platform/native.h"

namespace platform {
namespace {

constexpr int MaxColours = 256;

struct Box {
  int left, top, width, height;
};

class GifEncoder final : public MovieEncoder {
 public:
  GifEncoder(int width, int height)
      : width_(width), height_(height), previous_(size_t(width) * height) {}
  ~GifEncoder() override {
    if (gif_) EGifCloseFile(gif_, nullptr);
  }

  bool start(std::string* reason) {
    int error = 0;
    gif_ = EGifOpen(this, &GifEncoder::output, &error);
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

  bool addFrame(const uint32_t* pixels, int durationMs, std::string* reason) override {
    const Box box = changedBox(pixels);
    copyBox(pixels, box);
    if (!paletteOfBox(reason)) return false;
    ColorMapObject* map = GifMakeMapObject(paletteSize(), palette_);
    if (!map) {
      *reason = "out of memory for the GIF encoder";
      return false;
    }
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    control.DelayTime = std::max(2, (durationMs + 5) / 10);  // hundredths of a second
    GifByteType extension[4];
    EGifGCBToExtension(&control, extension);
    bool ok =
        EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, sizeof extension, extension) == GIF_OK &&
        EGifPutImageDesc(gif_, box.left, box.top, box.width, box.height, false, map) == GIF_OK;
    for (int y = 0; ok && y < box.height; ++y) {
      ok = EGifPutLine(gif_, indices_.data() + size_t(y) * box.width, box.width) == GIF_OK;
    }
    GifFreeMapObject(map);
    if (!ok) return fail(gif_->Error, reason);
    std::memcpy(previous_.data(), pixels, previous_.size() * sizeof(uint32_t));
    first_ = false;
    return true;
  }

  bool finish(std::vector<uint8_t>* bytes, std::string* reason) override {
    int error = 0;
    GifFileType* gif = gif_;
    gif_ = nullptr;
    if (EGifCloseFile(gif, &error) != GIF_OK) return fail(error, reason);
    *bytes = std::move(bytes_);
    return true;
  }

 private:
  static int output(GifFileType* gif, const GifByteType* data, int size) {
    auto* self = static_cast<GifEncoder*>(gif->UserData);
    self->bytes_.insert(self->bytes_.end(), data, data + size);
    return size;
  }

  static bool fail(int error, std::string* reason) {
    const char* text = GifErrorString(error);
    *reason = std::string("GIF encoder: ") + (text ? text : "unknown error");
    return false;
  }

  // The smallest rectangle holding every pixel that differs from the frame
  // before; the whole frame at first, one pixel when nothing changed.
  Box changedBox(const uint32_t* pixels) const {
    if (first_) return Box{0, 0, width_, height_};
    int left = width_, right = -1, top = height_, bottom = -1;
    for (int y = 0; y < height_; ++y) {
      const uint32_t* row = pixels + size_t(y) * width_;
      const uint32_t* before = previous_.data() + size_t(y) * width_;
      for (int x = 0; x < width_; ++x) {
        if (row[x] == before[x]) continue;
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = y;
      }
    }
    if (right < 0) return Box{0, 0, 1, 1};
    return Box{left, top, right - left + 1, bottom - top + 1};
  }

  void copyBox(const uint32_t* pixels, const Box& box) {
    lastBox_ = box;
    box_.resize(size_t(box.width) * box.height);
    for (int y = 0; y < box.height; ++y) {
      std::memcpy(box_.data() + size_t(y) * box.width,
                  pixels + size_t(box.top + y) * width_ + box.left,
                  size_t(box.width) * sizeof(uint32_t));
    }
  }

  // Fills palette_ and indices_ for box_.
  bool paletteOfBox(std::string* reason) {
    indices_.resize(box_.size());
    std::unordered_map<uint32_t, uint8_t> index;
    colours_ = 0;
    for (size_t i = 0; i < box_.size(); ++i) {
      auto [at, added] = index.try_emplace(box_[i], uint8_t(colours_));
      if (added) {
        if (colours_ == MaxColours) return quantizeBox(reason);
        palette_[colours_++] =
            GifColorType{uint8_t(box_[i] >> 16), uint8_t(box_[i] >> 8), uint8_t(box_[i])};
      }
      indices_[i] = at->second;
    }
    return true;
  }

  bool quantizeBox(std::string* reason) {
    const size_t n = box_.size();
    std::vector<GifByteType> red(n), green(n), blue(n);
    for (size_t i = 0; i < n; ++i) {
      red[i] = uint8_t(box_[i] >> 16);
      green[i] = uint8_t(box_[i] >> 8);
      blue[i] = uint8_t(box_[i]);
    }
    int size = MaxColours;
    const Box& b = lastBox_;
    if (GifQuantizeBuffer(unsigned(b.width), unsigned(b.height), &size, red.data(), green.data(),
                          blue.data(), indices_.data(), palette_) != GIF_OK) {
      *reason = "GIF encoder: cannot reduce a frame to 256 colours";
      return false;
    }
    colours_ = size;
    return true;
  }

  // A colour table's size is a power of two; the rest stays black.
  int paletteSize() {
    int size = 2;
    while (size < colours_) size *= 2;
    for (int i = colours_; i < size; ++i) palette_[i] = GifColorType{0, 0, 0};
    return size;
  }

  int width_;
  int height_;
  bool first_ = true;
  GifFileType* gif_ = nullptr;
  std::vector<uint8_t> bytes_;
  std::vector<uint32_t> previous_;
  std::vector<uint32_t> box_;
  Box lastBox_{};
  std::vector<GifByteType> indices_;
  GifColorType palette_[MaxColours]{};
  int colours_ = 0;
};

}  // namespace

std::unique_ptr<MovieEncoder> native::makeGifEncoder(int width, int height, std::string* reason) {
  auto encoder = std::make_unique<GifEncoder>(width, height);
  if (!encoder->start(reason)) return nullptr;
  return encoder;
}

}  // namespace platform
