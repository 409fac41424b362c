// The account on Windows: the user name. Files are not handed to another
// account here; the tests that would need it do not run.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#define UNICODE
#include <windows.h>

#include "platform/user_account.h"
#include "platform/win32_error.h"

namespace tarnvelock {

std::wstring AccountId() {
  wchar_t name[257] = {};
  DWORD size = sizeof name / sizeof name[0];
  if (!::GetUserNameW(name, &size)) return {};
  return name;
}

bool MayChangeOwners() {
  return false;
}

IoStatus GiveToAnotherAccount(const std::wstring& path) {
  return IoStatus::Failure(L"Cannot change the owner of \"" + path + L"\": " +
                           Win32ErrorText(ERROR_NOT_SUPPORTED));
}

}  // namespace tarnvelock
