// BatchOptions: the per-batch check items of the Settings menu and the other
// values the per-batch settings file keeps besides the line records. Front
// ends show them; instrumentation and run control read them.
#pragma once

#include <string>
#include <vector>

namespace tarnvelock {

struct BatchOptions {
  bool Prozent0 = false;     // "Enable %0"
  bool StopOnErr = true;     // "Stop on Error"
  bool FormatAnsi = false;   // "SourceFormat Ansi"
  bool EnableBreak = false;  // "Enable Break"
  bool EchoOn = false;       // "echo on"

  // Event-log options.
  bool LogCalls = true;      // "Log Calls"
  bool LogReturns = false;   // "   ... and Returns"
  bool LogLines = false;     // "Log Line numbers"
  bool LogLinesShow = true;  // "   ... and show them"
  bool LogAdds = true;       // "Log added commands"

  // The parameters box: its text and its history, newest first.
  std::wstring Parameters;
  std::vector<std::wstring> ParameterHistory;

  // Pane sizes in pixels; 0 = the front end's own default.
  int VarWidth = 0;
  int LogWidth = 0;
  int GlobalHeight = 0;
};

}  // namespace tarnvelock
