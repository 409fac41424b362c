// Invocation: the interpreter's own command line (/c, /k, /q, /v, /e, /d,
// /s, /?) and running an interpreter as it asks.
#pragma once

#include <string>
#include <string_view>

#include "shell/variables.h"

namespace tarnvelock {

struct Invocation {
  enum class Mode { Interactive, RunAndExit, RunAndStay };
  Mode mode = Mode::Interactive;
  bool echo_off = false;
  bool delayed_expansion = false;
  bool extensions = true;
  bool show_help = false;
  std::string command;  // after /c or /k, with the quote rule applied
};

// Parses the text after the program's name. After /c or /k, a command that
// begins with a quote loses its first and last quote unless /s is absent
// and the quotes enclose exactly the name of an existing program with a
// blank in it (the Windows interpreter's rule).
Invocation ParseInvocation(std::string_view arguments, const Variables& environment);

// Runs an interpreter as invocation asks; returns its exit code.
int RunInvocation(const Invocation& invocation, Variables environment,
                  const std::string& full_command_line);

}  // namespace tarnvelock
