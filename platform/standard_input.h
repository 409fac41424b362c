// The program's standard streams as a protocol channel: standard input read
// without blocking longer than a poll interval, so a front end can watch a
// running batch and its client at once, and both streams carrying bytes
// unchanged (no line-end translation).
#pragma once

#include <string>

namespace tarnvelock {

struct InputRead {
  enum class Status { Data, Timeout, Closed } status = Status::Timeout;
  std::string bytes;  // Data: what arrived, at least one byte
};

// Waits up to timeout_ms for standard input and returns what is there.
InputRead ReadStandardInput(int timeout_ms);

// Standard input and output pass bytes as they are.
void UseBinaryStandardStreams();

}  // namespace tarnvelock
