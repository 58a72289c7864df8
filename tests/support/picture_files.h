// Small JPEG and PNG files made in memory for the picture tests, encoded with
// libjpeg and libpng directly so the decoders are checked against an
// independent writer.
#pragma once

#include <cstdint>
#include <vector>

// Encodes width x height 0x00RRGGBB pixels as a baseline JPEG of the given
// quality; with `gray`, as a one-channel JPEG of the pixels' green channel.
std::vector<uint8_t> encodeJpeg(const std::vector<uint32_t>& pixels, int width, int height,
                                int quality, bool gray = false);

// Encodes width x height RGBA bytes as a PNG file.
std::vector<uint8_t> encodePng(const std::vector<uint8_t>& rgba, int width, int height);
