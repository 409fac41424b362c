// ExchangeFiles: the temporary directory, the environment for the batch, the
// preparation of a process start and the clean-ups.
#include "core/run/exchange_files.h"

#include <utility>

#include "core/base/exchange_file_names.h"
#include "core/document/product.h"

namespace tarnvelock {

namespace {

// The word the debugger starts the batch with; the batch's first line takes
// it as the sign of its outer, first call.
constexpr std::wstring_view kStartWord = L"_dbg";

bool EndsWithSeparator(std::wstring_view path, wchar_t separator) {
  return !path.empty() && (path.back() == separator || path.back() == L'/');
}

bool IsAbsolutePath(std::wstring_view path, wchar_t separator) {
  if (separator == L'/') return path.starts_with(L'/');
  const auto isSeparator = [](wchar_t c) { return c == L'\\' || c == L'/'; };
  if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1])) return true;  // UNC
  return path.size() >= 3 && path[1] == L':' && isSeparator(path[2]);
}

// The first parameter as the batch sees it in %1: parameters are separated by
// blanks, tabs, commas, semicolons and equal signs outside double quotes, and
// a redirection or command separator ends them. The parameters pass through
// two command lines on their way, each of which removes carets outside
// quotes, so carets are left out.
std::wstring FirstParameter(std::wstring_view parameters) {
  constexpr std::wstring_view kDelimiters = L" \t,;=";
  constexpr std::wstring_view kEnders = L"&|<>";
  std::wstring word;
  bool quoted = false;
  for (size_t i = parameters.find_first_not_of(kDelimiters); i < parameters.size(); ++i) {
    const wchar_t c = parameters[i];
    if (!quoted && (kDelimiters.find(c) != std::wstring_view::npos ||
                    kEnders.find(c) != std::wstring_view::npos)) {
      break;
    }
    if (c == L'"') quoted = !quoted;
    if (quoted || c != L'^') word += c;
  }
  return word;
}

}  // namespace

ExchangeFiles::ExchangeFiles(FileSystem& files, Environment& environment,
                             const CodePageConverter& codePages, TempDirFacility tempDirs)
    : files_(files),
      environment_(environment),
      code_pages_(codePages),
      temp_dirs_(tempDirs),
      session_(files, std::move(tempDirs)) {}

IoStatus ExchangeFiles::PrepareTempDir(const std::wstring& tmpPath) {
  // A chosen base that others can write to is passed over like a missing one.
  const bool usable = !tmpPath.empty() && IsAbsolutePath(tmpPath, files_.Separator()) &&
                      files_.DirectoryExists(tmpPath) && temp_dirs_.EnsurePrivate(tmpPath);
  std::wstring base = usable ? tmpPath : temp_dirs_.SystemBase();
  if (!usable) {
    if (IoStatus status = temp_dirs_.EnsurePrivate(base); !status) return status;
  }
  std::wstring dir = base;
  if (!EndsWithSeparator(dir, files_.Separator())) dir += files_.Separator();
  if (IoStatus status = session_.Claim(dir); !status) return status;

  tmp_base_ = std::move(base);
  temp_dir_ = session_.Path();
  refs_ = MakeBatchRefs(temp_dir_);
  environment_.Set(kProductName, kProductVersion);
  environment_.Set(L"_dbgTmp", temp_dir_);
  environment_.Set(L"_dbgErr", L"\"" + PathOf(kErrorFile) + L"\"");
  environment_.Set(std::wstring(kStartWord), std::wstring(kStartWord));
  return {};
}

IoStatus ExchangeFiles::RestoreTempDir() {
  if (temp_dir_.empty() || session_.Intact()) return {};
  if (IoStatus status = session_.Restore(); !status) return status;
  return EnterTempDir();
}

std::wstring ExchangeFiles::PathOf(std::wstring_view name) const {
  return temp_dir_ + std::wstring(name);
}

IoStatus ExchangeFiles::EnterTempDir() {
  return files_.SetCurrentDirectory(temp_dir_);
}

IoStatus ExchangeFiles::PrepareProcessStart(const std::wstring& parameters) {
  // The batch would take its own start word for the sign of a first call and
  // start yet another interpreter, without end.
  if (FirstParameter(parameters) == kStartWord) {
    return IoStatus::Failure(std::wstring(kReservedParameterMessage));
  }
  // An interpreter of an earlier run that still holds the stderr file would
  // write its errors into the new run's.
  if (!WriteUtf8(kErrorFile, L"Test")) {
    return IoStatus::Failure(std::wstring(kTmpFileBlockedMessage));
  }
  for (std::wstring_view name : {kCurrentLineFile, kLastLineFile}) {
    if (IoStatus status = WriteUtf8(name, L"0"); !status) return status;
  }
  if (parameters.empty()) {
    environment_.Unset(L"_dbgPA");
  } else {
    environment_.Set(L"_dbgPA", parameters);
  }
  return {};
}

IoStatus ExchangeFiles::CleanRunStart() {
  if (IoStatus status = RestoreTempDir(); !status) return status;
  RemoveIfPresent(kErrorCopyFile);
  RemoveIfPresent(kConditionLineFile);
  for (std::int32_t depth = 0; depth <= kMaxCleanedCallDepth; ++depth) {
    for (std::wstring_view prefix :
         {kBlockGlobalsPrefix, kForVariablesPrefix, kLocalCounterPrefix, kCallLinePrefix}) {
      RemoveIfPresent(PerCallFile(prefix, depth));
    }
  }
  return {};
}

void ExchangeFiles::DeleteAtExit(const DebugDocument& doc) {
  if (!doc.InstrumentedPath.empty()) {
    // The instrumented batch is normally named relative to the temporary
    // directory. A user's batch that lives there itself is never removed.
    const std::wstring& path = doc.InstrumentedPath;
    const std::wstring full =
        files_.FullPath(IsAbsolutePath(path, files_.Separator()) ? path : PathOf(path));
    const bool userText = !doc.SourcePath.empty() && full == files_.FullPath(doc.SourcePath);
    if (!userText) RemovePathIfPresent(full);
  }
  for (std::wstring_view name :
       {kActionFile, kLocalScriptFile, kErrLevelFile, kCurrentLineFile, kLastLineFile,
        kStopSignalFile, kErrorFile, kErrorCopyFile, kBreakListFile, kBreakCondFile,
        kBreakRequestFile, kGlobalsFile, kPrintFile, kConditionLineFile}) {
    RemoveIfPresent(name);
  }
  for (std::int32_t depth = 0; depth <= kMaxCleanedCallDepth; ++depth) {
    for (std::wstring_view prefix : {kBlockGlobalsPrefix, kForVariablesPrefix, kParametersPrefix,
                                     kLocalCounterPrefix, kCallLinePrefix}) {
      RemoveIfPresent(PerCallFile(prefix, depth));
    }
  }
}

bool ExchangeFiles::Exists(std::wstring_view name) const {
  return files_.FileExists(PathOf(name));
}

IoStatus ExchangeFiles::Remove(std::wstring_view name) {
  const std::wstring path = PathOf(name);
  return files_.FileExists(path) ? files_.RemoveFile(path) : IoStatus();
}

void ExchangeFiles::RemoveIfPresent(std::wstring_view name) {
  RemovePathIfPresent(PathOf(name));
}

void ExchangeFiles::RemovePathIfPresent(const std::wstring& path) {
  // Best effort: a file that stays is overwritten or ignored by the next run.
  if (files_.FileExists(path)) (void)files_.RemoveFile(path);
}

}  // namespace tarnvelock
