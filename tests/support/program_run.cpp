// RunProgram on the interpreter's process layer: the standard handles are
// pointed at a pipe and the null device while the program starts, then put
// back.
#include "tests/support/program_run.h"

#include <filesystem>
#include <system_error>

#include "platform/child_process.h"
#include "platform/system_names.h"

namespace tarnvelock::test {

namespace {

bool HasName(const std::string& entry, const std::string& name) {
  return entry.size() > name.size() && entry[name.size()] == '=' &&
         entry.compare(0, name.size(), name) == 0;
}

std::vector<std::string> EnvironmentFor(const RunSettings& settings) {
  std::vector<std::string> environment;
  for (const std::string& entry : InheritedEnvironment()) {
    bool replaced = false;
    for (const std::string& name : settings.unset_environment) replaced |= HasName(entry, name);
    for (const std::string& added : settings.set_environment) {
      replaced |= HasName(entry, added.substr(0, added.find('=')));
    }
    if (!replaced) environment.push_back(entry);
  }
  environment.insert(environment.end(), settings.set_environment.begin(),
                     settings.set_environment.end());
  return environment;
}

// Points standard handle fd elsewhere for as long as it lives.
class HandleSwap {
 public:
  HandleSwap(Descriptor source, Descriptor fd) : fd_(fd), saved_(DuplicateDescriptor(fd)) {
    ReplaceDescriptor(source, fd);
  }
  HandleSwap(const HandleSwap&) = delete;
  HandleSwap& operator=(const HandleSwap&) = delete;
  ~HandleSwap() {
    ReplaceDescriptor(saved_, fd_);
    CloseDescriptor(saved_);
  }

 private:
  Descriptor fd_;
  Descriptor saved_;
};

// Changes the working directory for as long as it lives.
class DirectorySwap {
 public:
  explicit DirectorySwap(const std::string& directory) {
    if (directory.empty()) return;
    saved_ = std::filesystem::current_path(error_);
    std::filesystem::current_path(directory, error_);
  }
  DirectorySwap(const DirectorySwap&) = delete;
  DirectorySwap& operator=(const DirectorySwap&) = delete;
  ~DirectorySwap() {
    if (!saved_.empty()) std::filesystem::current_path(saved_, error_);
  }

 private:
  std::filesystem::path saved_;
  std::error_code error_;
};

}  // namespace

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const RunSettings& settings) {
  ProgramRun run;
  std::vector<std::string> argv{program};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  const std::vector<std::string> environment = EnvironmentFor(settings);
  const std::string null_device(NullDevicePath());
  const std::optional<Descriptor> null_input = OpenForRedirection(null_device, OpenMode::Read);
  const std::optional<Descriptor> null_output = OpenForRedirection(null_device, OpenMode::Write);
  PipeEnds pipe = MakePipe();
  if (!null_input || !null_output || pipe.read < 0) return run;

  std::optional<ProcessId> process;
  {
    DirectorySwap directory(settings.directory);
    HandleSwap input(*null_input, 0);
    HandleSwap output(pipe.write, 1);
    HandleSwap error(settings.merge_stderr ? pipe.write : *null_output, 2);
    process = StartProgram(program, argv, environment);
  }
  CloseDescriptor(pipe.write);
  CloseDescriptor(*null_input);
  CloseDescriptor(*null_output);
  char buffer[4096];
  for (std::size_t got; (got = ReadSome(pipe.read, buffer, sizeof buffer)) > 0;) {
    run.output.append(buffer, got);
  }
  CloseDescriptor(pipe.read);
  if (process) run.status = WaitForProcess(*process);
  return run;
}

}  // namespace tarnvelock::test
