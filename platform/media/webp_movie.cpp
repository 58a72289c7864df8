// The lossless animated WebP encoder: every frame decodes to exactly the
// pixels it was given. It stores only the rectangle that changed from the
// frame before (a step scrolls most of the field, and the switches between
// the field and command entry change all of it), each encoded by libwebp on
// its own and put in order into the file by libwebp's muxer.
#include <webp/encode.h>
#include <webp/mux.h>

#include <algorithm>
#include <string>

#include "platform/media/movie_frames.h"
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

using Box = FrameBox;

// The changed rectangle with its corner moved up and left to even
// coordinates, where a WebP frame may stand.
Box evenChangedBox(const uint32_t* previous, const uint32_t* pixels, int width, int height) {
  Box box = changedBox(previous, pixels, width, height);
  box.width += box.left & 1;
  box.left &= ~1;
  box.height += box.top & 1;
  box.top &= ~1;
  return box;
}

class WebpEncoder final : public PipelinedEncoder {
 public:
  WebpEncoder(int width, int height, int workers) : PipelinedEncoder(width, height, workers) {}
  ~WebpEncoder() override {
    stopWorkers();
    if (mux_) WebPMuxDelete(mux_);
  }

  bool start(std::string* reason) {
    WebPConfig config;
    if (!WebPConfigInit(&config)) {
      *reason = "the WebP library does not match its headers";
      return false;
    }
    mux_ = WebPMuxNew();
    if (!mux_) {
      *reason = "out of memory for the WebP encoder";
      return false;
    }
    WebPMuxAnimParams animation{};
    animation.bgcolor = 0xFF000000;
    animation.loop_count = 0;  // for ever
    return muxed(WebPMuxSetAnimationParams(mux_, &animation), reason) &&
           muxed(WebPMuxSetCanvasSize(mux_, width_, height_), reason);
  }

 protected:
  // Each frame stores the rectangle that changed from the frame before, as a
  // lossless picture of its own that replaces what was there.
  bool encodeFrame(const uint32_t* previous, const uint32_t* pixels, int, EncodedFrame* out,
                   std::string* reason) const override {
    const Box box = evenChangedBox(previous, pixels, width_, height_);
    WebPConfig config;
    WebPPicture picture;
    if (!WebPConfigInit(&config) || !WebPPictureInit(&picture)) {
      *reason = "the WebP library does not match its headers";
      return false;
    }
    const bool few = fitsPalette(pixels, size_t(width_) * height_);
    config.lossless = 1;
    config.exact = 1;
    config.method = few ? FewColoursMethod : ManyColoursMethod;
    config.quality = few ? FewColoursQuality : ManyColoursQuality;
    picture.use_argb = 1;
    picture.width = box.width;
    picture.height = box.height;
    if (!WebPPictureAlloc(&picture)) {
      *reason = "out of memory for the WebP encoder";
      return false;
    }
    for (int y = 0; y < box.height; ++y) {
      const uint32_t* from = pixels + size_t(box.top + y) * width_ + box.left;
      uint32_t* to = picture.argb + size_t(y) * picture.argb_stride;
      for (int x = 0; x < box.width; ++x) to[x] = 0xFF000000u | from[x];
    }
    WebPMemoryWriter writer;
    WebPMemoryWriterInit(&writer);
    picture.writer = WebPMemoryWrite;
    picture.custom_ptr = &writer;
    const bool ok = WebPEncode(&config, &picture);
    if (ok) {
      out->bytes.assign(writer.mem, writer.mem + writer.size);
      out->left = box.left;
      out->top = box.top;
    } else {
      *reason = "WebP encoder: error " + std::to_string(int(picture.error_code));
    }
    WebPMemoryWriterClear(&writer);
    WebPPictureFree(&picture);
    return ok;
  }

  bool takeFrame(EncodedFrame& frame, int durationMs, std::string* reason) override {
    WebPMuxFrameInfo info{};
    info.bitstream = WebPData{frame.bytes.data(), frame.bytes.size()};
    info.x_offset = frame.left;
    info.y_offset = frame.top;
    info.duration = durationMs;
    info.id = WEBP_CHUNK_ANMF;
    info.dispose_method = WEBP_MUX_DISPOSE_NONE;
    info.blend_method = frame.blend ? WEBP_MUX_BLEND : WEBP_MUX_NO_BLEND;
    return muxed(WebPMuxPushFrame(mux_, &info, 1), reason);
  }

  bool assemble(std::vector<uint8_t>* bytes, std::string* reason) override {
    WebPData data;
    WebPDataInit(&data);
    if (!muxed(WebPMuxAssemble(mux_, &data), reason)) return false;
    bytes->assign(data.bytes, data.bytes + data.size);
    WebPDataClear(&data);
    return true;
  }

 private:
  static bool muxed(WebPMuxError error, std::string* reason) {
    if (error == WEBP_MUX_OK) return true;
    *reason = "WebP encoder: muxer error " + std::to_string(int(error));
    return false;
  }

  WebPMux* mux_ = nullptr;
};

}  // namespace

std::unique_ptr<MovieEncoder> native::makeWebpEncoder(int width, int height, int workers,
                                                      std::string* reason) {
  auto encoder = std::make_unique<WebpEncoder>(width, height, workers);
  if (!encoder->start(reason)) return nullptr;
  return encoder;
}

}  // namespace platform
