// In-memory JPEG and PNG encoders for the picture tests.
#include "tests/support/picture_files.h"

// clang-format off
#include <stdio.h>  // before jpeglib.h, which uses FILE without declaring it
#include <jpeglib.h>
// clang-format on
#include <png.h>

#include <cstdlib>
#include <cstring>

std::vector<uint8_t> encodeJpeg(const std::vector<uint32_t>& pixels, int width, int height,
                                int quality, bool gray) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = JDIMENSION(width);
  info.image_height = JDIMENSION(height);
  info.input_components = gray ? 1 : 3;
  info.in_color_space = gray ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<uint8_t> line(size_t(width) * 3);
  while (info.next_scanline < info.image_height) {
    const uint32_t* src = pixels.data() + size_t(info.next_scanline) * width;
    for (int x = 0; x < width; ++x) {
      if (gray) {
        line[x] = uint8_t(src[x] >> 8);
      } else {
        line[3 * x] = uint8_t(src[x] >> 16);
        line[3 * x + 1] = uint8_t(src[x] >> 8);
        line[3 * x + 2] = uint8_t(src[x]);
      }
    }
    JSAMPROW row = line.data();
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::vector<uint8_t> out(buffer, buffer + size);
  std::free(buffer);
  return out;
}

std::vector<uint8_t> encodePng(const std::vector<uint8_t>& rgba, int width, int height) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = png_uint_32(width);
  image.height = png_uint_32(height);
  image.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  png_image_write_to_memory(&image, nullptr, &size, 0, rgba.data(), 0, nullptr);
  std::vector<uint8_t> out(size);
  if (size == 0 ||
      !png_image_write_to_memory(&image, out.data(), &size, 0, rgba.data(), 0, nullptr))
    out.clear();
  out.resize(size);
  return out;
}
