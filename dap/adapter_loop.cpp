// Reading framed requests and polling the batch in turn.
#include "dap/adapter_loop.h"

#include <cstdio>
#include <nlohmann/json.hpp>

#include "dap/framing.h"
#include "platform/standard_input.h"

namespace tarnvelock::dap {

void WriteMessage(const nlohmann::json& message) {
  // Text that is not valid UTF-8 is sent with replacement characters
  // rather than not at all.
  const std::string framed =
      FrameMessage(message.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
  std::fwrite(framed.data(), 1, framed.size(), stdout);
  std::fflush(stdout);
}

void ServeStandardStreams(DebugAdapter& adapter) {
  MessageReader reader;
  while (!adapter.Finished()) {
    const InputRead input = ReadStandardInput(adapter.Running() ? kRunningPollMs : kIdlePollMs);
    if (input.status == InputRead::Status::Closed) {
      adapter.ClientGone();
      return;
    }
    reader.Feed(input.bytes);
    for (auto next = reader.Next(); next.kind != MessageReader::Result::Kind::Incomplete;
         next = reader.Next()) {
      if (next.kind == MessageReader::Result::Kind::BadHeader) {
        adapter.HandleMessage("");
        continue;
      }
      adapter.HandleMessage(next.body);
      if (adapter.Finished()) return;
    }
    adapter.Poll();
  }
}

}  // namespace tarnvelock::dap
