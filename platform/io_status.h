// IoStatus: the outcome of an operation on the file system or the environment,
// with the operating system's own text when it failed. The debugger shows that
// text to the user unchanged, so it must be a complete sentence.
#pragma once

#include <string>
#include <utility>

namespace tarnvelock {

class [[nodiscard]] IoStatus {
 public:
  IoStatus() = default;
  static IoStatus Failure(std::wstring message) {
    IoStatus status;
    status.ok_ = false;
    status.message_ = std::move(message);
    return status;
  }

  bool ok() const { return ok_; }
  explicit operator bool() const { return ok_; }
  // The failure text; empty when the operation succeeded.
  const std::wstring& message() const { return message_; }

 private:
  bool ok_ = true;
  std::wstring message_;
};

}  // namespace tarnvelock
