// BatchRefs: how the instrumented batch's per-line code names the exchange
// files it touches before it has changed into the temporary directory. The
// references go through "%_dbgTmp%" so that the generated text does not
// depend on where the temporary directory is.
#pragma once

#include <string>
#include <string_view>

namespace tarnvelock {

struct BatchRefs {
  std::wstring ActionsRef;  // "_dbgActions.cmd"
  std::wstring ZeileRef;    // "_dbgZeile.txt"
  std::wstring LastRef;     // "_dbgLast.txt"
  std::wstring DoBreakRef;  // "_dbgDoBreak"
};

// The references for a temporary directory at tempDir: "%_dbgTmp%" and the
// file name, in double quotes when tempDir contains a blank.
BatchRefs MakeBatchRefs(std::wstring_view tempDir);

}  // namespace tarnvelock
