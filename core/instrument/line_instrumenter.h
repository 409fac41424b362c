// LineInstrumenter: rewrites every line of the loaded batch for a debug run.
// Each command line gets a hook in front that calls the runtime's stop check
// only when a stop may be due; blocks, FOR bodies, CALL, GOTO, SHIFT,
// SETLOCAL and ENDLOCAL get the bookkeeping the runtime relies on. The result
// is the per-line section that the instrumented batch's layout wraps.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/document/debug_document.h"
#include "core/document/user_view.h"
#include "core/instrument/batch_refs.h"
#include "core/instrument/line_scanner.h"
#include "core/instrument/per_line_result.h"

namespace tarnvelock {

// What the rewriting depends on besides the document.
struct PerLineSettings {
  bool EnableBreak = false;   // "Enable Break": a hook also tests for the user-break file
  bool LogLines = false;      // "Log Line numbers": every executed line logs its index
  bool ReplaceToRem = false;  // Replace "::" to "REM"
  // How the batch names the exchange files it writes before a stop.
  BatchRefs Refs;
};

// The settings for a run of doc: its Enable Break and Log Line numbers
// options (which the runtime text reads from the document too), the
// application's Replace "::" to "REM" and the exchange-file references.
PerLineSettings PerLineSettingsOf(const DebugDocument& doc, bool replace_to_rem,
                                  const BatchRefs& refs);

class LineInstrumenter {
 public:
  // view receives the message about a disabling SETLOCAL.
  LineInstrumenter(LineScanner& scanner, UserView& view) : scanner_(scanner), view_(view) {}

  // Walks doc's lines up to the sentinel and returns the per-line section.
  // Writes Klammer of every logical line's head; with ReplaceToRem it also
  // rewrites "::" comments in doc.Items, and it empties a lone ":" that
  // follows a label.
  PerLineResult GeneratePerLineSection(DebugDocument& doc, const PerLineSettings& settings);

  // The message about a disabling SETLOCAL is shown once per loaded
  // document; the loader calls this after every load.
  void ClearDisableWarned() { disable_warned_ = false; }

 private:
  LineScanner& scanner_;
  UserView& view_;
  bool disable_warned_ = false;
};

}  // namespace tarnvelock
