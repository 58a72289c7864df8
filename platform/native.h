// The native module: every piece of the platform that needs a window, font or
// picture library (SDL2, FreeType, fontconfig, libjpeg, libpng, libwebp,
// giflib) behind one table of functions. The program links none of those
// libraries: it loads the module the first time a window opens, a font is
// prepared, a picture is decoded or encoded or a movie is started, so a
// headless game that draws nothing never maps them. Tests, benchmarks and
// tools link the same code in instead (native_linked.cpp).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

class Canvas;
class MovieEncoder;
class WindowBackend;
struct FontFace;
struct Picture;
struct Rect;
struct ResourceStream;
struct RgbaImage;

// Raised whenever the table's layout or meaning changes, so that a program
// never calls through a module built for another layout.
constexpr uint32_t NativeAbi = 2;

// What the module does for the program. The module keeps no record of the
// game: it renders, decodes, encodes and shows what it is handed.
struct NativeLibrary {
  uint32_t abi;         // NativeAbi of the build that made the module
  const char* version;  // the game's version of that build
  // Renders the glyphs of `face` at cell height `cellHeight` into *out (face
  // and family names, height, ascent, glyphs, coverage), byte b showing the
  // character codePoints[b] (0: none). The first call starts fontconfig and
  // FreeType. Throws std::runtime_error when no face is found or a library
  // fails.
  void (*renderFont)(const char* face, int cellHeight, const uint32_t* codePoints, FontFace* out);
  // Releases FreeType and fontconfig; rendered glyphs stay usable.
  void (*closeFonts)();
  bool (*decodeJpeg)(const ResourceStream& stream, Picture* out);       // as jpeg_decode.h
  bool (*decodePng)(const uint8_t* data, size_t size, RgbaImage* out);  // as png_io.h
  bool (*encodePng)(const Canvas& canvas, const Rect& rect, std::vector<uint8_t>* png);
  // The movie encoders of movie_writer.h, for frames of width x height
  // encoded on `workers` threads.
  std::unique_ptr<MovieEncoder> (*makeWebpEncoder)(int width, int height, int workers,
                                                   std::string* reason);
  std::unique_ptr<MovieEncoder> (*makeGifEncoder)(int width, int height, int workers,
                                                  std::string* reason);
  // The SDL2 window backend (backend.h).
  WindowBackend& (*windowBackend)();
};

// Returns the module's table, loading the module on the first call. Throws
// std::runtime_error, saying which file could not be loaded and why, when it
// is missing, unloadable or of another build. Defined once per program: by
// native_loader.cpp in the velmora program, by native_linked.cpp where the
// module's code is linked in.
const NativeLibrary& nativeLibrary();

// What the module implements, behind the table. Only the module's own files
// and the table call these by name.
namespace native {

void renderFont(const char* face, int cellHeight, const uint32_t* codePoints, FontFace* out);
void closeFonts();
bool decodeJpeg(const ResourceStream& stream, Picture* out);
bool decodePng(const uint8_t* data, size_t size, RgbaImage* out);
bool encodePng(const Canvas& canvas, const Rect& rect, std::vector<uint8_t>* png);
std::unique_ptr<MovieEncoder> makeWebpEncoder(int width, int height, int workers,
                                              std::string* reason);
std::unique_ptr<MovieEncoder> makeGifEncoder(int width, int height, int workers,
                                             std::string* reason);
WindowBackend& windowBackend();

}  // namespace native
}  // namespace platform

// The module's one exported symbol: its table. The program finds it with
// dlsym; where the module's code is linked in it is called directly.
extern "C" const platform::NativeLibrary* velmora_native_library();
