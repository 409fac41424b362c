// Runs the behaviour suite: every case of cases/*.txt is a batch file run with
// "tarnvelock-cmd /c" in a fresh directory, compared byte for byte with the
// output the Windows interpreter gives for it.
//
// Case file format (lines):
//   === name                 starts a case
//   --- batch [NAME]         the batch (default test.bat); lines get CR LF
//   --- file NAME            another file of the case, written with CR LF
//   --- args                 one line: the arguments after the batch name
//   --- stdin                standard input, as is (LF line ends)
//   --- stdout / --- stderr  expected output; LF becomes CR LF, {DIR} is the
//                            case directory
//   --- exit                 the expected exit code (compared modulo 256)
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/program_run.h"
#include "tests/support/temp_tree.h"

namespace {

namespace fs = std::filesystem;

struct BehaviourCase {
  std::string group;
  std::string name;
  std::map<std::string, std::string> files;  // name -> content (LF)
  std::string batch_name = "test.bat";
  std::string args;
  std::string stdin_text;
  std::string expected_out;
  std::string expected_err;
  int expected_exit = 0;
};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string ToCrLf(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = text.find(from); at != std::string::npos;
       at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

std::vector<BehaviourCase> LoadCases() {
  std::vector<BehaviourCase> cases;
  fs::path folder = fs::path(TARNVELOCK_SOURCE_DIR) / "tests/shell/cases";
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(folder)) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  for (const fs::path& file : files) {
    std::istringstream in(ReadFile(file));
    std::string line;
    std::string* target = nullptr;
    std::string section;
    while (std::getline(in, line)) {
      if (line.rfind("=== ", 0) == 0) {
        cases.push_back({});
        cases.back().group = file.stem().string();
        cases.back().name = line.substr(4);
        target = nullptr;
        continue;
      }
      if (cases.empty()) continue;
      BehaviourCase& current = cases.back();
      if (line.rfind("--- ", 0) == 0) {
        std::istringstream words(line.substr(4));
        std::string kind, name;
        words >> kind >> name;
        section = kind;
        if (kind == "batch") {
          if (!name.empty()) current.batch_name = name;
          target = &current.files[current.batch_name];
        } else if (kind == "file") {
          target = &current.files[name];
        } else if (kind == "args") {
          target = &current.args;
        } else if (kind == "stdin") {
          target = &current.stdin_text;
        } else if (kind == "stdout") {
          target = &current.expected_out;
        } else if (kind == "stderr") {
          target = &current.expected_err;
        } else {
          target = nullptr;
        }
        continue;
      }
      if (section == "exit") {
        if (line.empty()) continue;
        current.expected_exit = std::stoi(line);
      } else if (section == "args") {
        current.args = line;
      } else if (target != nullptr) {
        *target += line + "\n";
      }
    }
  }
  return cases;
}

void PrintTo(const BehaviourCase& test, std::ostream* out) {
  *out << test.group << ": " << test.name;
}

struct RunResult {
  std::string out;
  std::string err;
  int exit = -1;
};

RunResult RunCase(const fs::path& directory, const BehaviourCase& test) {
  fs::path out_file = directory / ".stdout";
  fs::path err_file = directory / ".stderr";
  fs::path in_file = directory / ".stdin";
  std::ofstream(in_file, std::ios::binary) << test.stdin_text;
  tarnvelock::test::RunSettings settings;
  settings.directory = directory.string();
  settings.input_file = in_file.string();
  settings.output_file = out_file.string();
  settings.error_file = err_file.string();
  const std::string command = test.batch_name + (test.args.empty() ? "" : " " + test.args);
  RunResult result;
  result.exit = tarnvelock::test::RunProgram(SHELL_PROGRAM, {"/c", command}, settings).status;
  result.out = ReadFile(out_file);
  result.err = ReadFile(err_file);
  return result;
}

class BehaviourTest : public testing::TestWithParam<BehaviourCase> {};

TEST_P(BehaviourTest, MatchesWindowsInterpreter) {
  const BehaviourCase& test = GetParam();
  const tarnvelock::test::TempTree tree("tarnvelock-behaviour-" + test.group + "-");
  const fs::path& directory = tree.path();
  for (const auto& [name, content] : test.files) {
    fs::create_directories((directory / name).parent_path());
    std::ofstream(directory / name, std::ios::binary) << ToCrLf(content);
  }
  RunResult result = RunCase(directory, test);
  std::string dir = directory.string();
  EXPECT_EQ(Replace(ToCrLf(test.expected_out), "{DIR}", dir), result.out) << test.name;
  EXPECT_EQ(Replace(ToCrLf(test.expected_err), "{DIR}", dir), result.err) << test.name;
  // A POSIX exit status keeps the low eight bits of the code.
  EXPECT_EQ(test.expected_exit & 0xff, result.exit) << test.name;
}

std::string CaseName(const testing::TestParamInfo<BehaviourCase>& info) {
  std::string name = info.param.group + "_" + info.param.name;
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, BehaviourTest, testing::ValuesIn(LoadCases()), CaseName);

}  // namespace
