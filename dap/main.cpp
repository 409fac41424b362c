// tarnvelock-dap: the batch debugger as a Debug Adapter Protocol server on
// standard input and output, started by an editor for each debug session.
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>

#include "core/run/bundled_interpreter.h"
#include "dap/adapter_loop.h"
#include "dap/console_relay.h"
#include "dap/debug_adapter.h"
#include "platform/code_page.h"
#include "platform/console_process.h"
#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/standard_input.h"

int main(int argc, char** argv) {
  using namespace tarnvelock;
  // In the editor's terminal: the relay of the batch's console.
  if (argc == 3 && std::string(argv[1]) == "--console") {
    UseBinaryStandardStreams();
    return dap::RunConsoleRelay(SystemFileSystem(), FromUtf8(argv[2]));
  }
  // "--stdio" names the only channel there is; editors and test clients pass it.
  if (argc > 2 || (argc == 2 && std::string(argv[1]) != "--stdio")) {
    const bool help = std::string(argv[1]) == "--help";
    std::fputs(
        "usage: tarnvelock-dap [--stdio]\n"
        "       tarnvelock-dap --console DIR   (started by the adapter in a terminal)\n"
        "  speaks the Debug Adapter Protocol on standard input and output; an editor starts it\n",
        help ? stdout : stderr);
    return help ? 0 : 64;
  }
  UseBinaryStandardStreams();
  SessionPlatform platform{SystemFileSystem(), SystemCodePages(), ProcessEnvironment(),
                           SystemProcessStarter()};
  dap::DebugAdapter adapter(platform, BundledInterpreterDirectory(),
                            [](const nlohmann::json& message) { dap::WriteMessage(message); });
  dap::ServeStandardStreams(adapter);
  return 0;
}
