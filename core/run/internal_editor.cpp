// The internal editor's round trip through the document.
#include "core/run/internal_editor.h"

#include "core/document/document_text.h"

namespace tarnvelock {

InternalEditor::InternalEditor(DocumentController& document, CommandStates& commands)
    : document_(document), commands_(commands) {}

std::wstring InternalEditor::Open() {
  const std::vector<std::wstring> lines = document_.BeginInternalEdit();
  open_ = true;
  saved_path_.clear();
  commands_.Apply(InternalEditorSet(true));
  std::wstring text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += L'\n';
    text += lines[i];
  }
  return text;
}

IoStatus InternalEditor::Save(const std::wstring& path, std::wstring_view text) {
  std::vector<std::wstring> lines;
  for (DocumentLine& line : SplitDocumentLines(text)) lines.push_back(std::move(line.text));
  lines.pop_back();  // the end-of-file line
  IoStatus status = document_.SaveEditorText(path, lines);
  if (status) saved_path_ = path;
  return status;
}

void InternalEditor::Leave() {
  open_ = false;
  commands_.Apply(InternalEditorSet(false));
  document_.EndInternalEdit(saved_path_);
}

}  // namespace tarnvelock
