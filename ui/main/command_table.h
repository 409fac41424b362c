// The main window's commands as data: for each its object name, captions
// (toolbar/action and main menu), shortcut, hint, picture and check state,
// and the core command whose run-state enabling it follows. The menus and
// the toolbar list commands from this table in their fixed order.
#pragma once

#include <optional>
#include <span>

#include "core/run/command_enabling.h"

namespace tarnvelock {

enum class CommandId {
  FileNew,
  FileOpen,
  FileSave,
  FileSaveAs,
  FileClose,
  FileExit,
  EditCut,
  EditCopy,
  EditPaste,
  Editor,
  CallEditor,
  StartAddCommand,
  StartExecuteAll,
  StartExecuteLineF8,  // "One Line (follow Call)", F7
  StartExecuteLineF7,  // "One Line (skip call)", F8
  StartGotoLine,
  StartGotoLineIgnore,
  StartReset,
  StartBreakPoint,
  StartEditBreakPoint,
  GotoNextBreakPoint,
  StartIgnoreLine,
  LineNumbers,
  Settings,
  EchoOnOff,
  ShowPercent,
  ReplaceBlanks,
  HelpHelp,
  HelpCommandDirect,
  HelpCommand,
  HelpAbout,
  TrackFile,
  Parameters,
  FormatAnsi,
  EnableBreak,
  ReplaceToRem,
  StopOnErr,
  EnableProzent0,
};

struct CommandSpec {
  CommandId id;
  const char* name;         // the action's object name
  const char* caption;      // the action's own caption (UTF-8)
  const char* menuCaption;  // the main menu's caption; nullptr: the caption
  const char* shortcut;     // in QKeySequence's portable text; "" for none
  const char* hint;         // tooltip and status tip; "" for none
  const char* icon;         // resource name without ".svg"; nullptr: none
  bool checkable = false;
  bool checked = false;  // the designed check state
  std::optional<Command> core = std::nullopt;
};

std::span<const CommandSpec> CommandTable();
const CommandSpec& Spec(CommandId id);

// A main menu or the toolbar: commands in order; nullopt is a separator. The
// toolbar's parameter box follows "Startup-Settings".
struct MenuSpec {
  const char* caption;
  std::span<const std::optional<CommandId>> items;
};
std::span<const MenuSpec> MainMenuTable();
std::span<const std::optional<CommandId>> ToolBarTable();

}  // namespace tarnvelock
