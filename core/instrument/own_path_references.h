// Whether a batch refers to its own file (%0, %~f0, %~dp0, %~nx0 ...). Under
// the debugger such a reference names the instrumented copy in the temporary
// directory, unless the %0 mode ("Enable %0") runs the batch where it lies;
// a batch that reads files beside itself then fails, so the person is told.
#pragma once

#include <string_view>

#include "core/document/debug_document.h"

namespace tarnvelock {

// The note shown at load for such a batch.
inline constexpr std::wstring_view kOwnPathHintText =
    L"The batch refers to its own path (%0, %~dp0 ...), which under the debugger is the "
    L"temporary directory; switch on \"Enable %0\" to run it where it lies.";

// True when a command line (not a REM, label or empty line) of the document
// holds a reference to parameter 0, with or without modifiers.
bool RefersToOwnPath(const DebugDocument& document);

// True when text holds "%0" or "%~" + modifiers + "0" that is not a FOR
// variable's "%%".
bool HasOwnPathReference(std::wstring_view text);

}  // namespace tarnvelock
