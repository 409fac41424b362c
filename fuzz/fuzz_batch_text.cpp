// Fuzz target: any bytes as a batch file, loaded, scanned and instrumented
// the way a debug run does it.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/document/document_controller.h"
#include "core/document/quiet_document_view.h"
#include "core/instrument/batch_refs.h"
#include "core/instrument/instrumented_batch.h"
#include "core/instrument/line_analysis.h"
#include "core/instrument/line_instrumenter.h"
#include "core/instrument/line_scanner.h"
#include "platform/code_page.h"
#include "platform/virtual_environment.h"
#include "platform/virtual_file_system.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnvelock;
  VirtualFileSystem files;
  VirtualEnvironment environment;
  files.Create(L"/b/fuzz.bat", std::string_view(reinterpret_cast<const char*>(data), size));
  QuietDocumentView view;
  LineScanner scanner(view);
  DocumentController controller(files, SystemCodePages(), environment, LoadAnalysisOf(scanner),
                                view, view, L"/tmp/_dbgTmp/");
  controller.set_load_policy({.ReadSettings = false, .ChangeFiles = false});
  controller.OpenDocument(L"/b/fuzz.bat");
  DebugDocument& doc = controller.document();
  if (!doc.Loaded()) return 0;
  const PerLineSettings settings = PerLineSettingsOf(doc, size % 2 == 0, MakeBatchRefs(L"/t p/"));
  LineInstrumenter instrumenter(scanner, view);
  InstrumentedBatch instrumented(files, SystemCodePages(), view);
  instrumented.Generate(doc, instrumenter.GeneratePerLineSection(doc, settings), settings.Refs);
  return 0;
}
