// Standard input through PeekNamedPipe and ReadFile: an editor starts the
// adapter with pipes for its standard streams.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "platform/standard_input.h"

namespace tarnvelock {

InputRead ReadStandardInput(int timeout_ms) {
  InputRead result;
  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  DWORD available = 0;
  if (!PeekNamedPipe(input, nullptr, 0, nullptr, &available, nullptr)) {
    result.status = InputRead::Status::Closed;
    return result;
  }
  if (available == 0) {
    Sleep(static_cast<DWORD>(timeout_ms));
    return result;
  }
  char buffer[65536];
  DWORD got = 0;
  const DWORD wanted = available < sizeof buffer ? available : DWORD{sizeof buffer};
  if (!ReadFile(input, buffer, wanted, &got, nullptr) || got == 0) {
    result.status = InputRead::Status::Closed;
    return result;
  }
  result.status = InputRead::Status::Data;
  result.bytes.assign(buffer, got);
  return result;
}

void UseBinaryStandardStreams() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
}

}  // namespace tarnvelock
