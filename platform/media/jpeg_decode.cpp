// JPEG decoding through libjpeg, in the native module. libjpeg reports errors by calling an exit
// routine; ours jumps back to the decoder, which then fails cleanly instead
// of ending the program.
#include "platform/media/jpeg_decode.h"

#include "platform/native.h"

// clang-format off
#include <stdio.h>  // before jpeglib.h, which uses FILE without declaring it
#include <jpeglib.h>
// clang-format on

#include <csetjmp>

namespace platform {
namespace {

constexpr unsigned MaxSide = 8192;

struct ErrorTrap {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

[[noreturn]] void onError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorTrap*>(info->err)->jump, 1);
}

// A warning (level -1) means damaged data libjpeg would paper over with grey;
// the picture is built into the program, so damage is a failure. Trace
// messages are dropped.
void onEmit(j_common_ptr info, int level) {
  if (level < 0) onError(info);
}

void onMessage(j_common_ptr) {}

// Runs the decode proper. Kept free of objects with destructors, since a
// libjpeg error leaves it by longjmp.
bool decodeInto(jpeg_decompress_struct* info, ErrorTrap* trap, const ResourceStream& stream,
                Picture* out) {
  if (setjmp(trap->jump)) return false;
  jpeg_create_decompress(info);
  jpeg_mem_src(info, stream.data, static_cast<unsigned long>(stream.size));
  if (jpeg_read_header(info, TRUE) != JPEG_HEADER_OK) return false;
  if (info->image_width == 0 || info->image_height == 0 || info->image_width > MaxSide ||
      info->image_height > MaxSide)
    return false;
  info->out_color_space = JCS_RGB;
  jpeg_start_decompress(info);
  if (info->output_components != 3) return false;
  out->width = int(info->output_width);
  out->height = int(info->output_height);
  out->pixels.assign(size_t(out->width) * size_t(out->height), 0);
  JSAMPARRAY line = (*info->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(info), JPOOL_IMAGE,
                                               info->output_width * 3, 1);
  while (info->output_scanline < info->output_height) {
    unsigned y = info->output_scanline;
    if (jpeg_read_scanlines(info, line, 1) != 1) return false;
    uint32_t* row = out->pixels.data() + size_t(y) * out->width;
    const JSAMPLE* s = line[0];
    for (int x = 0; x < out->width; ++x, s += 3)
      row[x] = uint32_t(s[0]) << 16 | uint32_t(s[1]) << 8 | s[2];
  }
  jpeg_finish_decompress(info);
  return true;
}

}  // namespace

bool native::decodeJpeg(const ResourceStream& stream, Picture* out) {
  *out = Picture{};
  if (!stream.data || stream.size == 0) return false;
  jpeg_decompress_struct info{};
  ErrorTrap trap{};
  info.err = jpeg_std_error(&trap.base);
  trap.base.error_exit = onError;
  trap.base.emit_message = onEmit;
  trap.base.output_message = onMessage;
  bool ok = decodeInto(&info, &trap, stream, out);
  jpeg_destroy_decompress(&info);
  if (!ok) *out = Picture{};
  return ok;
}

}  // namespace platform
