// The per-batch settings file (the batch's path + ".ini"): the line marks the
// user set, the start settings, the per-batch options and the pane sizes,
// kept from one opening of the batch to the next. Read when a new document is
// loaded, written afresh when it is closed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/document/debug_document.h"
#include "core/document/ini_file.h"
#include "platform/file_system.h"
#include "platform/io_status.h"

namespace tarnvelock {

// The file's content for doc, every section and key in the order the file
// has always had. Lines 0 to MaxCurZeile - 1 are covered; the sentinel never.
IniFile BatchSettingsIni(const DebugDocument& doc);

// Writes doc.IniPath afresh.
IoStatus WriteBatchSettings(FileSystem& fs, const DebugDocument& doc);

// Whether the batch's text is stored in the ANSI code page: needed before the
// text is read, so before the rest of the file is applied.
bool StoredFormatAnsi(const IniFile& ini);

// A stored breakpoint condition that fails the condition test: the
// breakpoint is kept without it.
struct DroppedCondition {
  std::int32_t Line = 0;
  std::wstring Condition;
  std::wstring Problem;
};

// Sets doc's line records, per-batch values and options from ini. doc.Items,
// zeroed records and StartDir = BatchDir must be in place. Missing or bad
// values give the defaults; a pane size that is missing keeps its current
// value; marks for lines outside the document are dropped, as are stored
// conditions that cannot follow a batch IF (listed in dropped when given).
// fs tells whether the stored start directory still exists. Returns true when
// breakpoints were read (the run commands must send the breakpoint list
// again).
bool ApplyBatchSettings(const IniFile& ini, const FileSystem& fs,
                        const std::wstring& default_startup, DebugDocument& doc,
                        std::vector<DroppedCondition>* dropped = nullptr);

// The one message that tells the user which stored conditions were dropped.
std::wstring DroppedConditionsMessage(const std::vector<DroppedCondition>& dropped);

// Keeps stored pane sizes inside the main window: each panel width at most a
// quarter of client_width, the global pane at most four fifths of the height
// of the variables panel.
void LimitPaneSizes(BatchOptions& options, int client_width, int variables_height);

}  // namespace tarnvelock
