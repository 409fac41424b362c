// tarnvelock-cli: the line-oriented front end of the batch debugger.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/inspect_commands.h"
#include "platform/code_page.h"

namespace {

constexpr char kUsage[] =
    "usage: tarnvelock-cli --analyse [--json] BATCH\n"
    "       tarnvelock-cli --instrument BATCH [options]   (--instrument --help for them)\n";

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::wstring> args;
  for (int i = 1; i < argc; ++i) args.push_back(tarnvelock::FromUtf8(argv[i]));
  if (args.empty()) {
    std::fputs(kUsage, stderr);
    return 64;
  }
  const std::wstring mode = args.front();
  args.erase(args.begin());
  if (mode == L"--analyse" || mode == L"--analyze") return tarnvelock::AnalyseCommand(args);
  if (mode == L"--instrument") return tarnvelock::InstrumentCommand(args);
  std::fputs(kUsage, stdout);
  return mode == L"--help" ? 0 : 64;
}
