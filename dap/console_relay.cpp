// Both ends of the terminal console: the adapter's files and the relay's loop.
#include "dap/console_relay.h"

#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/standard_input.h"

namespace tarnvelock::dap {

namespace {

constexpr int kRelayPollMs = 20;

}  // namespace

RelayFiles::RelayFiles(const std::wstring& dir)
    : output(dir + L"tarnvelock-console.out"),
      typed(dir + L"tarnvelock-console.in"),
      ended(dir + L"tarnvelock-console.end") {}

ConsoleRelay::ConsoleRelay(FileSystem& files, const std::wstring& dir)
    : files_(files), names_(dir) {
  // Best effort: without the files the terminal stays empty, the run goes on.
  (void)files_.RemoveFile(names_.ended);
  (void)files_.WriteFile(names_.output, "");
  (void)files_.WriteFile(names_.typed, "");
}

ConsoleRelay::~ConsoleRelay() {
  (void)files_.WriteFile(names_.ended, "");
}

void ConsoleRelay::Write(std::string_view bytes) {
  (void)files_.AppendFile(names_.output, bytes);
}

std::string ConsoleRelay::TakeTyped() {
  std::string typed;
  if (!files_.ReadFile(names_.typed, &typed) || typed.size() <= typed_taken_) return {};
  std::string fresh = typed.substr(typed_taken_);
  typed_taken_ = typed.size();
  return fresh;
}

int RunConsoleRelay(FileSystem& files, const std::wstring& dir) {
  const RelayFiles names(dir);
  std::size_t shown = 0;
  bool input_open = true;
  while (true) {
    const bool ended = files.FileExists(names.ended) || !files.FileExists(names.output);
    std::string output;
    if (files.ReadFile(names.output, &output) && output.size() > shown) {
      std::fwrite(output.data() + shown, 1, output.size() - shown, stdout);
      std::fflush(stdout);
      shown = output.size();
    }
    if (ended) break;
    if (!input_open) {
      std::this_thread::sleep_for(std::chrono::milliseconds(kRelayPollMs));
      continue;
    }
    const InputRead input = ReadStandardInput(kRelayPollMs);
    if (input.status == InputRead::Status::Closed) input_open = false;
    if (input.status == InputRead::Status::Data) (void)files.AppendFile(names.typed, input.bytes);
  }
  for (const std::wstring& name : {names.output, names.typed, names.ended}) {
    (void)files.RemoveFile(name);
  }
  return 0;
}

}  // namespace tarnvelock::dap
