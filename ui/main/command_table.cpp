// The command table of the main window and the order of its menus and toolbar.
#include "ui/main/command_table.h"

#include <array>
#include <stdexcept>

namespace tarnvelock {

namespace {

using C = CommandId;

const std::array<CommandSpec, 38> kCommands = {{
    {C::FileNew, "ActionFileNew", "&Neu", "&New", "", "Neu", "new", false, false,
     Command::ActionFileNew},
    {C::FileOpen, "ActionFileOpen", "Ö&ffnen", "&Open", "Ctrl+O", "Öffnen", "open", false, false,
     Command::ActionFileOpen},
    {C::FileSave, "ActionFileSave", "&Speichern", "&Save", "F2", "Speichern", "save", false, false,
     Command::ActionFileSave},
    {C::FileSaveAs, "ActionFileSaveAs", "Speichern &unter...", "Save &as ...", "", "Save as",
     nullptr, false, false, Command::ActionFileSaveAs},
    {C::FileClose, "ActionFileClose", "Schliessen", "Close", "Ctrl+Q", "File close", nullptr, false,
     false, Command::ActionFileClose},
    {C::FileExit, "ActionFileExit", "&Exit", nullptr, "Alt+F4", "Exit", nullptr},
    {C::EditCut, "ActionEditCut", "&Ausschneiden", "&Cut", "", "Cut", "cut"},
    {C::EditCopy, "ActionEditCopy", "&Kopieren", "&Copy", "", "Copy", "copy"},
    {C::EditPaste, "ActionEditPaste", "&Einfügen", "&Insert", "", "Insert", "paste"},
    {C::Editor, "ActionEditor", "&Internal Editor", nullptr, "F3", "", "editor"},
    {C::CallEditor, "ActionCallEditor", "&External  Editor", nullptr, "Ctrl+F3", "Call Editor",
     "editor", false, false, Command::ActionCallEditor},
    {C::StartAddCommand, "ActionStartAddCommand", "Add Command ...", nullptr, "Ctrl+A",
     "Command to be executed", nullptr, false, false, Command::ActionStartAddCommand},
    {C::StartExecuteAll, "ActionStartExecuteAll", "Execute", nullptr, "F9",
     "Execute until <eof> or BreakPoint", "execute", false, false, Command::ActionStartExecuteAll},
    {C::StartExecuteLineF8, "ActionStartExecuteLineF8", "One Line (follow Call)", nullptr, "F7",
     "Execute current line, follow call", "exec_arrow", false, false,
     Command::ActionStartExecuteLineF8},
    {C::StartExecuteLineF7, "ActionStartExecuteLineF7", "One Line (skip call)", nullptr, "F8",
     "Execute current line, skip call", "exec_arrow", false, false,
     Command::ActionStartExecuteLineF7},
    {C::StartGotoLine, "ActionStartGotoLine", "&Goto Line", nullptr, "F4",
     "Execute until current line", "goto_line", false, false, Command::ActionStartGotoLine},
    {C::StartGotoLineIgnore, "ActionStartGotoLineIgnore", "Goto &Line / ignore BPs", nullptr,
     "Ctrl+F4", "Execute until current line, disable BreakPoints", nullptr, false, false,
     Command::ActionStartGotoLine},
    {C::StartReset, "ActionStartReset", "&Reset", nullptr, "Ctrl+F2", "Reset", nullptr, false,
     false, Command::ActionStartReset},
    {C::StartBreakPoint, "ActionStartBreakPoint", "&BreakPoint on/off", nullptr, "F5",
     "BreakPoint on/off", "breakpoint", false, false, Command::ActionStartBreakPoint},
    {C::StartEditBreakPoint, "ActionStartEditBreakPoint", "BreakPoint &Edit ...", nullptr,
     "Ctrl+F5", "Edit BreakPoint Properties", "cond_breakpoint", false, false,
     Command::ActionStartEditBreakPoint},
    {C::GotoNextBreakPoint, "ActionGotoNextBreakPoint", "", nullptr, "Shift+F5", "", nullptr},
    {C::StartIgnoreLine, "ActionStartIgnoreLine", "Line &ignore on/off", nullptr, "F6",
     "Line ignore on/off", "ignore", false, false, Command::ActionStartIgnoreLine},
    {C::LineNumbers, "ActionBearbeitenLineNumbers", "Show LineNumbers", nullptr, "F11",
     "Show LineNumbers", "line_numbers", true, false, Command::ActionBearbeitenLineNumbers},
    {C::Settings, "ActionSettings", "Startup-Settings", nullptr, "F10", "Start-Settings",
     "settings", false, false, Command::ActionSettings},
    {C::EchoOnOff, "ActionSettingsEchoOnOff", "echo on", nullptr, "F12",
     "Status/Toggle Echo on/off", "echo", true, false},
    {C::ShowPercent, "ActionSettingsShowPercent", "Show &Percent", nullptr, "Shift+F11",
     "Show \"%\"and \"!\" around Variablenames", "percent", true, false},
    {C::ReplaceBlanks, "ActionSettingsReplaceBlanks", "Show &Blanks", nullptr, "Ctrl+F11",
     "Show Blanks in Vars as printable Character", "blanks", true, true},
    {C::HelpHelp, "ActionHelpHelp", "&Help", nullptr, "F1", "Show Helpfile", "help"},
    {C::HelpCommandDirect, "ActionHelpCommandDirect", "&Actual command", nullptr, "Ctrl+F1",
     "Help for Batch-Command in actual line", nullptr},
    {C::HelpCommand, "ActionHelpCommand", "&Command...", nullptr, "Shift+F1",
     "Show System-Help for Batch-Commands", nullptr},
    {C::HelpAbout, "ActionHelpAbout", "&Info", nullptr, "Alt+F1", "About", nullptr},
    {C::TrackFile, "MainMenuItemTrackFile", "Track File ...", nullptr, "Ctrl+T", "", nullptr},
    {C::Parameters, "MenuItemParameters", "Edit Parameter", nullptr, "Ctrl+P", "", nullptr},
    {C::FormatAnsi, "MenuItemSettingsFormatAnsi", "SourceFormat Ansi", nullptr, "", "", nullptr,
     true, false},
    {C::EnableBreak, "MenuItemSettingsEnableBreak", "Enable Break", nullptr, "", "", nullptr, true,
     false, Command::MenuItemSettingsEnableBreak},
    {C::ReplaceToRem, "MenuItemSettingsReplaceToRem", "Replace \"::\" to \"REM\"", nullptr, "", "",
     nullptr, true, false, Command::MenuItemSettingsReplaceToRem},
    {C::StopOnErr, "MenuItemSettingsStopOnErr", "Stop on Error", nullptr, "", "", nullptr, true,
     true, Command::MenuItemSettingsStopOnErr},
    {C::EnableProzent0, "MenuItemSettingsEnableProzent0", "Enable %0", nullptr, "", "", nullptr,
     true, false, Command::MenuItemSettingsEnableProzent0},
}};

constexpr std::optional<CommandId> kSeparator = std::nullopt;

const std::array<std::optional<CommandId>, 7> kFileMenu = {
    C::FileNew, C::FileOpen, C::FileSave, C::FileSaveAs, C::FileClose, kSeparator, C::FileExit};
const std::array<std::optional<CommandId>, 6> kEditMenu = {C::EditCut, C::EditCopy, C::EditPaste,
                                                           kSeparator, C::Editor,   C::CallEditor};
const std::array<std::optional<CommandId>, 12> kExecuteMenu = {
    C::StartAddCommand, C::TrackFile,           kSeparator,
    C::StartExecuteAll, C::StartExecuteLineF8,  C::StartExecuteLineF7,
    C::StartGotoLine,   C::StartGotoLineIgnore, C::StartReset,
    kSeparator,         C::StartBreakPoint,     C::StartIgnoreLine};
const std::array<std::optional<CommandId>, 11> kSettingsMenu = {
    C::Settings,  C::Parameters,     kSeparator, C::FormatAnsi,    C::EnableBreak, C::ReplaceToRem,
    C::StopOnErr, C::EnableProzent0, kSeparator, C::ReplaceBlanks, C::ShowPercent};
const std::array<std::optional<CommandId>, 5> kHelpMenu = {C::HelpCommandDirect, C::HelpCommand,
                                                           kSeparator, C::HelpHelp, C::HelpAbout};

const std::array<MenuSpec, 5> kMenus = {{
    {"&File", kFileMenu},
    {"&Edit", kEditMenu},
    {"E&xecute", kExecuteMenu},
    {"Settings", kSettingsMenu},
    {"&Help", kHelpMenu},
}};

const std::array<std::optional<CommandId>, 22> kToolBar = {C::FileNew,       C::FileOpen,
                                                           C::FileSave,      kSeparator,
                                                           C::EditCut,       C::EditCopy,
                                                           C::EditPaste,     C::LineNumbers,
                                                           kSeparator,       C::Settings,
                                                           kSeparator,       C::StartBreakPoint,
                                                           kSeparator,       C::StartExecuteLineF8,
                                                           C::StartGotoLine, C::StartExecuteAll,
                                                           kSeparator,       C::ShowPercent,
                                                           C::ReplaceBlanks, kSeparator,
                                                           C::EchoOnOff,     C::HelpHelp};

}  // namespace

std::span<const CommandSpec> CommandTable() {
  return kCommands;
}

const CommandSpec& Spec(CommandId id) {
  for (const CommandSpec& spec : kCommands) {
    if (spec.id == id) return spec;
  }
  throw std::logic_error("command missing from the table");
}

std::span<const MenuSpec> MainMenuTable() {
  return kMenus;
}
std::span<const std::optional<CommandId>> ToolBarTable() {
  return kToolBar;
}

}  // namespace tarnvelock
