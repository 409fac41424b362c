// The adapter's end of the terminal console: output is appended for the
// relay, typed bytes are handed on once each, and the end is marked.
#include "dap/console_relay.h"

#include <gtest/gtest.h>

#include "platform/virtual_file_system.h"

namespace tarnvelock::dap {
namespace {

TEST(ConsoleRelayTest, OutputIsAppendedTypedBytesComeOnceAndTheEndIsMarked) {
  VirtualFileSystem files;
  ASSERT_TRUE(files.CreateDirectory(L"/s"));
  const RelayFiles names(L"/s/");
  ASSERT_TRUE(files.WriteFile(names.output, "left from an earlier session"));
  {
    ConsoleRelay relay(files, L"/s/");
    EXPECT_EQ(files.Contents(names.output), "") << "a session starts with an empty console";
    relay.Write("Your name? ");
    relay.Write("\r\n");
    EXPECT_EQ(files.Contents(names.output), "Your name? \r\n");
    EXPECT_EQ(relay.TakeTyped(), "");
    ASSERT_TRUE(files.AppendFile(names.typed, "Wor"));
    EXPECT_EQ(relay.TakeTyped(), "Wor");
    ASSERT_TRUE(files.AppendFile(names.typed, "ld\n"));
    EXPECT_EQ(relay.TakeTyped(), "ld\n");
    EXPECT_FALSE(files.FileExists(names.ended));
  }
  EXPECT_TRUE(files.FileExists(names.ended));
}

}  // namespace
}  // namespace tarnvelock::dap
