// The analysis scan that runs at every load of a batch: it classifies each
// line, marks continuation lines, finds trailing REM comments and lines that
// may wait for input, collects the names of the variables the batch assigns
// and the entries of the navigation list, and rejects a batch that assigns a
// variable the debugger reserves for itself.
#pragma once

#include <string_view>

#include "core/document/debug_document.h"
#include "core/document/document_controller.h"
#include "core/document/user_view.h"
#include "core/instrument/line_scanner.h"

namespace tarnvelock {

// Scans doc.Items up to and including the sentinel line and fills the
// scanner's fields of doc.Records, doc.GlobalNames, doc.NavigationList and
// doc.ShiftGoto. Returns false, after telling view, when the batch assigns
// ERRORLEVEL or a "_dbg..." variable; the caller then unloads the document.
bool AnalyseLines(DebugDocument& doc, LineScanner& scanner, UserView& view);

// Adds to doc.GlobalNames the names that the SET commands of text assign.
void CollectSetNames(DebugDocument& doc, LineScanner& scanner, std::wstring_view text);

// The analysis a DocumentController runs at every load, done by scanner:
// AnalyseLines, then the names the start-up command sets.
LineAnalysis LoadAnalysisOf(LineScanner& scanner);

}  // namespace tarnvelock
