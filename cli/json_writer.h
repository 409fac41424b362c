// JsonWriter: builds one line of JSON (an object, arrays, strings, numbers,
// booleans) for the machine-readable output of tarnvelock-cli. Text goes out as
// UTF-8 with the escapes JSON requires.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnvelock {

class JsonWriter {
 public:
  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();
  // The key of the next value inside an object.
  JsonWriter& Key(std::string_view key);
  JsonWriter& String(std::wstring_view value);
  JsonWriter& Number(std::int64_t value);
  JsonWriter& Bool(bool value);

  const std::string& text() const { return text_; }

 private:
  void Separate();

  std::string text_;
  bool need_comma_ = false;
};

}  // namespace tarnvelock
