// The key letter of a FOR variable's saved copy. The environment ignores
// letter case, so the copies of %%a and %%A must differ by more than case:
// they are kept as _dbgFORka and _dbgFORgA.
#pragma once

namespace tarnvelock {

// "k" for letters after "Z" in code order (the lower-case ones), else "g".
inline wchar_t ForKey(wchar_t letter) {
  return letter > L'Z' ? L'k' : L'g';
}

}  // namespace tarnvelock
