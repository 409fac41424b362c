// The start-up settings of a batch as the "Startup - Settings" dialog edits
// them - the start directory, the parameters and the start-up command -
// without the dialog: the check of a new directory, the histories of the
// directory and command boxes, and the "@" that silences the command.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/document/debug_document.h"
#include "platform/file_system.h"

namespace tarnvelock {

// The drop-down lists of the directory and command boxes, newest first. They
// live as long as the program, across batches, and are not saved.
struct StartupHistories {
  std::vector<std::wstring> Dir;
  std::vector<std::wstring> Cmd = {L"cls", L"echo off", L"echo %*"};
};

// What the person confirmed in the dialog.
struct StartupChoice {
  std::wstring Dir;
  std::wstring Parameters;
  std::wstring Command;
};

// What confirming changed; Message says why a directory was refused.
struct StartupOutcome {
  bool StartDirChanged = false;
  bool ParametersChanged = false;
  bool StartUpChanged = false;
  std::wstring Message;
};

// Takes each value that differs from doc's: a directory only when it exists,
// the parameters as they are, the command with its history. A refused
// directory leaves the other two to be taken all the same. A new directory
// or command is generated into the next run's batch, so the batch is marked
// for generation.
StartupOutcome ApplyStartupSettings(DebugDocument& doc, const FileSystem& fs,
                                    const StartupChoice& choice, StartupHistories& histories);

// The "@" button beside the command: usable for a command, down when the
// command begins with "@" (it does not echo itself).
struct CommandEchoButton {
  bool Enabled = false;
  bool Down = false;
};
CommandEchoButton EchoButtonFor(std::wstring_view command);

// The command after the "@" button went down (one "@" in front unless there
// is one) or up (every leading "@" removed).
std::wstring WithCommandEcho(std::wstring_view command, bool down);

// A chosen file as the parameter text: its name without the directory, in
// double quotes when a blank follows its first character.
std::wstring ParameterForFile(std::wstring_view path);

}  // namespace tarnvelock
