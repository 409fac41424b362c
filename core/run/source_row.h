// What one row of the source view shows, decided without a screen: the two
// glyph columns, the small ERRORLEVEL text of the gutter, the background and
// ink of the text, the row's text with its line number and horizontal
// scroll, where a trailing comment starts and which variable references are
// marked. The Qt view only turns a SourceRow into pixels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/document/debug_document.h"
#include "core/run/reference_search.h"
#include "core/run/variable_panes.h"

namespace tarnvelock {

enum class Glyph {
  None,
  Ignore,                 // black cross
  NoDebug,                // grey circle outline
  GotoTarget,             // red octagon
  BreakPoint,             // filled red ball
  ConditionalBreakPoint,  // red ring with a white centre
  StopPlace,              // red circle outline
  ExecArrow,              // blue triangle
  Echo,                   // loudspeaker
};

enum class RowBackground { Normal, Cursor, Label };
enum class RowInk { Normal, Ignored, Warning, Abort, Comment };

// The source view's state that the rows depend on.
struct SourceViewState {
  std::int32_t AktCurZeile = 0;
  std::int32_t AktExeZeile = -1;
  std::int32_t GotoTarget = -1;
  bool ExecMarkVisible = false;
  std::int32_t Indent = 0;
  bool LineNumbers = false;
  ReferenceHighlight Highlight;
};

struct SourceRow {
  Glyph First = Glyph::None;
  Glyph Second = Glyph::None;
  // ErrLevelOK (when not 0) and "T" for StdErrOK, drawn small in the gutter.
  std::wstring GutterText;
  RowBackground Background = RowBackground::Normal;
  RowInk Ink = RowInk::Normal;
  // The line as shown: line number in front, characters left of Indent gone.
  std::wstring Text;
  // Column of Text from which a trailing comment is drawn green; -1: none.
  std::int32_t CommentColumn = -1;
  // Marked references with their columns in Text.
  std::vector<ReferenceMark> Marks;
};

// The row of line (0..MaxCurZeile of a loaded document).
SourceRow LayoutSourceRow(const DebugDocument& doc, std::int32_t line,
                          const SourceViewState& state);

// Shift+F5: the next line after the cursor that carries a mark (wrapping
// round to the top); -1 when no line has one.
std::int32_t NextMarkedLine(const DebugDocument& doc, std::int32_t cursor);

}  // namespace tarnvelock
