// The end-to-end fixture: every test gets a directory of its own that is
// also the temporary base of the debugger it starts, writes a batch and a
// command script there, runs tarnvelock-cli in JSON mode on them (the
// interpreter found the way a user's installation finds it), and reads the
// events back. After each test no interpreter of the test may still run.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/json_reader.h"
#include "tests/support/leftover_processes.h"
#include "tests/support/program_run.h"
#include "tests/support/temp_tree.h"

namespace tarnvelock::e2e {

// What one run of the debugger printed.
struct Session {
  int status = -1;
  std::vector<Json> events;
  std::string raw;

  // The events named event, in order.
  std::vector<Json> All(const std::string& event) const {
    std::vector<Json> found;
    for (const Json& e : events) {
      if (e["event"].text == event) found.push_back(e);
    }
    return found;
  }
  std::vector<Json> Stops() const { return All("stop"); }
  // The line of every stop, in order.
  std::vector<std::int64_t> StopLines() const {
    std::vector<std::int64_t> lines;
    for (const Json& stop : Stops()) lines.push_back(stop["line"].number);
    return lines;
  }
  // The batch's console output, one entry per line.
  // The console's lines; a line shown in parts is joined again.
  std::vector<std::string> Output() const {
    std::vector<std::string> lines;
    bool open = false;
    for (const Json& e : All("output")) {
      if (open) {
        lines.back() += e["text"].text;
      } else {
        lines.push_back(e["text"].text);
      }
      open = e["partial"].boolean;
    }
    return lines;
  }
  // The console output after the debugger's banner and start-up lines.
  std::vector<std::string> UserOutput() const {
    std::vector<std::string> lines = Output();
    size_t stars = 0, begin = 0;
    for (size_t i = 0; i < lines.size() && stars < 2; ++i) {
      if (lines[i].starts_with("*****")) {
        ++stars;
        begin = i + 2;  // the closing stars and the blank line after them
      }
    }
    // The default start-up command's line and the blank line after it.
    if (begin < lines.size() && lines[begin] == "No Startup-Command defined") begin += 2;
    lines.erase(lines.begin(),
                lines.begin() + static_cast<std::ptrdiff_t>(std::min(begin, lines.size())));
    return lines;
  }
  std::vector<std::string> Texts(const std::string& event) const {
    std::vector<std::string> texts;
    for (const Json& e : All(event)) texts.push_back(e["text"].text);
    return texts;
  }
  const Json& LastStop() const {
    static const Json kNone;
    const std::vector<Json>& all = events;
    for (auto e = all.rbegin(); e != all.rend(); ++e) {
      if ((*e)["event"].text == "stop") return *e;
    }
    return kNone;
  }
};

// The global entry of a stop for name ("NAME=value"), or "" when missing.
inline std::string Global(const Json& stop, const std::string& name) {
  for (const std::string& entry : stop["globals"].Texts()) {
    if (entry.starts_with(name + "=")) return entry;
  }
  return {};
}

inline bool Contains(const std::vector<std::string>& texts, const std::string& text) {
  for (const std::string& t : texts) {
    if (t == text) return true;
  }
  return false;
}

class E2eTest : public testing::Test {
 protected:
  void TearDown() override {
    const std::vector<SystemProcessId> left =
        test::InterpretersLeftRunning({tree_.path(), started_});
    for (SystemProcessId pid : left) EndProcess(pid);
    EXPECT_TRUE(left.empty()) << left.size() << " process(es) left running from " << dir_;
  }

  // Writes text into the test directory; with crlf every line ends in CR LF.
  std::string Write(const std::string& name, const std::string& text, bool crlf = true) {
    std::string bytes;
    for (char c : text) {
      if (c == '\r' && crlf) continue;  // a source already in CR LF
      if (c == '\n' && crlf) bytes += '\r';
      bytes += c;
    }
    const std::string path = dir_ + "/" + name;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  // Copies a batch of tests/e2e/batches into the test directory with CR LF
  // line ends; returns its name there.
  std::string Batch(const std::string& name) {
    std::ifstream in(std::string(TARNVELOCK_SOURCE_DIR) + "/tests/e2e/batches/" + name,
                     std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    Write(name, text.str());
    return name;
  }
  std::string Read(const std::string& name) const {
    std::ifstream in(dir_ + "/" + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  // What every program of a test runs with: the directory given, output
  // and error output together, no ComSpec (the interpreter is found beside
  // the debugger) and no runtime directory, so that the private base of a
  // debugger given TMPDIR lies in the test directory.
  static test::RunSettings Settings(const std::string& directory) {
    test::RunSettings settings;
    settings.directory = directory;
    settings.merge_stderr = true;
    settings.unset_environment = {"ComSpec", "XDG_RUNTIME_DIR"};
    return settings;
  }
  // As Settings, with the test directory as the debugger's temporary base.
  test::RunSettings DebuggerSettings(const std::string& directory) const {
    test::RunSettings settings = Settings(directory);
    settings.set_environment.push_back("TMPDIR=" + dir_);
    return settings;
  }

  // Debugs batch (a file in the test directory) with the commands of
  // script; extra goes on the command line before the batch.
  Session Debug(const std::string& batch, const std::string& script,
                const std::vector<std::string>& extra = {}) {
    Write("commands.txt", script, false);
    std::vector<std::string> arguments{"--json", "--poll-ms", "10",          "--timeout",
                                       "20",     "--script",  "commands.txt"};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    arguments.push_back(batch);
    return Run(TARNVELOCK_CLI, arguments, DebuggerSettings(dir_));
  }

  // Runs program to its end, keeping it among the programs whose
  // interpreters the test must not leave behind.
  Session Run(const std::string& program, const std::vector<std::string>& arguments,
              const test::RunSettings& settings) {
    test::RunningProgram running(program, arguments, settings);
    started_.push_back(running.id());
    return Parse(running.Finish());
  }

  // The events of a run's output.
  static Session Parse(const test::ProgramRun& run) {
    Session session;
    session.status = run.status;
    session.raw = run.output;
    std::istringstream lines(session.raw);
    for (std::string line; std::getline(lines, line);) {
      if (std::optional<Json> event = JsonReader::Parse(line)) session.events.push_back(*event);
    }
    return session;
  }

  test::TempTree tree_{"tarnvelock-e2e-"};
  const std::string dir_ = tree_.native();
  std::vector<SystemProcessId> started_;
};

}  // namespace tarnvelock::e2e
