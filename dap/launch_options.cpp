// Reading the launch request's arguments.
#include "dap/launch_options.h"

#include <nlohmann/json.hpp>

#include "platform/code_page.h"

namespace tarnvelock::dap {

namespace {

std::wstring QuotedWhenBlank(const std::wstring& word) {
  if (!word.empty() && word.find_first_of(L" \t") == std::wstring::npos) return word;
  return L"\"" + word + L"\"";
}

}  // namespace

LaunchParse ParseLaunchOptions(const nlohmann::json& arguments) {
  LaunchParse parse;
  if (!arguments.is_object()) {
    parse.Error = "launch needs its arguments";
    return parse;
  }
  LaunchOptions options;
  const auto program = arguments.find("program");
  if (program == arguments.end() || !program->is_string() || program->get<std::string>().empty()) {
    parse.Error = "launch needs \"program\": the batch file to debug";
    return parse;
  }
  options.Program = FromUtf8(program->get<std::string>());

  if (const auto args = arguments.find("args"); args != arguments.end() && !args->is_null()) {
    if (args->is_string()) {
      options.Parameters = FromUtf8(args->get<std::string>());
    } else if (args->is_array()) {
      for (const nlohmann::json& word : *args) {
        if (!word.is_string()) {
          parse.Error = "\"args\" must be a string or an array of strings";
          return parse;
        }
        if (!options.Parameters.empty()) options.Parameters += L' ';
        options.Parameters += QuotedWhenBlank(FromUtf8(word.get<std::string>()));
      }
    } else {
      parse.Error = "\"args\" must be a string or an array of strings";
      return parse;
    }
  }
  if (const auto cwd = arguments.find("cwd");
      cwd != arguments.end() && cwd->is_string() && !cwd->get<std::string>().empty()) {
    options.Cwd = FromUtf8(cwd->get<std::string>());
  }
  options.StopOnEntry = arguments.value("stopOnEntry", false);
  options.NoDebug = arguments.value("noDebug", false);
  const std::string console = arguments.value("console", std::string("internalConsole"));
  if (console == "integratedTerminal" || console == "externalTerminal") {
    options.Console = ConsoleKind::Terminal;
  } else if (console != "internalConsole") {
    parse.Error = "\"console\" must be internalConsole, integratedTerminal or externalTerminal";
    return parse;
  }
  parse.Options = std::move(options);
  return parse;
}

}  // namespace tarnvelock::dap
