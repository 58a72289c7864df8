// The pool of workers that encodes a movie's frames, a bounded window of them
// at a time, and hands them on in order.
#include "platform/media/movie_frames.h"

#include <malloc.h>

#include <algorithm>
#include <cstring>

namespace platform {
namespace {

constexpr int MaxWorkers = 8;

}  // namespace

PipelinedEncoder::PipelinedEncoder(int width, int height, int workers)
    : width_(width),
      height_(height),
      workers_(std::clamp(workers, 1, MaxWorkers)),
      window_(workers_ == 1 ? 1 : 2 * workers_),
      frames_(size_t(window_ + 1), std::vector<uint32_t>(size_t(width) * height)),
      jobs_(size_t(window_)) {
  // The encoders allocate and free buffers of a megabyte or more for every
  // frame. By default glibc hands such memory back to the kernel at once and
  // faults it in again for the next frame: most of a movie's time in the
  // kernel. Kept, it is reused; the peak stays what the encoders need.
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 64 << 20);
  if (workers_ > 1) {
    for (int i = 0; i < workers_; ++i) threads_.emplace_back([this] { work(); });
  }
}

PipelinedEncoder::~PipelinedEncoder() { stopWorkers(); }

void PipelinedEncoder::stopWorkers() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  work_.notify_all();
  for (std::thread& thread : threads_) thread.join();
  threads_.clear();
}

void PipelinedEncoder::onFrameWritten(std::function<void(int written)> callback) {
  written_ = std::move(callback);
}

void PipelinedEncoder::work() {
  std::unique_lock lock(mutex_);
  for (;;) {
    work_.wait(lock, [this] { return stopping_ || claimed_ < added_; });
    if (stopping_) return;
    const long index = claimed_++;
    lock.unlock();
    encode(index);
    lock.lock();
    jobs_[size_t(index % window_)].done = true;
    done_.notify_all();
  }
}

void PipelinedEncoder::encode(long index) {
  Job& job = jobs_[size_t(index % window_)];
  const size_t slots = frames_.size();
  const uint32_t* previous = index == 0 ? nullptr : frames_[size_t(index - 1) % slots].data();
  job.ok = encodeFrame(previous, frames_[size_t(index) % slots].data(), job.durationMs, &job.frame,
                       &job.reason);
}

bool PipelinedEncoder::addFrame(const uint32_t* pixels, int durationMs, std::string* reason) {
  if (failed_) {
    *reason = "the movie failed before";
    return false;
  }
  // The window is full: the oldest frame goes into the movie first, which
  // also frees the frame slot the new frame takes.
  if (added_ - taken_ == window_ && !takeOldest(reason)) return false;
  const long index = added_;
  std::memcpy(frames_[size_t(index) % frames_.size()].data(), pixels,
              size_t(width_) * height_ * sizeof(uint32_t));
  Job& job = jobs_[size_t(index % window_)];
  job = Job{};
  job.durationMs = durationMs;
  if (threads_.empty()) {
    ++added_;
    ++claimed_;
    encode(index);
    job.done = true;
    return takeOldest(reason);
  }
  {
    std::lock_guard lock(mutex_);
    ++added_;
  }
  work_.notify_one();
  return true;
}

bool PipelinedEncoder::takeOldest(std::string* reason) {
  Job& job = jobs_[size_t(taken_ % window_)];
  if (!threads_.empty()) {
    std::unique_lock lock(mutex_);
    done_.wait(lock, [&job] { return job.done; });
  }
  ++taken_;
  bool ok = job.ok;
  if (!ok) {
    *reason = job.reason;
  } else {
    ok = takeFrame(job.frame, job.durationMs, reason);
  }
  job.frame = EncodedFrame{};
  if (!ok) {
    failed_ = true;
    return false;
  }
  if (written_) written_(int(taken_));
  return true;
}

bool PipelinedEncoder::finish(std::vector<uint8_t>* bytes, std::string* reason) {
  if (failed_) {
    *reason = "the movie failed before";
    return false;
  }
  while (taken_ < added_) {
    if (!takeOldest(reason)) return false;
  }
  stopWorkers();
  return assemble(bytes, reason);
}

FrameBox changedBox(const uint32_t* previous, const uint32_t* pixels, int width, int height) {
  if (!previous) return FrameBox{0, 0, width, height};
  int left = width, right = -1, top = height, bottom = -1;
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = pixels + size_t(y) * width;
    const uint32_t* before = previous + size_t(y) * width;
    int x = 0;
    while (x < width && row[x] == before[x]) ++x;
    if (x == width) continue;
    int last = width - 1;
    while (row[last] == before[last]) --last;
    left = std::min(left, x);
    right = std::max(right, last);
    top = std::min(top, y);
    bottom = y;
  }
  if (right < 0) return FrameBox{0, 0, 1, 1};
  return FrameBox{left, top, right - left + 1, bottom - top + 1};
}

}  // namespace platform
