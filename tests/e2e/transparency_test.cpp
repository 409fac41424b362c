// A batch run under the debugger with Execute and no breakpoints, or stepped
// from its first line to its end (following calls or not), behaves as it
// does without the debugger: the same console output after the banner and
// the same files, for the bundled examples and a corpus of everyday batches.
#include <algorithm>
#include <map>
#include <tuple>

#include "tests/e2e/e2e_support.h"

namespace tarnvelock::e2e {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The files under root and their contents, by path relative to root.
std::map<std::string, std::string> Files(const fs::path& root, const std::string& batch) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const std::string name = fs::relative(entry.path(), root).generic_string();
    // The batch and the debugger's own files beside it.
    if (name == batch || name == batch + ".ini" || name == batch + ".log") continue;
    if (entry.is_directory()) {
      files[name + "/"] = "";
      continue;
    }
    files[name] = Read(entry.path());
  }
  return files;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    while (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// How the debugger takes the batch to its end: Execute, or one line at a
// time following calls or stepping over them. Stepping sends every line
// through the stop check and the variable listings.
enum class Drive { Run, Step, Next };

struct Case {
  std::string source;  // relative to the source tree
  std::string parameters;
  std::vector<std::string> answers;  // lines typed into the console, in order
  // The instrumented batch runs with delayed expansion, so a "!" in a batch
  // that does not use it is lost under the debugger.
  bool loses_exclamation_marks = false;
  // The batch finds itself through %~dp0, so it is debugged in the %0 mode,
  // with the instrumented batch in its place.
  bool needs_own_path = false;
  Drive drive = Drive::Run;
};

// Splits parameters into words the way a POSIX shell does for these tests:
// blanks separate them, double quotes hold blanks in and are taken away.
std::vector<std::string> Words(const std::string& parameters) {
  std::vector<std::string> words;
  bool quoted = false, in_word = false;
  for (char c : parameters) {
    if (c == ' ' && !quoted) {
      in_word = false;
      continue;
    }
    if (!in_word) words.emplace_back();
    in_word = true;
    if (c == '"') {
      quoted = !quoted;
    } else {
      words.back() += c;
    }
  }
  return words;
}

void PrintTo(const Case& c, std::ostream* out) {
  *out << c.source;
}

std::vector<Case> Cases() {
  std::vector<Case> cases;
  const fs::path root = TARNVELOCK_SOURCE_DIR;
  for (const char* folder : {"examples", "tests/e2e/corpus"}) {
    for (const auto& entry : fs::directory_iterator(root / folder)) {
      const std::string name = entry.path().filename().string();
      if (!name.ends_with(".bat") && !name.ends_with(".cmd")) continue;
      // Quotes survive only around words with a blank: the direct run takes
      // the words as a POSIX shell splits them.
      static const std::map<std::string, std::string> kParameters = {
          {"10_shift_args.bat", "a \"b c\" d"},
          {"args_shift.cmd", "a \"b c\" d"},
          {"18_menu_choice.bat", "build"},
          {"32_option_parser.bat", "/V --out=result.txt \"my file.txt\" --LEVEL=3 second.txt"},
          {"37_name_modifiers.bat", "\"..\\dir\\some file.txt\""},
      };
      const auto found = kParameters.find(name);
      const std::string parameters = found == kParameters.end() ? "" : found->second;
      std::vector<std::string> answers;
      if (name == "greet.bat") answers = {"World", ""};
      for (Drive drive : {Drive::Run, Drive::Step, Drive::Next}) {
        cases.push_back({std::string(folder) + "/" + name, parameters, answers, name == "greet.bat",
                         name == "42_script_dir.bat", drive});
      }
    }
  }
  std::sort(cases.begin(), cases.end(), [](const Case& a, const Case& b) {
    return std::tie(a.source, a.drive) < std::tie(b.source, b.drive);
  });
  return cases;
}

class TransparencyTest : public E2eTest, public testing::WithParamInterface<Case> {
 protected:
  // Copies the batch into folder (made under the test directory) and
  // returns the folder's path.
  std::string Prepare(const std::string& folder, const std::string& name) {
    std::ifstream in(std::string(TARNVELOCK_SOURCE_DIR) + "/" + GetParam().source,
                     std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    Write(folder + "/" + name, text.str());
    Write(folder + "/temp/.keep", "");
    return dir_ + "/" + folder;
  }
};

TEST_P(TransparencyTest, SameOutputAndFilesWithAndWithoutTheDebugger) {
  const std::string name = fs::path(GetParam().source).filename().string();
  const std::string& parameters = GetParam().parameters;

  std::string typed, script = "option stoponerror off\n";
  for (const std::string& answer : GetParam().answers) {
    typed += answer + "\r\n";
    script += "input " + answer + "\n";
  }
  Write("typed.txt", typed, false);

  const std::string direct = Prepare("direct", name);
  test::RunSettings direct_settings = Settings(direct);
  direct_settings.set_environment.push_back("TEMP=" + direct + "/temp");
  direct_settings.input_file = dir_ + "/typed.txt";
  std::vector<std::string> direct_arguments{"/c", name};
  for (const std::string& word : Words(parameters)) direct_arguments.push_back(word);
  const Session plain = Run(TARNVELOCK_CMD, direct_arguments, direct_settings);

  const std::string debugged = Prepare("debugged", name);
  if (GetParam().needs_own_path) Write("debugged/" + name + ".ini", "[Main]\nProzent0=1\n");
  static const std::map<Drive, std::string> kDriveCommand = {
      {Drive::Run, "run\n"}, {Drive::Step, "step 100000\n"}, {Drive::Next, "next 100000\n"}};
  Write("debugged.txt", script + kDriveCommand.at(GetParam().drive), false);
  test::RunSettings debugged_settings = DebuggerSettings(debugged);
  debugged_settings.set_environment.push_back("TEMP=" + debugged + "/temp");
  const Session run = Run(TARNVELOCK_CLI,
                          {"--json", "--poll-ms", "10", "--timeout", "20", "--script",
                           "../debugged.txt", "--params", parameters, name},
                          debugged_settings);
  // The debugger exits with the batch's exit code.
  ASSERT_EQ(run.status, plain.status) << run.raw;
  ASSERT_EQ(run.LastStop()["status"].text, "Reached <end of file>  -  Press F2 for Reset.")
      << run.raw;
  // Error output shows in the console in both cases: the debugger's batch
  // repeats it there when it stops for it.
  std::vector<std::string> expected = Lines(plain.raw);
  if (GetParam().loses_exclamation_marks) {
    for (std::string& line : expected) std::erase(line, '!');
  }
  EXPECT_EQ(run.UserOutput(), expected) << run.raw;
  EXPECT_EQ(Files(debugged, name), Files(direct, name));
  EXPECT_EQ(Read(debugged + "/" + name), Read(direct + "/" + name))
      << "the user's batch is back in its place, unchanged";
}

INSTANTIATE_TEST_SUITE_P(Batches, TransparencyTest, testing::ValuesIn(Cases()),
                         [](const testing::TestParamInfo<Case>& info) {
                           std::string name = fs::path(info.param.source).stem().string();
                           std::replace_if(
                               name.begin(), name.end(),
                               [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); },
                               '_');
                           return (info.param.source.starts_with("examples") ? "example_"
                                                                             : "corpus_") +
                                  name +
                                  (info.param.drive == Drive::Step   ? "_stepped"
                                   : info.param.drive == Drive::Next ? "_stepped_over"
                                                                     : "");
                         });

}  // namespace
}  // namespace tarnvelock::e2e
