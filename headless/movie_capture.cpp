// The movie's frames are taken around the keys the script runner presses,
// judged by the replay tally: a key that ran a turn or submitted a statement
// makes a frame of the screen after it, and a submitting key one of the
// command entry just before it. A frame equal to the one before only
// lengthens its time, so each frame in the file is a change on the screen.
// The frames are encoded on every core while the game goes on; on a terminal
// standard error shows how many are written of those taken.
#include "headless/movie_capture.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "game/game_state.h"
#include "platform/media/movie_writer.h"
#include "platform/safe_file.h"
#include "ui/main_window.h"
#include "ui/replay_summary.h"
#include "ui/session.h"

namespace headless {
namespace {

MovieRecord& movie = Session.movie;

// The screen as the screenshot command writes it.
void takeScreen(std::vector<uint32_t>* frame) {
  const platform::Canvas& screen = Form1.Image2;
  for (int y = 0; y < ViewHeight; ++y) {
    std::memcpy(frame->data() + size_t(y) * ViewWidth, screen.pixels() + size_t(y) * screen.width(),
                ViewWidth * sizeof(uint32_t));
  }
}

// Shows "N of M frames written" in place, ten times a second at most and
// once all are written.
void showProgress(int written) {
  const auto now = std::chrono::steady_clock::now();
  if (written < movie.framesPassed && now - movie.progressAt < std::chrono::milliseconds(100)) {
    return;
  }
  movie.progressAt = now;
  movie.progressShown = true;
  std::fprintf(stderr, "\rvelmora: movie: %d of %d frames written", written, movie.framesPassed);
  std::fflush(stderr);
}

void passHeldFrame() {
  if (movie.heldMs == 0 || !movie.failure.empty()) return;
  ++movie.framesPassed;
  std::string reason;
  if (!movie.encoder->addFrame(movie.held.data(), movie.heldMs, &reason)) {
    movie.failure = reason;
  }
}

void takeFrame(int durationMs) {
  takeScreen(&movie.taken);
  if (movie.heldMs > 0 && movie.taken == movie.held) {
    movie.heldMs += durationMs;
    return;
  }
  passHeldFrame();
  movie.held.swap(movie.taken);
  movie.heldMs = durationMs;
}

void beforeKey(uint16_t key) {
  movie.before = replayTally();
  // The opening: where the first move starts from.
  if (!movie.opened && pressRunsTurn(key)) {
    movie.opened = true;
    takeFrame(TurnFrameMs);
  }
  // The whole statement, as the player sees it just before it goes.
  if (pressSubmitsStatement(key)) {
    movie.opened = true;
    takeFrame(StatementFrameMs);
  }
}

void afterKey(uint16_t) {
  const ReplayTally& now = replayTally();
  if (now.statements != movie.before.statements) {
    takeFrame(AnswerFrameMs);
  } else if (now.turns != movie.before.turns) {
    takeFrame(TurnFrameMs);
  }
}

}  // namespace

bool startMovie(const std::string& path, std::string* reason) {
  platform::MovieFormat format{};
  if (!platform::movieFormatOf(path, &format)) {
    *reason = "a movie's name ends in .webp or .gif";
    return false;
  }
  MovieRecord made;
  made.path = path;
  made.rule = format == platform::MovieFormat::WebP
                  ? platform::ReplaceRule{platform::startsAsWebp, "a WebP picture"}
                  : platform::ReplaceRule{platform::startsAsGif, "a GIF picture"};
  // Refused before the game is played, not after.
  if (!platform::fileMayBeReplaced(path.c_str(), made.rule, reason)) return false;
  if (Form1.Image2.width() < ViewWidth || Form1.Image2.height() < ViewHeight) {
    *reason = "the screen is not drawn";
    return false;
  }
  made.encoder =
      platform::makeMovieEncoder(format, ViewWidth, ViewHeight, platform::movieWorkers(), reason);
  if (!made.encoder) return false;
  made.showProgress = isatty(STDERR_FILENO) == 1;
  if (made.showProgress) made.encoder->onFrameWritten(showProgress);
  made.held.resize(size_t(ViewWidth) * ViewHeight);
  made.taken.resize(made.held.size());
  movie = std::move(made);
  return true;
}

KeyWatcher movieKeys() { return KeyWatcher{beforeKey, afterKey}; }

bool finishMovie(std::string* reason) {
  if (!movie.encoder) return true;
  // The end of the game, held long enough to be seen before the movie loops.
  takeFrame(0);
  if (movie.heldMs < LastFrameMs) movie.heldMs = LastFrameMs;
  passHeldFrame();
  std::vector<uint8_t> bytes;
  bool ok = movie.failure.empty() && movie.encoder->finish(&bytes, reason);
  if (!movie.failure.empty()) *reason = movie.failure;
  if (movie.progressShown) std::fputc('\n', stderr);
  if (ok) {
    ok = platform::writeFileAtomically(movie.path.c_str(), bytes.data(), bytes.size(), movie.rule,
                                       reason);
  }
  movie = MovieRecord{};
  return ok;
}

void abandonMovie() {
  if (movie.progressShown) std::fputc('\n', stderr);
  movie = MovieRecord{};
}

}  // namespace headless
