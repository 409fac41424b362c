// Fuzz target: any bytes as the command lines of tarnvelock-cli - one line
// of its command script, and its program arguments (split at NUL bytes).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_parser.h"
#include "cli/debug_options.h"
#include "platform/code_page.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnvelock;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ParseCommand(FromUtf8(bytes));

  std::vector<std::wstring> args;
  for (size_t start = 0; start <= bytes.size();) {
    size_t end = bytes.find('\0', start);
    if (end == std::string_view::npos) end = bytes.size();
    args.push_back(FromUtf8(bytes.substr(start, end - start)));
    start = end + 1;
  }
  ParseDebugOptions(args);
  return 0;
}
