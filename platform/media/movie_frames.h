// A movie's frames encoded on every core: each frame is encoded against the
// frame before it alone, so the frames of a window are encoded at once by a
// pool of workers, and only their assembly into the file keeps to their
// order. The file is the same, byte for byte, whatever the number of workers.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/media/movie_writer.h"

namespace platform {

// A rectangle of a frame, in pixels.
struct FrameBox {
  int left, top, width, height;
};

// The smallest rectangle holding every pixel of `pixels` that differs from
// `previous`: the whole frame when there is no frame before, one pixel when
// nothing changed.
FrameBox changedBox(const uint32_t* previous, const uint32_t* pixels, int width, int height);

// One frame as a worker encoded it, waiting for its turn in the file.
struct EncodedFrame {
  std::vector<uint8_t> bytes;
  int left = 0;  // where the stored rectangle stands in the picture
  int top = 0;
  bool blend = false;  // whether its transparent pixels let the frame before show
};

// An encoder whose frames are independent but for the frame before: the
// format's own part is encodeFrame (on any worker, so it may change nothing
// shared), takeFrame and assemble (on the caller's thread, in order).
class PipelinedEncoder : public MovieEncoder {
 public:
  PipelinedEncoder(int width, int height, int workers);
  ~PipelinedEncoder() override;

  bool addFrame(const uint32_t* pixels, int durationMs, std::string* reason) final;
  bool finish(std::vector<uint8_t>* bytes, std::string* reason) final;
  void onFrameWritten(std::function<void(int written)> callback) final;

 protected:
  // Encodes `pixels` (width x height, 0x00RRGGBB) to follow `previous`
  // (nullptr for the first frame). Called on a worker: reads only its
  // arguments and what the encoder fixed before the first frame.
  virtual bool encodeFrame(const uint32_t* previous, const uint32_t* pixels, int durationMs,
                           EncodedFrame* out, std::string* reason) const = 0;
  // Puts the next frame, in the order they were added, into the movie.
  virtual bool takeFrame(EncodedFrame& frame, int durationMs, std::string* reason) = 0;
  // Ends the movie once every frame is taken.
  virtual bool assemble(std::vector<uint8_t>* bytes, std::string* reason) = 0;

  // Lets the workers end their frames and stop. Every encoder's destructor
  // calls it first: a worker may be in encodeFrame, on the encoder's members.
  void stopWorkers();

  const int width_;
  const int height_;

 private:
  struct Job {
    EncodedFrame frame;
    int durationMs = 0;
    bool done = false;
    bool ok = false;
    std::string reason;
  };

  void work();
  void encode(long index);
  bool takeOldest(std::string* reason);

  const int workers_;
  const long window_;                          // frames added but not yet taken, at most
  std::vector<std::vector<uint32_t>> frames_;  // window_ + 1 frames, a ring
  std::vector<Job> jobs_;                      // window_ jobs, a ring
  long added_ = 0;                             // frames added
  long claimed_ = 0;                           // frames a worker has begun
  long taken_ = 0;                             // frames in the movie
  bool failed_ = false;
  bool stopping_ = false;
  std::function<void(int)> written_;
  std::mutex mutex_;
  std::condition_variable work_;  // a frame to encode, or stop
  std::condition_variable done_;  // a frame encoded
  std::vector<std::thread> threads_;
};

}  // namespace platform
