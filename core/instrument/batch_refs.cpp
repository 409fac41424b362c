// BatchRefs computed from the temporary directory's path.
#include "core/instrument/batch_refs.h"

#include "core/base/exchange_file_names.h"

namespace tarnvelock {

BatchRefs MakeBatchRefs(std::wstring_view tempDir) {
  const bool quoted = tempDir.find(L' ') != std::wstring_view::npos;
  auto ref = [quoted](std::wstring_view name) {
    std::wstring text = L"%_dbgTmp%" + std::wstring(name);
    return quoted ? L"\"" + text + L"\"" : text;
  };
  return BatchRefs{ref(kActionFile), ref(kCurrentLineFile), ref(kLastLineFile),
                   ref(kBreakRequestFile)};
}

}  // namespace tarnvelock
