// The single-step round trip through the debug adapter: from a "next"
// request handed to the adapter to the "stopped" event it sends, with the
// adapter loop's 10 ms poll, over the real interpreter; median of 200 steps
// through a loop. The protocol messages go through the adapter as JSON text;
// only the pipe to an editor is left out (microseconds against milliseconds).
// The goal is under 30 ms.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>
#include <thread>
#include <vector>

#include "dap/adapter_loop.h"
#include "dap/debug_adapter.h"
#include "platform/child_process.h"
#include "platform/code_page.h"
#include "platform/console_process.h"
#include "platform/environment.h"
#include "platform/file_system.h"
#include "platform/temp_dir.h"

using namespace tarnvelock;
using Clock = std::chrono::steady_clock;
using nlohmann::json;

namespace {

constexpr int kSteps = 200;

class Client {
 public:
  Client(dap::DebugAdapter& adapter, std::vector<json>& received)
      : adapter_(adapter), received_(received) {}

  void Send(const std::string& command, json arguments = json::object()) {
    adapter_.HandleMessage(
        json{{"seq", ++seq_}, {"type", "request"}, {"command", command}, {"arguments", arguments}}
            .dump());
  }
  // Polls as the adapter's loop does until the event arrives; false after 10 s.
  bool WaitFor(const std::string& event) {
    const auto give_up = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < give_up) {
      for (auto it = received_.begin(); it != received_.end(); ++it) {
        if ((*it)["type"] == "event" && (*it)["event"] == event) {
          received_.erase(received_.begin(), it + 1);
          return true;
        }
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(dap::kRunningPollMs));
      adapter_.Poll();
    }
    return false;
  }

 private:
  dap::DebugAdapter& adapter_;
  std::vector<json>& received_;
  int seq_ = 0;
};

}  // namespace

int main() {
  const std::wstring dir = SystemTempBase() + L"tarnvelock-dap-bench/";
  if (!EnsurePrivateDirectory(dir)) return 1;
  std::wstring own = FromUtf8(OwnExecutablePath());
  own.erase(own.find_last_of(L'/') + 1);
  ProcessEnvironment().Unset(L"ComSpec");
  const std::wstring batch = dir + L"loop.bat";
  if (const IoStatus written = SystemFileSystem().WriteFile(
          batch, "@echo off\r\nset n=0\r\n:loop\r\nset /a n+=1\r\nif %n% LSS 100000 goto loop\r\n");
      !written) {
    std::fprintf(stderr, "%s\n", ToUtf8(written.message()).c_str());
    return 1;
  }

  std::vector<json> received;
  SessionPlatform platform{SystemFileSystem(), SystemCodePages(), ProcessEnvironment(),
                           SystemProcessStarter()};
  dap::DebugAdapter adapter(platform, own + L"../shell/",
                            [&received](const json& message) { received.push_back(message); });
  Client client(adapter, received);
  client.Send("initialize", {{"adapterID", "tarnvelock"}});
  client.Send("launch", {{"program", ToUtf8(batch)}, {"stopOnEntry", true}});
  client.Send("configurationDone");
  if (!client.WaitFor("stopped")) {
    std::fprintf(stderr, "the batch did not stop on entry\n");
    return 1;
  }
  std::vector<double> steps;
  for (int i = 0; i < kSteps; ++i) {
    const auto start = Clock::now();
    client.Send("next", {{"threadId", 1}});
    if (!client.WaitFor("stopped")) {
      std::fprintf(stderr, "the run did not stop at step %d\n", i);
      return 1;
    }
    steps.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  client.Send("disconnect");
  std::sort(steps.begin(), steps.end());
  std::printf(
      "single step through the adapter (poll %d ms): median %.1f ms, 90%% %.1f ms over %d "
      "steps (goal: under 30 ms)\n",
      dap::kRunningPollMs, steps[steps.size() / 2], steps[steps.size() * 9 / 10], kSteps);
  return 0;
}
