// Text and JSON forms of the analysis of a loaded batch.
#include "cli/analysis_report.h"

#include <cwchar>

#include "cli/json_writer.h"

namespace tarnvelock {

const wchar_t* RemZeileName(tRemZeile kind) {
  switch (kind) {
    case remNoRem:
      return L"remNoRem";
    case remKlammer:
      return L"remKlammer";
    case remEmpty:
      return L"remEmpty";
    case remLabel:
      return L"remLabel";
    case remREM:
      return L"remREM";
    case remREMDo:
      return L"remREMDo";
  }
  return L"?";
}

std::wstring AnalysisText(const DebugDocument& doc) {
  std::wstring out = L" line  kind        cont pause remPos  text\n";
  wchar_t row[96];
  for (std::int32_t i = 0; i <= doc.MaxCurZeile; ++i) {
    const LineRecord& record = doc.Record(i);
    std::swprintf(row, sizeof row / sizeof row[0], L"%5d  %-11ls %-4ls %-5ls %6d  ", i,
                  RemZeileName(record.RemZeile), record.ConcatZeile ? L"^" : L"",
                  record.Pause ? L"yes" : L"", record.RemPos);
    out += row;
    out += doc.Items[static_cast<size_t>(i)].text;
    out += L'\n';
  }
  out += L"\nGlobal names:";
  for (const auto& name : doc.GlobalNames) out += L" " + name;
  out += L"\n\nNavigation:\n";
  for (const auto& entry : doc.NavigationList) {
    std::swprintf(row, sizeof row / sizeof row[0], L"%5d  ", entry.line);
    out += row + entry.text + L'\n';
  }
  out += L"\nSHIFT and GOTO: ";
  out += doc.ShiftGoto ? L"both used\n" : L"not both used\n";
  return out;
}

std::string AnalysisJson(const DebugDocument& doc) {
  JsonWriter json;
  json.BeginObject().Key("lines").BeginArray();
  for (std::int32_t i = 0; i <= doc.MaxCurZeile; ++i) {
    const LineRecord& record = doc.Record(i);
    json.BeginObject()
        .Key("index")
        .Number(i)
        .Key("kind")
        .String(RemZeileName(record.RemZeile))
        .Key("concat")
        .Bool(record.ConcatZeile)
        .Key("pause")
        .Bool(record.Pause)
        .Key("remPos")
        .Number(record.RemPos)
        .Key("text")
        .String(doc.Items[static_cast<size_t>(i)].text)
        .EndObject();
  }
  json.EndArray().Key("globalNames").BeginArray();
  for (const auto& name : doc.GlobalNames) json.String(name);
  json.EndArray().Key("navigation").BeginArray();
  for (const auto& entry : doc.NavigationList) {
    json.BeginObject().Key("text").String(entry.text).Key("line").Number(entry.line).EndObject();
  }
  json.EndArray().Key("shiftGoto").Bool(doc.ShiftGoto).EndObject();
  return json.text();
}

}  // namespace tarnvelock
