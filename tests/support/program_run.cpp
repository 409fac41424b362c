// RunningProgram on the interpreter's process layer: the standard handles
// (and the working directory) are pointed where the settings say while the
// program starts, then put back.
#include "tests/support/program_run.h"

#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>

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

// A descriptor of this process that is closed when it goes.
class OwnedDescriptor {
 public:
  explicit OwnedDescriptor(std::optional<Descriptor> fd = std::nullopt) : fd_(fd.value_or(-1)) {}
  OwnedDescriptor(OwnedDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  OwnedDescriptor& operator=(OwnedDescriptor&& other) noexcept {
    std::swap(fd_, other.fd_);
    return *this;
  }
  ~OwnedDescriptor() { CloseDescriptor(fd_); }

  bool valid() const { return fd_ >= 0; }
  Descriptor get() const { return fd_; }

 private:
  Descriptor fd_;
};

// A standard handle of the program: the file named in the settings, else
// the null device.
OwnedDescriptor OpenFileOr(const std::string& file, OpenMode mode) {
  return OwnedDescriptor(
      OpenForRedirection(file.empty() ? std::string(NullDevicePath()) : file, mode));
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

RunningProgram::RunningProgram(const std::string& program,
                               const std::vector<std::string>& arguments,
                               const RunSettings& settings) {
  std::vector<std::string> argv{program};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  const std::vector<std::string> environment = EnvironmentFor(settings);

  OwnedDescriptor input, output, error;
  if (settings.input_from_test) {
    const PipeEnds keys = MakePipe();
    input = OwnedDescriptor(keys.read);
    input_ = keys.write;
  } else {
    input = OpenFileOr(settings.input_file, OpenMode::Read);
  }
  if (settings.output_file.empty()) {
    const PipeEnds captured = MakePipe();
    output = OwnedDescriptor(captured.write);
    output_ = captured.read;
  } else {
    output = OpenFileOr(settings.output_file, OpenMode::Write);
  }
  if (!settings.merge_stderr) error = OpenFileOr(settings.error_file, OpenMode::Append);
  const Descriptor error_target = settings.merge_stderr ? output.get() : error.get();
  if (!input.valid() || !output.valid() || error_target < 0) return;

  std::optional<ProcessId> process;
  {
    DirectorySwap directory(settings.directory);
    HandleSwap in(input.get(), 0);
    HandleSwap out(output.get(), 1);
    HandleSwap err(error_target, 2);
    process = StartProgram(program, argv, environment);
  }
  if (!process) return;
  process_ = *process;
  id_ = SystemIdOf(process_);
}

RunningProgram::~RunningProgram() {
  CloseDescriptor(input_);
  CloseDescriptor(output_);
  if (process_ != 0) {
    EndProcess(id_);
    WaitForProcess(process_);
  }
}

bool RunningProgram::Send(std::string_view bytes) {
  if (input_ < 0) return false;
  WriteAll(input_, bytes);
  return true;
}

ProgramRun RunningProgram::Finish() {
  ProgramRun run;
  CloseDescriptor(std::exchange(input_, -1));
  if (output_ >= 0) {
    char buffer[4096];
    for (std::size_t got; (got = ReadSome(output_, buffer, sizeof buffer)) > 0;) {
      run.output.append(buffer, got);
    }
    CloseDescriptor(std::exchange(output_, -1));
  }
  if (process_ != 0) run.status = WaitForProcess(std::exchange(process_, 0));
  return run;
}

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const RunSettings& settings) {
  return RunningProgram(program, arguments, settings).Finish();
}

}  // namespace tarnvelock::test
