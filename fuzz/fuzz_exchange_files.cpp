// Fuzz target: any bytes as the state files the batch leaves at a stop (the
// stop signal, current-line, last-line, error-copy and per-call files), read
// the way stop handling reads them.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/base/exchange_file_names.h"
#include "core/run/exchange_files.h"
#include "core/run/virtual_temp_dirs_for_tests.h"
#include "platform/code_page.h"
#include "platform/virtual_environment.h"
#include "platform/virtual_file_system.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnvelock;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  VirtualFileSystem files;
  VirtualEnvironment environment;
  VirtualTempDirs temp_dirs(files, L"/tmp/");
  ExchangeFiles exchange(files, environment, SystemCodePages(), temp_dirs.Facility());
  if (!exchange.PrepareTempDir(L"")) return 0;
  const std::int32_t depth = size == 0 ? 0 : data[0] % 10;
  for (std::wstring_view name :
       {kStopSignalFile, kCurrentLineFile, kLastLineFile, kErrorCopyFile, kGlobalsFile}) {
    files.Create(exchange.PathOf(name), bytes);
  }
  for (std::wstring_view prefix : {kForVariablesPrefix, kParametersPrefix, kBlockGlobalsPrefix}) {
    files.Create(exchange.PathOf(PerCallFile(prefix, depth)), bytes);
  }
  exchange.ReadStopSignal();
  exchange.ReadCurrentLine();
  exchange.ReadLineArrival();
  exchange.ReadLastLine();
  exchange.ReadNewErrorLines();
  exchange.ReadStateLines(kGlobalsFile);
  exchange.ReadStateLines(PerCallFile(kParametersPrefix, depth));
  exchange.ReadForVariables(depth);
  return 0;
}
