// Helpers for the instrumentation tests: a UserView that records what it is
// told, and a document built from a list of lines.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/document/debug_document.h"
#include "core/document/null_document_view.h"

namespace tarnvelock {

class RecordingView : public NullDocumentView {
 public:
  void ShowMessage(const std::wstring& text) override { messages.push_back(text); }
  bool Confirm(const std::wstring& question) override {
    messages.push_back(question);
    return confirm_reply;
  }

  std::vector<std::wstring> messages;
  bool confirm_reply = true;
};

// Puts lines, the sentinel and fresh records into doc, as the loader does.
inline void LoadLines(DebugDocument& doc, const std::vector<std::wstring>& lines) {
  doc.Items.clear();
  for (const std::wstring& line : lines) doc.Items.push_back({line, LineHash(line)});
  doc.Items.push_back({std::wstring(kEndOfFileLine), LineHash(kEndOfFileLine)});
  doc.Records.assign(doc.Items.size(), LineRecord{});
  doc.MaxCurZeile = static_cast<std::int32_t>(lines.size());
}

}  // namespace tarnvelock
