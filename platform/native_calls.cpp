// The platform's calls that the native module serves (native.h): preparing
// fonts, decoding and encoding pictures, and the desktop's window backend.
// Each loads the module on first use, so a run that never draws never loads
// a window, font or picture library. The browser build defines these calls
// itself, statically (platform/web/).
#include "platform/backend.h"
#include "platform/media/font.h"
#include "platform/media/font_table.h"
#include "platform/media/jpeg_decode.h"
#include "platform/media/png_io.h"
#include "platform/native.h"

namespace platform {
namespace {

bool fontsRendered = false;  // the module's fonts are up and need closing

}  // namespace

void prepareFont(const char* face, int cellHeight) {
  FontFace* slot = beginPreparing(face, cellHeight);
  if (!slot) return;
  const NativeLibrary& native = nativeLibrary();
  // The module keeps no record of the game: the bytes' characters go with the call.
  uint32_t codePoints[256];
  for (int byte = 0; byte < 256; ++byte) codePoints[byte] = codePointOfByte(uint8_t(byte));
  fontsRendered = true;
  native.renderFont(face, cellHeight, codePoints, slot);
  finishPreparing();
}

void shutdownFonts() {
  if (fontsRendered) nativeLibrary().closeFonts();
  fontsRendered = false;
}

bool decodeJpeg(const ResourceStream& stream, Picture* out) {
  return nativeLibrary().decodeJpeg(stream, out);
}

bool decodePng(const uint8_t* data, size_t size, RgbaImage* out) {
  return nativeLibrary().decodePng(data, size, out);
}

bool encodePng(const Canvas& canvas, const Rect& rect, std::vector<uint8_t>* png) {
  return nativeLibrary().encodePng(canvas, rect, png);
}

WindowBackend& windowBackend() { return nativeLibrary().windowBackend(); }

}  // namespace platform
