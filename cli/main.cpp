// tarnvelock-cli: the line-oriented front end of the batch debugger.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/debug_command.h"
#include "cli/inspect_commands.h"
#include "platform/child_process.h"
#include "platform/code_page.h"

namespace {

constexpr char kUsage[] =
    "usage: tarnvelock-cli [--json] [--poll-ms N] [--timeout S] [--params TEXT]\n"
    "                      [--script FILE] BATCH        debug BATCH\n"
    "       tarnvelock-cli --analyse [--json] BATCH\n"
    "       tarnvelock-cli --instrument BATCH [options]   (--instrument --help for them)\n";

}  // namespace

int main(int argc, char** argv) {
  // The instrumented batch and the JSON lines leave as the bytes they are.
  tarnvelock::PrepareStandardHandles();
  std::vector<std::wstring> args;
  for (int i = 1; i < argc; ++i) args.push_back(tarnvelock::FromUtf8(argv[i]));
  if (args.empty()) {
    std::fputs(kUsage, stderr);
    return 64;
  }
  const std::wstring mode = args.front();
  if (mode == L"--help") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (mode != L"--analyse" && mode != L"--analyze" && mode != L"--instrument") {
    return tarnvelock::DebugCommand(args);
  }
  args.erase(args.begin());
  if (mode == L"--instrument") return tarnvelock::InstrumentCommand(args);
  return tarnvelock::AnalyseCommand(args);
}
