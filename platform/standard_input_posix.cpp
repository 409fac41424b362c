// Standard input through poll(2) and read(2).
#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "platform/standard_input.h"

namespace tarnvelock {

InputRead ReadStandardInput(int timeout_ms) {
  InputRead result;
  pollfd input{STDIN_FILENO, POLLIN, 0};
  const int ready = ::poll(&input, 1, timeout_ms);
  if (ready <= 0) return result;  // timeout, or a signal cut the wait short
  char buffer[65536];
  const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
  if (got < 0 && (errno == EINTR || errno == EAGAIN)) return result;
  if (got <= 0) {
    result.status = InputRead::Status::Closed;
    return result;
  }
  result.status = InputRead::Status::Data;
  result.bytes.assign(buffer, static_cast<std::size_t>(got));
  return result;
}

void UseBinaryStandardStreams() {}

}  // namespace tarnvelock
