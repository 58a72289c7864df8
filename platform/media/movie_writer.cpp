// Choosing a movie's format by its name and its encoder by the format.
#include "platform/media/movie_writer.h"

#include <sched.h>

#include <algorithm>
#include <cctype>

#include "platform/native.h"

namespace platform {
namespace {

bool endsWithNoCase(const std::string& text, const std::string& end) {
  if (text.size() < end.size()) return false;
  return std::equal(end.begin(), end.end(), text.end() - long(end.size()),
                    [](char wanted, char c) { return std::tolower(uint8_t(c)) == wanted; });
}

}  // namespace

int movieWorkers() {
  cpu_set_t cpus;
  CPU_ZERO(&cpus);
  if (sched_getaffinity(0, sizeof cpus, &cpus) != 0) return 1;
  return std::clamp(CPU_COUNT(&cpus), 1, 8);
}

bool movieFormatOf(const std::string& path, MovieFormat* format) {
  if (endsWithNoCase(path, ".webp")) {
    *format = MovieFormat::WebP;
    return true;
  }
  if (endsWithNoCase(path, ".gif")) {
    *format = MovieFormat::Gif;
    return true;
  }
  return false;
}

std::unique_ptr<MovieEncoder> makeMovieEncoder(MovieFormat format, int width, int height,
                                               int workers, std::string* reason) {
  if (width <= 0 || height <= 0) {
    *reason = "a movie needs frames of at least one pixel";
    return nullptr;
  }
  const NativeLibrary& native = nativeLibrary();
  return format == MovieFormat::WebP ? native.makeWebpEncoder(width, height, workers, reason)
                                     : native.makeGifEncoder(width, height, workers, reason);
}

}  // namespace platform
