// JSON output must stay parseable whatever text a batch line holds.
#include "cli/json_writer.h"

#include <gtest/gtest.h>

namespace tarnvelock {
namespace {

TEST(JsonWriterTest, NestsAndSeparatesValues) {
  JsonWriter json;
  json.BeginObject().Key("a").Number(-3).Key("b").BeginArray().Bool(true).Bool(false);
  json.BeginObject().Key("c").String(L"x").EndObject().EndArray().EndObject();
  EXPECT_EQ(json.text(), R"({"a":-3,"b":[true,false,{"c":"x"}]})");
}

TEST(JsonWriterTest, EscapesQuotesBackslashesAndControlCharacters) {
  JsonWriter json;
  json.String(L"echo \"a\\b\"\t\r\n\x0e \u00e4");
  EXPECT_EQ(json.text(), "\"echo \\\"a\\\\b\\\"\\t\\r\\n\\u000e \xC3\xA4\"");
}

}  // namespace
}  // namespace tarnvelock
