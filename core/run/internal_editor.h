// InternalEditor: the internal editor apart from its text box. Opening it
// takes the batch's lines out of the debugger (run state NoFile) and gives
// its Save commands the file commands' place; saving writes the edited text;
// leaving reloads the batch with its marks and gives the commands back. The
// front end shows the text, keeps its modified flag and asks whether to save
// before it leaves.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/document/document_controller.h"
#include "core/run/command_enabling.h"
#include "platform/io_status.h"

namespace tarnvelock {

inline constexpr std::wstring_view kInternalEditorStatus =
    L"Internal Editor     <F2>: save changes    <F3>: return to Run-Mode";
inline constexpr std::wstring_view kSaveQuestion = L"File changed. Save now?";

class InternalEditor {
 public:
  InternalEditor(DocumentController& document, CommandStates& commands);

  bool IsOpen() const { return open_; }

  // Opens the editor and returns the text to edit: the batch's lines joined
  // with line feeds, empty without a document.
  std::wstring Open();
  // Writes text to path: its lines split as a load splits them (a line break
  // at the very end adds no empty line), in the batch's code page, CR LF
  // after every line. A later Leave without a document opens that file.
  IoStatus Save(const std::wstring& path, std::wstring_view text);
  // Leaves the editor: the batch is loaded again from its own file.
  void Leave();

 private:
  DocumentController& document_;
  CommandStates& commands_;
  bool open_ = false;
  std::wstring saved_path_;
};

}  // namespace tarnvelock
