// The layout rules of one source view row.
#include "core/run/source_row.h"

#include <algorithm>
#include <cstdio>

namespace tarnvelock {

namespace {

Glyph FirstGlyph(const LineRecord& record, std::int32_t line, const SourceViewState& state) {
  if (record.ConcatZeile) return Glyph::None;
  if (record.IgnoreZeile) return Glyph::Ignore;
  if (record.NoDebugZeile) return Glyph::NoDebug;
  if (line == state.GotoTarget) return Glyph::GotoTarget;
  if (record.BreakPoint) {
    return record.BreakCount > 1 || !record.BreakCond.empty() ? Glyph::ConditionalBreakPoint
                                                              : Glyph::BreakPoint;
  }
  if (record.RemZeile == remNoRem) return Glyph::StopPlace;
  return Glyph::None;
}

// A continuation line is coloured as the statement it belongs to.
RowInk InkOf(const DebugDocument& doc, std::int32_t line) {
  while (line > 0 && doc.Records[line].ConcatZeile) --line;
  const LineRecord& record = doc.Records[line];
  if (record.IgnoreZeile) return RowInk::Ignored;
  if (record.ErrorZeile == errWarn) return RowInk::Warning;
  if (record.ErrorZeile == errAbort) return RowInk::Abort;
  if (record.RemZeile >= remREM) return RowInk::Comment;
  return RowInk::Normal;
}

std::wstring LineNumber(const DebugDocument& doc, std::int32_t line) {
  char text[16];
  std::snprintf(text, sizeof text, doc.LineNrFormat(), static_cast<int>(line));
  return std::wstring(text, text + std::char_traits<char>::length(text));
}

}  // namespace

SourceRow LayoutSourceRow(const DebugDocument& doc, std::int32_t line,
                          const SourceViewState& state) {
  const LineRecord& record = doc.Records[line];
  const std::wstring& text = doc.Items[line].text;
  SourceRow row;
  row.First = FirstGlyph(record, line, state);
  if (record.ErrLevelOK != 0) row.GutterText = std::to_wstring(record.ErrLevelOK);
  if (record.StdErrOK) row.GutterText += L'T';
  if (line == state.AktExeZeile && state.ExecMarkVisible) {
    row.Second = Glyph::ExecArrow;
  } else if (record.EchoZeile) {
    row.Second = Glyph::Echo;
  }
  if (line == state.AktCurZeile) {
    row.Background = RowBackground::Cursor;
  } else if (record.RemZeile == remLabel) {
    row.Background = RowBackground::Label;
  }
  row.Ink = InkOf(doc, line);

  const size_t indent = static_cast<size_t>(std::max(0, state.Indent));
  const std::wstring prefix = state.LineNumbers ? LineNumber(doc, line) : std::wstring();
  row.Text = prefix + (indent < text.size() ? text.substr(indent) : std::wstring());
  if (record.RemPos > 0) {
    const std::int32_t column = static_cast<std::int32_t>(row.Text.size()) -
                                static_cast<std::int32_t>(text.size()) + record.RemPos;
    row.CommentColumn = std::max(0, column);
  }
  if (record.RemZeile == remNoRem && !state.Highlight.HighlightName.empty()) {
    for (ReferenceMark& mark : FindReferences(text, record.RemPos, state.Highlight)) {
      if (mark.Position < static_cast<std::int32_t>(indent)) continue;
      mark.Position = mark.Position - static_cast<std::int32_t>(indent) +
                      static_cast<std::int32_t>(prefix.size());
      row.Marks.push_back(std::move(mark));
    }
  }
  return row;
}

std::int32_t NextMarkedLine(const DebugDocument& doc, std::int32_t cursor) {
  auto marked = [&doc](std::int32_t line) {
    const LineRecord& r = doc.Records[line];
    return r.IgnoreZeile || r.NoDebugZeile || r.EchoZeile || r.BreakPoint || r.ErrLevelOK != 0 ||
           r.StdErrOK;
  };
  for (std::int32_t line = cursor + 1; line < doc.MaxCurZeile; ++line) {
    if (marked(line)) return line;
  }
  for (std::int32_t line = 0; line < cursor && line < doc.MaxCurZeile; ++line) {
    if (marked(line)) return line;
  }
  return -1;
}

}  // namespace tarnvelock
