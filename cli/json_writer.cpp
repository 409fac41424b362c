// JSON text for tarnvelock-cli's --json output.
#include "cli/json_writer.h"

#include <cstdio>

#include "platform/code_page.h"

namespace tarnvelock {

void JsonWriter::Separate() {
  if (need_comma_) text_ += ',';
  need_comma_ = false;
}

JsonWriter& JsonWriter::BeginObject() {
  Separate();
  text_ += '{';
  return *this;
}

JsonWriter& JsonWriter::EndObject() {
  text_ += '}';
  need_comma_ = true;
  return *this;
}

JsonWriter& JsonWriter::BeginArray() {
  Separate();
  text_ += '[';
  return *this;
}

JsonWriter& JsonWriter::EndArray() {
  text_ += ']';
  need_comma_ = true;
  return *this;
}

JsonWriter& JsonWriter::Key(std::string_view key) {
  Separate();
  text_ += '"';
  text_ += key;
  text_ += "\":";
  return *this;
}

JsonWriter& JsonWriter::String(std::wstring_view value) {
  Separate();
  text_ += '"';
  for (char c : ToUtf8(value)) {
    switch (c) {
      case '"':
        text_ += "\\\"";
        break;
      case '\\':
        text_ += "\\\\";
        break;
      case '\n':
        text_ += "\\n";
        break;
      case '\r':
        text_ += "\\r";
        break;
      case '\t':
        text_ += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned char>(c));
          text_ += escape;
        } else {
          text_ += c;
        }
    }
  }
  text_ += '"';
  need_comma_ = true;
  return *this;
}

JsonWriter& JsonWriter::Number(std::int64_t value) {
  Separate();
  text_ += std::to_string(value);
  need_comma_ = true;
  return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
  Separate();
  text_ += value ? "true" : "false";
  need_comma_ = true;
  return *this;
}

}  // namespace tarnvelock
