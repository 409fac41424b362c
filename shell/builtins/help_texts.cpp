// The help texts of the internal commands.
#include "shell/builtins/help_texts.h"

#include <array>

#include "shell/text.h"

namespace tarnvelock {

namespace {

struct HelpEntry {
  std::string_view name;
  std::string_view summary;
  std::string_view text;
};

constexpr std::array<HelpEntry, 42> kHelp{{
    {"BREAK", "Does nothing; kept for old batch files.",
     "Kept for old batch files; it changes nothing.\n\nBREAK [ON | OFF]\n"},
    {"CALL", "Runs a label of this batch or another batch file and comes back.",
     "Runs a label of the running batch file as a subroutine, or another batch\n"
     "file or program, and continues after the CALL when it ends.\n\n"
     "CALL :label [arguments]\nCALL [drive:][path]file [arguments]\n\n"
     "In the subroutine %0 is the label and %1 ... %9, %* its arguments.\n"
     "GOTO :EOF or EXIT /B ends it. The text after CALL is expanded a second\n"
     "time, so %%VAR%% there gives the value of VAR.\n"},
    {"CD", "Shows or changes the current directory.",
     "Shows the current directory or changes to another one.\n\n"
     "CD [/D] [path]\nCD ..\n\n"
     "  /D    accepted for compatibility; there are no drives to change.\n"
     "Without a path CD shows the current directory.\n"},
    {"CHCP", "Shows or sets the active code page.",
     "Shows or sets the number of the active code page.\n\nCHCP [number]\n\n"
     "Text passes through this interpreter unchanged in every code page.\n"},
    {"CHDIR", "Shows or changes the current directory.", "Same as CD.\n\nCHDIR [/D] [path]\n"},
    {"CLS", "Clears the screen.", "Clears the screen.\n\nCLS\n"},
    {"CMD", "Starts a new command interpreter.",
     "Starts a new instance of the command interpreter.\n\n"
     "CMD [/Q] [/D] [/E:ON | /E:OFF] [/V:ON | /V:OFF] [[/S] [/C | /K] command]\n\n"
     "  /C      runs the command and ends.\n"
     "  /K      runs the command and stays.\n"
     "  /S      always removes the first and last quote of the command.\n"
     "  /Q      turns echo off.\n"
     "  /D      accepted; there is no AutoRun to skip.\n"
     "  /E:ON   enables command extensions (the default); /E:OFF disables them.\n"
     "  /V:ON   enables delayed expansion with !VAR!; /V:OFF disables it.\n"},
    {"COLOR", "Sets the console colours.",
     "Sets the foreground and background colours of the console.\n\nCOLOR [bf]\n\n"
     "b and f are hexadecimal digits: 0 black, 1 blue, 2 green, 3 aqua, 4 red,\n"
     "5 purple, 6 yellow, 7 white, 8 gray, 9-F their light forms.\n"
     "Without an argument the colours are reset.\n"},
    {"COPY", "Copies files.",
     "Copies one or more files, or joins several into one.\n\n"
     "COPY [/Y | /-Y] [/A | /B] source [+ source [+ ...]] [destination]\n\n"
     "Wildcards select several files; a destination directory keeps the names.\n"
     "Existing files are overwritten without a question.\n"},
    {"DATE", "Shows the date.",
     "Shows the date.\n\nDATE [/T]\n\n"
     "  /T  only the date. Without it DATE asks for a new date, which cannot be set here.\n"},
    {"DEL", "Deletes files.",
     "Deletes one or more files.\n\nDEL [/P] [/F] [/S] [/Q] names\n\n"
     "  names  files or wildcard patterns; a directory means all its files.\n"
     "  /S     deletes matching files in all subdirectories too.\n"
     "  /Q     does not ask before deleting all files of a directory.\n"
     "  /F     deletes read-only files as well.\n"},
    {"DIR", "Lists files and directories.",
     "Lists the files and subdirectories of a directory.\n\n"
     "DIR [/B] [/S] [/A:D | /A:-D] [path][pattern]\n\n"
     "  /B    names only.\n"
     "  /S    the subdirectories as well (with /B: full paths).\n"
     "  /A:D  only directories; /A:-D only files.\n"},
    {"ECHO", "Shows text, or turns command echoing on or off.",
     "Shows a message, or turns the echoing of commands on or off.\n\n"
     "ECHO [ON | OFF]\nECHO [message]\nECHO.\n\n"
     "Without an argument ECHO shows whether echoing is on. ECHO. or ECHO:\n"
     "writes an empty line.\n"},
    {"ENDLOCAL", "Ends the last SETLOCAL of the batch.",
     "Ends the variable scope of the last SETLOCAL in this batch context and\n"
     "restores the variables, the current directory and the expansion settings.\n\n"
     "ENDLOCAL\n\nA batch context ends its open scopes when it ends.\n"},
    {"ERASE", "Deletes files.", "Same as DEL.\n\nERASE [/P] [/F] [/S] [/Q] names\n"},
    {"EXIT", "Ends the interpreter or the batch.",
     "Ends the command interpreter, or the running batch file.\n\n"
     "EXIT [/B] [exitCode]\n\n"
     "  /B        ends only the running batch file or subroutine.\n"
     "  exitCode  the ERRORLEVEL (with /B) or the process exit code.\n"},
    {"FOR", "Runs a command for each item of a set.",
     "Runs a command for each file, string, number or line.\n\n"
     "FOR %variable IN (set) DO command\n"
     "FOR /D %variable IN (set) DO command        directories\n"
     "FOR /R [path] %variable IN (set) DO command  the tree below path\n"
     "FOR /L %variable IN (start,step,end) DO command\n"
     "FOR /F [\"options\"] %variable IN (file | \"string\" | 'command') DO command\n\n"
     "In a batch file write %%variable. FOR /F options: eol=c skip=n delims=xxx\n"
     "tokens=x,y,m-n[*] usebackq. Modifiers such as %~fI, %~dpI, %~nxI, %~zI\n"
     "take parts of a path.\n"},
    {"GOTO", "Jumps to a label of the batch.",
     "Continues the batch file at the line after a label.\n\nGOTO label\nGOTO :EOF\n\n"
     "The label is searched from the current line to the end and then from the\n"
     "top. GOTO :EOF ends the batch file or subroutine.\n"},
    {"HELP", "Shows help for the internal commands.",
     "Shows help for the internal commands.\n\nHELP [command]\n\n"
     "command /? shows the same text.\n"},
    {"IF", "Runs a command when a condition holds.",
     "Runs a command when a condition holds.\n\n"
     "IF [NOT] ERRORLEVEL number command\n"
     "IF [/I] [NOT] string1==string2 command\n"
     "IF [NOT] EXIST filename command\n"
     "IF [NOT] DEFINED variable command\n"
     "IF CMDEXTVERSION number command\n"
     "IF [/I] string1 op string2 command    op: EQU NEQ LSS LEQ GTR GEQ\n\n"
     "/I compares without case. Numbers compare as numbers. After a bracketed\n"
     "command ELSE may follow: IF cond (command) ELSE (command)\n"},
    {"MD", "Creates a directory.",
     "Creates a directory, with any missing parent directories.\n\nMD path\n"},
    {"MKDIR", "Creates a directory.", "Same as MD.\n\nMKDIR path\n"},
    {"MOVE", "Moves files and renames directories.",
     "Moves files or renames files and directories.\n\n"
     "MOVE [/Y | /-Y] source destination\n"},
    {"PATH", "Shows or sets the program search path.",
     "Shows or sets the search path for programs and batch files.\n\n"
     "PATH [directories]\nPATH ;\n\nPATH ; clears the search path.\n"},
    {"PAUSE", "Waits for a key.",
     "Waits for a key press after showing \"Press any key to continue . . . \".\n\nPAUSE\n"},
    {"POPD", "Returns to the directory saved by PUSHD.",
     "Changes back to the directory that the last PUSHD saved.\n\nPOPD\n"},
    {"PROMPT", "Sets the command prompt.",
     "Changes the command prompt.\n\nPROMPT [text]\n\n"
     "  $P current directory  $G >  $L <  $B |  $Q =  $$ $  $_ line break\n"
     "  $T time  $D date  $S blank  $A &  $C (  $F )  $+ PUSHD depth\n"},
    {"PUSHD", "Saves the current directory and changes it.",
     "Saves the current directory for POPD and changes to another.\n\nPUSHD [path]\n"},
    {"RD", "Removes a directory.",
     "Removes a directory.\n\nRD [/S] [/Q] path\n\n"
     "  /S  removes the directory with everything in it.\n"
     "  /Q  does not ask first.\n"},
    {"REM", "Marks a comment.", "Marks a comment in a batch file.\n\nREM [comment]\n"},
    {"REN", "Renames files.",
     "Renames a file or files.\n\nREN [drive:][path]name newname\n\n"
     "The new name has no path; * and ? in it keep parts of the old name.\n"},
    {"RENAME", "Renames files.", "Same as REN.\n\nRENAME [drive:][path]name newname\n"},
    {"RMDIR", "Removes a directory.", "Same as RD.\n\nRMDIR [/S] [/Q] path\n"},
    {"SET", "Shows, sets or removes variables.",
     "Shows, sets or removes environment variables.\n\n"
     "SET [variable=[string]]\nSET \"variable=string\"\nSET prefix\n"
     "SET /A expression\nSET /P variable=[promptString]\n\n"
     "SET /A knows ( ) ! ~ - * / % + - << >> & ^ | = *= /= %= += -= &= ^= |=\n"
     "<<= >>= and the comma; numbers may be decimal, 0x hexadecimal or 0 octal.\n"
     "SET /P reads a line from standard input.\n"
     "%VAR:~start,length% takes part of a value, %VAR:old=new% replaces text.\n"},
    {"SETLOCAL", "Starts a local variable scope.",
     "Starts a scope of environment changes that ENDLOCAL undoes.\n\n"
     "SETLOCAL [ENABLEEXTENSIONS | DISABLEEXTENSIONS]\n"
     "         [ENABLEDELAYEDEXPANSION | DISABLEDELAYEDEXPANSION]\n"},
    {"SHIFT", "Shifts the batch parameters.",
     "Moves the batch parameters down by one position.\n\nSHIFT [/n]\n\n"
     "With /n the shift starts at %n; %* does not change.\n"},
    {"START", "Runs a command separately.",
     "Runs a command or program in an interpreter of its own.\n\n"
     "START [\"title\"] [/D path] [/WAIT] [command [parameters]]\n"},
    {"TIME", "Shows the time.",
     "Shows the time.\n\nTIME [/T]\n\n"
     "  /T  only hours and minutes. Without it TIME asks for a new time, which cannot be\n"
     "      set here.\n"},
    {"TITLE", "Sets the window title.", "Sets the title of the window.\n\nTITLE [string]\n"},
    {"TYPE", "Shows the contents of files.",
     "Writes the contents of text files to standard output.\n\nTYPE filename\n"},
    {"VER", "Shows the version.", "Shows the version of the command interpreter.\n\nVER\n"},
    {"VERIFY", "Shows or sets write verification.",
     "Shows or sets whether writes are verified (always off here).\n\nVERIFY [ON | OFF]\n\n"
     "VERIFY sets ERRORLEVEL 0, or 1 for a wrong argument.\n"},
}};

const HelpEntry* Find(std::string_view command) {
  for (const HelpEntry& entry : kHelp) {
    if (EqualsIgnoreCase(entry.name, command)) return &entry;
  }
  return nullptr;
}

std::string WithCrLf(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

}  // namespace

bool HasHelpText(std::string_view command) {
  return Find(command) != nullptr;
}

std::string HelpText(std::string_view command) {
  const HelpEntry* entry = Find(command);
  return entry == nullptr ? std::string() : WithCrLf(entry->text);
}

std::string HelpOverview() {
  std::string out = "For more information on a command, type HELP command-name\n";
  for (const HelpEntry& entry : kHelp) {
    std::string name(entry.name);
    name.resize(12, ' ');
    out += name;
    out += entry.summary;
    out += '\n';
  }
  return WithCrLf(out);
}

}  // namespace tarnvelock
