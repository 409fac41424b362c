// The arguments of a launch request as the adapter uses them. "args" may be
// one string (the parameter text as the batch's parameter box holds it) or
// an array of words, which are joined with blanks, a word with a blank in it
// quoted, as a person would type them.
#pragma once

#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>

namespace tarnvelock::dap {

enum class ConsoleKind {
  Internal,  // the batch's console output goes to the client as output events
  Terminal,  // the client shows the console in a terminal of its own
};

struct LaunchOptions {
  std::wstring Program;
  std::wstring Parameters;
  std::optional<std::wstring> Cwd;
  bool StopOnEntry = false;
  bool NoDebug = false;
  ConsoleKind Console = ConsoleKind::Internal;
};

struct LaunchParse {
  std::optional<LaunchOptions> Options;
  std::string Error;  // what is wrong when there are no options
};

LaunchParse ParseLaunchOptions(const nlohmann::json& arguments);

}  // namespace tarnvelock::dap
