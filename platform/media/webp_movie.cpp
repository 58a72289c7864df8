// The lossless animated WebP encoder, libwebp's WebPAnimEncoder: every frame
// decodes to exactly the pixels it was given. It stores only the rectangle
// that changed from the frame before; a step scrolls most of the field, and
// the switches between the field and command entry change all of it.
#include <webp/encode.h>
#include <webp/mux.h>

#include "platform/media/movie_writer.h"
#include "platform/native.h"

namespace platform {
namespace {

// Two efforts, chosen a frame at a time by what the frame holds. The field's
// textured tiles (hundreds of colours) pack smallest at the quickest method
// with the most search; the statement grid (few colours, flat white) packs
// to half of that at method 1, where its colour palette is tried. Higher
// methods save a few per cent at ten to a hundred times the time.
constexpr int ManyColoursMethod = 0;
constexpr float ManyColoursQuality = 100;
constexpr int FewColoursMethod = 1;
constexpr float FewColoursQuality = 50;
constexpr int PaletteColours = 256;

// Whether the frame has no more colours than a palette holds. Counted with
// a small open-addressed table, which stops at the first colour too many.
bool fitsPalette(const uint32_t* pixels, size_t count) {
  constexpr size_t Slots = 1024;
  uint32_t table[Slots];
  bool used[Slots] = {};
  int colours = 0;
  for (size_t i = 0; i < count; ++i) {
    const uint32_t colour = pixels[i];
    size_t slot = (colour * 2654435761u) >> 22;
    while (used[slot] && table[slot] != colour) slot = (slot + 1) & (Slots - 1);
    if (used[slot]) continue;
    if (++colours > PaletteColours) return false;
    used[slot] = true;
    table[slot] = colour;
  }
  return true;
}

class WebpEncoder final : public MovieEncoder {
 public:
  WebpEncoder(int width, int height) : width_(width), height_(height) {}
  ~WebpEncoder() override {
    if (encoder_) WebPAnimEncoderDelete(encoder_);
    WebPPictureFree(&picture_);
  }

  bool start(std::string* reason) {
    WebPAnimEncoderOptions options;
    if (!WebPAnimEncoderOptionsInit(&options) || !WebPConfigInit(&config_) ||
        !WebPPictureInit(&picture_)) {
      *reason = "the WebP library does not match its headers";
      return false;
    }
    options.anim_params.loop_count = 0;  // for ever
    options.anim_params.bgcolor = 0xFF000000;
    config_.lossless = 1;
    config_.exact = 1;
    picture_.use_argb = 1;
    picture_.width = width_;
    picture_.height = height_;
    encoder_ = WebPAnimEncoderNew(width_, height_, &options);
    if (!encoder_ || !WebPPictureAlloc(&picture_)) {
      *reason = "out of memory for the WebP encoder";
      return false;
    }
    return true;
  }

  bool addFrame(const uint32_t* pixels, int durationMs, std::string* reason) override {
    for (int y = 0; y < height_; ++y) {
      const uint32_t* from = pixels + size_t(y) * width_;
      uint32_t* to = picture_.argb + size_t(y) * picture_.argb_stride;
      for (int x = 0; x < width_; ++x) to[x] = 0xFF000000u | from[x];
    }
    const bool few = fitsPalette(pixels, size_t(width_) * height_);
    config_.method = few ? FewColoursMethod : ManyColoursMethod;
    config_.quality = few ? FewColoursQuality : ManyColoursQuality;
    if (!WebPAnimEncoderAdd(encoder_, &picture_, timestampMs_, &config_)) {
      *reason = std::string("WebP encoder: ") + WebPAnimEncoderGetError(encoder_);
      return false;
    }
    timestampMs_ += durationMs;
    return true;
  }

  bool finish(std::vector<uint8_t>* bytes, std::string* reason) override {
    WebPData data;
    WebPDataInit(&data);
    // The last frame lasts until the end time given with no picture.
    if (!WebPAnimEncoderAdd(encoder_, nullptr, timestampMs_, nullptr) ||
        !WebPAnimEncoderAssemble(encoder_, &data)) {
      *reason = std::string("WebP encoder: ") + WebPAnimEncoderGetError(encoder_);
      WebPDataClear(&data);
      return false;
    }
    bytes->assign(data.bytes, data.bytes + data.size);
    WebPDataClear(&data);
    return true;
  }

 private:
  int width_;
  int height_;
  int timestampMs_ = 0;
  WebPAnimEncoder* encoder_ = nullptr;
  WebPConfig config_{};
  WebPPicture picture_{};
};

}  // namespace

std::unique_ptr<MovieEncoder> native::makeWebpEncoder(int width, int height, std::string* reason) {
  auto encoder = std::make_unique<WebpEncoder>(width, height);
  if (!encoder->start(reason)) return nullptr;
  return encoder;
}

}  // namespace platform
