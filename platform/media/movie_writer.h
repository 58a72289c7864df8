// Moving pictures of the game: frames of the screen, each shown for its own
// time, encoded as a lossless animated WebP or as a GIF of 256 colours.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

enum class MovieFormat { WebP, Gif };

// Reads the format from the name's extension, .webp or .gif in any case.
// Returns false for any other name.
bool movieFormatOf(const std::string& path, MovieFormat* format);

// Encodes frames of one size into the bytes of a movie file, in memory. The
// frames are encoded on workers while the caller goes on (movie_frames.h); the
// bytes are the same whatever the number of workers.
class MovieEncoder {
 public:
  virtual ~MovieEncoder() = default;
  // Adds a frame of width x height pixels 0x00RRGGBB, row-major, shown for
  // `durationMs` milliseconds. Returns false and sets *reason on failure.
  virtual bool addFrame(const uint32_t* pixels, int durationMs, std::string* reason) = 0;
  // Ends the movie (shown in a loop) and hands over the file's bytes.
  virtual bool finish(std::vector<uint8_t>* bytes, std::string* reason) = 0;
  // Calls `callback` on the caller's thread, within addFrame and finish, each
  // time a frame is written into the movie, with the number written so far.
  virtual void onFrameWritten(std::function<void(int written)> callback) = 0;
};

// How many workers a movie is encoded on: one for each processor the program
// may run on (sched_getaffinity), at most eight.
int movieWorkers();

// Returns an encoder for frames of width x height on `workers` workers (1:
// every frame on the caller's thread), or null with *reason. The encoders
// (webp_movie.cpp, gif_movie.cpp) are the native module's (native.h), loaded
// by the first call: throws std::runtime_error when it cannot be.
std::unique_ptr<MovieEncoder> makeMovieEncoder(MovieFormat format, int width, int height,
                                               int workers, std::string* reason);

}  // namespace platform
