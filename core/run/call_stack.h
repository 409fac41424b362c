// CallStack: the call levels of the batch at the last reported stop, for a
// front end's stack view. Each level is named by what it was called by (the
// label or batch of its CALL, the batch's own file name at level 0); the
// innermost level stands on the stop's line, every outer one on the line of
// its CALL. The batch reports only the depth and each level's parameters, so
// the line of a CALL is taken from the stop before the call when the run
// stepped into it, else from the batch's text when exactly one line calls
// that target; otherwise it is not known.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/document/debug_document.h"

namespace tarnvelock {

struct CallFrame {
  std::wstring Name;
  std::int32_t Line = -1;  // -1: not known
};

class CallStack {
 public:
  // A reported stop at line, call depth depth; targets holds the %0 of
  // levels 1 to depth, outermost first.
  void Update(const DebugDocument& doc, std::int32_t line,
              const std::vector<std::wstring>& targets);
  void Clear();
  // Innermost first; empty before the first stop of a run.
  const std::vector<CallFrame>& Frames() const { return frames_; }

 private:
  struct Level {
    std::wstring target;          // what the level was called by
    std::int32_t call_line = -1;  // the CALL in this level that entered the next one
  };

  std::vector<Level> levels_;  // outermost first
  std::int32_t last_line_ = -1;
  std::vector<CallFrame> frames_;
};

}  // namespace tarnvelock
