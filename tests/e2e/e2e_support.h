// The end-to-end fixture: every test gets a directory of its own that is
// also the temporary base of the debugger it starts, writes a batch and a
// command script there, runs tarnvelock-cli in JSON mode on them (the
// interpreter found the way a user's installation finds it), and reads the
// events back. After each test no process may still run from its
// directory.
#pragma once

#include <dirent.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/json_reader.h"

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
  void SetUp() override {
    char pattern[] = "/tmp/tarnvelock-e2e-XXXXXX";
    dir_ = ::mkdtemp(pattern);
    // The debugger's private base is then the test directory's own.
    ::unsetenv("XDG_RUNTIME_DIR");
  }

  void TearDown() override {
    const std::vector<int> left = ProcessesUnder(dir_);
    for (int pid : left) ::kill(pid, SIGKILL);
    EXPECT_TRUE(left.empty()) << left.size() << " process(es) left running from " << dir_;
    std::filesystem::remove_all(dir_);
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

  // Debugs batch (a file in the test directory) with the commands of
  // script; extra goes on the command line before the batch.
  Session Debug(const std::string& batch, const std::string& script,
                const std::string& extra = "") {
    Write("commands.txt", script, false);
    return RunShell("cd '" + dir_ + "' && env -u ComSpec TMPDIR='" + dir_ + "' '" + TARNVELOCK_CLI +
                    "' --json --poll-ms 10 --timeout 20 --script commands.txt " + extra + " '" +
                    batch + "' </dev/null 2>&1");
  }

  // Runs batch directly under the interpreter; its output and status.
  Session Direct(const std::string& batch, const std::string& parameters = "") {
    return RunShell("cd '" + dir_ + "' && env -u ComSpec '" + std::string(TARNVELOCK_CMD) +
                    "' /c '" + batch + "' " + parameters + " </dev/null 2>&1");
  }

  static Session RunShell(const std::string& command) {
    Session session;
    FILE* pipe = ::popen(command.c_str(), "r");
    char buffer[4096];
    for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
      session.raw.append(buffer, got);
    }
    const int status = ::pclose(pipe);
    session.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::istringstream lines(session.raw);
    for (std::string line; std::getline(lines, line);) {
      if (std::optional<Json> event = JsonReader::Parse(line)) session.events.push_back(*event);
    }
    return session;
  }

  // The processes whose command line mentions path.
  static std::vector<int> ProcessesUnder(const std::string& path) {
    std::vector<int> found;
    DIR* proc = ::opendir("/proc");
    if (proc == nullptr) return found;
    while (const dirent* entry = ::readdir(proc)) {
      const int pid = std::atoi(entry->d_name);
      if (pid <= 0 || pid == ::getpid()) continue;
      std::ifstream in(std::string("/proc/") + entry->d_name + "/cmdline", std::ios::binary);
      std::stringstream text;
      text << in.rdbuf();
      if (text.str().find(path) != std::string::npos) found.push_back(pid);
    }
    ::closedir(proc);
    return found;
  }

  std::string dir_;
};

}  // namespace tarnvelock::e2e
