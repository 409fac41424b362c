// The account on POSIX systems: the effective user id, and "nobody" as the
// other account (65534 on the common systems).
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/code_page.h"
#include "platform/user_account.h"

namespace tarnvelock {

namespace {

constexpr uid_t kNobody = 65534;

}  // namespace

std::wstring AccountId() {
  return std::to_wstring(::geteuid());
}

bool MayChangeOwners() {
  return ::geteuid() == 0;
}

IoStatus GiveToAnotherAccount(const std::wstring& path) {
  if (::chown(ToUtf8(path).c_str(), kNobody, kNobody) != 0) {
    return IoStatus::Failure(L"Cannot change the owner of \"" + path + L"\": " +
                             FromUtf8(std::strerror(errno)) + L".");
  }
  return {};
}

}  // namespace tarnvelock
