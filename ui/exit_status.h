// The program's exit statuses, as --help and the replay guide tell them:
// every front end and the script runner end with one of these.
#pragma once

enum ExitStatus : int {
  // The game or the script ended normally.
  ExitOk = 0,
  // Nothing could be played (no display, a start-up that failed), or what was
  // played could not be kept: output, a recording or a movie not written to
  // its end.
  ExitFailed = 1,
  // What the program was given was refused before it did harm: a bad option,
  // an unreadable script, a bad script line, a recording or movie it may not
  // write.
  ExitRefused = 2,
};
