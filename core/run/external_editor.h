// The external editor: its command line built from the Editor template and
// its start through the launcher. The changed file is picked up afterwards
// by the document's outside-change check when the debugger is activated.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/document/user_view.h"

namespace tarnvelock {

class Launcher;

// The file the editor is started on and the 0-based cursor line.
struct EditorTarget {
  std::wstring Path;  // the file that holds the user's text (SourcePath)
  std::int32_t Line = 0;
};

// The command line: every "%n" of editor_template becomes the target's path in
// double quotes, every "%z" the cursor line + 1 (both case-sensitive, replaced
// in one pass, so a path that contains "%z" stays as it is). Without a target
// the command is the part before the first "%n" less the one character before
// it, which starts the editor with no file; empty when there is no "%n".
std::wstring ExternalEditorCommand(std::wstring_view editor_template,
                                   const std::optional<EditorTarget>& target);

// Starts the editor; when that fails (the launcher has said why) the command
// is shown as well.
void ActionCallEditorExecute(Launcher& launcher, UserView& view, std::wstring_view editor_template,
                             const std::optional<EditorTarget>& target);

}  // namespace tarnvelock
