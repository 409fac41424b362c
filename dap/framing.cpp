// Splitting the adapter's input into messages and framing its output.
#include "dap/framing.h"

#include <cctype>
#include <charconv>

namespace tarnvelock::dap {

namespace {

constexpr std::string_view kHeaderEnd = "\r\n\r\n";
constexpr std::string_view kLengthField = "content-length";

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// The value of the Content-Length line of a header block; nothing when
// there is none or it is not a plain number within bounds.
std::optional<std::size_t> ContentLength(std::string_view header) {
  std::optional<std::size_t> length;
  while (!header.empty()) {
    const std::size_t end = header.find("\r\n");
    const std::string_view line = header.substr(0, end);
    header = end == std::string_view::npos ? std::string_view() : header.substr(end + 2);
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos || Lower(Trim(line.substr(0, colon))) != kLengthField) {
      continue;
    }
    const std::string_view value = Trim(line.substr(colon + 1));
    std::size_t parsed = 0;
    const auto [rest, error] = std::from_chars(value.data(), value.data() + value.size(), parsed);
    if (error != std::errc() || rest != value.data() + value.size() || value.empty() ||
        parsed > kMaxBodyBytes) {
      return std::nullopt;
    }
    length = parsed;
  }
  return length;
}

}  // namespace

MessageReader::Result MessageReader::Next() {
  Result result;
  const std::size_t header_end = buffer_.find(kHeaderEnd);
  if (header_end == std::string::npos) return result;
  const std::optional<std::size_t> length =
      ContentLength(std::string_view(buffer_).substr(0, header_end));
  const std::size_t body_start = header_end + kHeaderEnd.size();
  if (!length) {
    result.kind = Result::Kind::BadHeader;
    result.error = "a message header without a valid Content-Length";
    buffer_.erase(0, body_start);
    return result;
  }
  if (buffer_.size() - body_start < *length) return result;
  result.kind = Result::Kind::Body;
  result.body = buffer_.substr(body_start, *length);
  buffer_.erase(0, body_start + *length);
  return result;
}

std::string FrameMessage(std::string_view body) {
  std::string framed = "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n";
  framed.append(body);
  return framed;
}

}  // namespace tarnvelock::dap
