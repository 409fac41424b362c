// The analysis view of tarnvelock-cli: what the debugger sees in a loaded
// batch - the kind of every line, continuations, PAUSE-like lines, trailing
// REMs, the watched global names and the navigation list.
#pragma once

#include <string>

#include "core/document/debug_document.h"

namespace tarnvelock {

// Readable rows, one per line, then the global names and the navigation list.
std::wstring AnalysisText(const DebugDocument& doc);
// The same as one JSON object on one line (without a line break).
std::string AnalysisJson(const DebugDocument& doc);

// The name of a line kind as the code spells it ("remNoRem", ...).
const wchar_t* RemZeileName(tRemZeile kind);

}  // namespace tarnvelock
