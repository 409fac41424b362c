// The base protocol must survive any slicing of the input and recover from a
// broken header without losing the messages after it.
#include "dap/framing.h"

#include <gtest/gtest.h>

namespace tarnvelock::dap {
namespace {

using Kind = MessageReader::Result::Kind;

TEST(FramingTest, FramesAndReadsBackBodiesWhateverTheSlicing) {
  const std::string stream = FrameMessage(R"({"seq":1})") + FrameMessage("{\"t\":\"\xC3\xA4\"}");
  for (std::size_t slice = 1; slice <= stream.size(); ++slice) {
    MessageReader reader;
    std::vector<std::string> bodies;
    for (std::size_t at = 0; at < stream.size(); at += slice) {
      reader.Feed(std::string_view(stream).substr(at, slice));
      for (auto r = reader.Next(); r.kind == Kind::Body; r = reader.Next())
        bodies.push_back(r.body);
    }
    ASSERT_EQ(bodies.size(), 2u) << "slice " << slice;
    EXPECT_EQ(bodies[0], R"({"seq":1})");
    EXPECT_EQ(bodies[1], "{\"t\":\"\xC3\xA4\"}");  // the length counts bytes
    EXPECT_EQ(reader.Pending(), 0u);
  }
}

TEST(FramingTest, TakesOtherHeaderLinesAndAnyCaseOfTheLengthField) {
  MessageReader reader;
  reader.Feed("Content-Type: application/json\r\ncontent-LENGTH:  2 \r\n\r\n{}");
  const auto result = reader.Next();
  ASSERT_EQ(result.kind, Kind::Body);
  EXPECT_EQ(result.body, "{}");
}

TEST(FramingTest, WaitsForTheWholeBody) {
  MessageReader reader;
  reader.Feed("Content-Length: 9\r\n\r\n{\"a\":");
  EXPECT_EQ(reader.Next().kind, Kind::Incomplete);
  reader.Feed("123}");
  EXPECT_EQ(reader.Next().body, R"({"a":123})");
}

TEST(FramingTest, DropsABadHeaderAndGoesOnWithTheNextMessage) {
  for (const char* header : {"Content-Length: x1\r\n\r\n", "Content-Type: a\r\n\r\n",
                             "Content-Length: -4\r\n\r\n", "Content-Length: 99999999999\r\n\r\n"}) {
    MessageReader reader;
    reader.Feed(std::string(header) + FrameMessage("{}"));
    EXPECT_EQ(reader.Next().kind, Kind::BadHeader) << header;
    const auto next = reader.Next();
    EXPECT_EQ(next.kind, Kind::Body) << header;
    EXPECT_EQ(next.body, "{}");
  }
}

}  // namespace
}  // namespace tarnvelock::dap
