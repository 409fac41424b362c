// Fuzz target: any bytes as a per-batch or application settings file, read,
// applied to a document and written back.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/document/app_settings.h"
#include "core/document/batch_settings.h"
#include "core/document/document_text.h"
#include "core/document/ini_file.h"
#include "platform/virtual_file_system.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnvelock;
  VirtualFileSystem files;
  files.Create(L"/b/job.bat.ini", std::string_view(reinterpret_cast<const char*>(data), size));
  IniFile ini;
  if (!ReadIniFile(files, L"/b/job.bat.ini", &ini)) return 0;

  DebugDocument doc;
  doc.Items = SplitDocumentLines(L"@echo off\r\nset a=1\r\n:label\r\necho %a%\r\n");
  doc.MaxCurZeile = static_cast<std::int32_t>(doc.Items.size()) - 1;
  doc.Records.assign(doc.Items.size(), LineRecord());
  doc.BatchDir = L"/b/";
  doc.StartDir = doc.BatchDir;
  std::vector<DroppedCondition> dropped;
  ApplyBatchSettings(ini, files, L"", doc, &dropped);
  if (!dropped.empty()) DroppedConditionsMessage(dropped);
  BatchSettingsIni(doc).Text();
  AppSettingsIni(ReadAppSettings(ini, AppSettings{})).Text();
  return 0;
}
