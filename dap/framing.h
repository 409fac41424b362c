// The Debug Adapter Protocol's base protocol: every message is a header
// block ("Content-Length: N", other header lines allowed, ended by an empty
// line, each line ended by CR LF) followed by exactly N bytes of JSON.
// MessageReader takes the bytes as they arrive, in any slicing, and hands out
// whole bodies; FrameMessage puts the header in front of a body.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tarnvelock::dap {

// A body longer than this is refused rather than buffered without end.
inline constexpr std::size_t kMaxBodyBytes = 64u * 1024u * 1024u;

class MessageReader {
 public:
  // What Next found.
  struct Result {
    enum class Kind { Incomplete, Body, BadHeader } kind = Kind::Incomplete;
    std::string body;   // Body: the message's JSON text
    std::string error;  // BadHeader: what was wrong
  };

  void Feed(std::string_view bytes) { buffer_.append(bytes); }
  // The next complete message. A header block without a usable length is
  // dropped whole, so the stream can go on with the next message.
  Result Next();
  // Bytes received but not yet handed out.
  std::size_t Pending() const { return buffer_.size(); }

 private:
  std::string buffer_;
};

std::string FrameMessage(std::string_view body);

}  // namespace tarnvelock::dap
