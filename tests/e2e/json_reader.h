// Reads the JSON lines tarnvelock-cli writes, so that the end-to-end tests
// can look at events field by field. Only what the tests need: objects,
// arrays, strings (escapes included), integers and booleans.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnvelock::e2e {

struct Json {
  enum class Type { Null, Bool, Number, String, Array, Object };
  Type type = Type::Null;
  bool boolean = false;
  std::int64_t number = 0;
  std::string text;
  std::vector<Json> items;
  std::map<std::string, Json> fields;

  // The field key of an object; a null value when there is none.
  const Json& operator[](const std::string& key) const {
    static const Json kNull;
    const auto found = fields.find(key);
    return found == fields.end() ? kNull : found->second;
  }
  bool Has(const std::string& key) const { return fields.count(key) != 0; }
  // The texts of an array of strings.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const Json& item : items) texts.push_back(item.text);
    return texts;
  }
};

class JsonReader {
 public:
  // The value of one line; nothing when it is not valid JSON.
  static std::optional<Json> Parse(std::string_view line) {
    JsonReader reader(line);
    std::optional<Json> value = reader.Value();
    reader.SkipBlanks();
    if (!value || reader.at_ != line.size()) return std::nullopt;
    return value;
  }

 private:
  explicit JsonReader(std::string_view text) : text_(text) {}

  void SkipBlanks() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t')) ++at_;
  }
  bool Take(char c) {
    SkipBlanks();
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }
  bool TakeWord(std::string_view word) {
    if (text_.substr(at_, word.size()) != word) return false;
    at_ += word.size();
    return true;
  }

  std::optional<Json> Value() {
    SkipBlanks();
    if (at_ >= text_.size()) return std::nullopt;
    Json value;
    const char c = text_[at_];
    if (c == '{') return Object();
    if (c == '[') return Array();
    if (c == '"') {
      std::optional<std::string> text = String();
      if (!text) return std::nullopt;
      value.type = Json::Type::String;
      value.text = *text;
      return value;
    }
    if (TakeWord("true") || TakeWord("false")) {
      value.type = Json::Type::Bool;
      value.boolean = c == 't';
      return value;
    }
    if (TakeWord("null")) return value;
    bool negative = false;
    if (c == '-') {
      negative = true;
      ++at_;
    }
    if (at_ >= text_.size() || text_[at_] < '0' || text_[at_] > '9') return std::nullopt;
    value.type = Json::Type::Number;
    while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') {
      value.number = value.number * 10 + (text_[at_++] - '0');
    }
    if (negative) value.number = -value.number;
    return value;
  }

  std::optional<Json> Object() {
    Json value;
    value.type = Json::Type::Object;
    ++at_;
    if (Take('}')) return value;
    do {
      SkipBlanks();
      std::optional<std::string> key = String();
      if (!key || !Take(':')) return std::nullopt;
      std::optional<Json> field = Value();
      if (!field) return std::nullopt;
      value.fields[*key] = *field;
    } while (Take(','));
    if (!Take('}')) return std::nullopt;
    return value;
  }

  std::optional<Json> Array() {
    Json value;
    value.type = Json::Type::Array;
    ++at_;
    if (Take(']')) return value;
    do {
      std::optional<Json> item = Value();
      if (!item) return std::nullopt;
      value.items.push_back(*item);
    } while (Take(','));
    if (!Take(']')) return std::nullopt;
    return value;
  }

  static void AppendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }

  std::optional<std::string> String() {
    if (at_ >= text_.size() || text_[at_] != '"') return std::nullopt;
    ++at_;
    std::string out;
    while (at_ < text_.size() && text_[at_] != '"') {
      char c = text_[at_++];
      if (c != '\\') {
        out += c;
        continue;
      }
      if (at_ >= text_.size()) return std::nullopt;
      c = text_[at_++];
      switch (c) {
        case 'n':
          out += '\n';
          break;
        case 'r':
          out += '\r';
          break;
        case 't':
          out += '\t';
          break;
        case 'b':
          out += '\b';
          break;
        case 'f':
          out += '\f';
          break;
        case 'u': {
          if (at_ + 4 > text_.size()) return std::nullopt;
          AppendUtf8(out, static_cast<unsigned>(
                              std::stoul(std::string(text_.substr(at_, 4)), nullptr, 16)));
          at_ += 4;
          break;
        }
        default:
          out += c;
      }
    }
    if (at_ >= text_.size()) return std::nullopt;
    ++at_;
    return out;
  }

  std::string_view text_;
  size_t at_ = 0;
};

}  // namespace tarnvelock::e2e
