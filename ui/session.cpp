// The front end's one record, and its reset.
#include "ui/session.h"

#include <unistd.h>

#include "platform/media/movie_writer.h"

FrontEndSession Session;

MovieRecord::MovieRecord() = default;
MovieRecord::MovieRecord(MovieRecord&&) noexcept = default;
MovieRecord& MovieRecord::operator=(MovieRecord&&) noexcept = default;
MovieRecord::~MovieRecord() = default;

void resetSession() {
  if (Session.recording.fd >= 0) ::close(Session.recording.fd);
  Session = FrontEndSession{};
}
