// RelocateRecords: when a batch is reloaded after a change outside the
// debugger, carries the marks of the old lines over to the new text. Lines in
// the common prefix and suffix keep their marks (the suffix shifted by the
// change in length); a marked line inside the edited region follows the new
// line whose seven-line window matches its own best.
#pragma once

#include <vector>

#include "core/document/debug_document.h"

namespace tarnvelock {

// old_items and new_items hold their lines followed by the sentinel, with
// their hashes; new_records has one (freshly zeroed) record per new item.
// Every old record with a user attribute is copied onto its new line or
// dropped when no line matches well enough.
void RelocateRecords(const std::vector<DocumentLine>& old_items,
                     const std::vector<LineRecord>& old_records,
                     const std::vector<DocumentLine>& new_items,
                     std::vector<LineRecord>& new_records);

}  // namespace tarnvelock
