// The native module's table: the one symbol the module exports, through
// which the program reaches everything in it.
#include "platform/media/movie_writer.h"
#include "platform/native.h"

extern "C" __attribute__((visibility("default"))) const platform::NativeLibrary*
velmora_native_library() {
  using namespace platform::native;
  static const platform::NativeLibrary table{
      platform::NativeAbi, VELMORA_VERSION, renderFont,      closeFonts,     decodeJpeg,
      decodePng,           encodePng,       makeWebpEncoder, makeGifEncoder, windowBackend,
  };
  return &table;
}
