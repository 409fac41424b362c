// The private temporary directory on Windows: the base is the system's
// temporary path in its long form; the directory gets a protected access list
// that lets only this user (and the system account) in.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#define UNICODE
#include <windows.h>
// These need the definitions of windows.h first.
#include <aclapi.h>
#include <sddl.h>

#include <filesystem>
#include <memory>
#include <system_error>

#include "platform/temp_dir.h"
#include "platform/win32_error.h"

namespace tarnvelock {

namespace {

// The text form of this user's security identifier, empty when unknown.
std::wstring OwnUserSid() {
  HANDLE token = nullptr;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token)) return {};
  DWORD size = 0;
  ::GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  std::unique_ptr<BYTE[]> buffer(new BYTE[size > 0 ? size : 1]);
  std::wstring text;
  if (::GetTokenInformation(token, TokenUser, buffer.get(), size, &size)) {
    wchar_t* sid_text = nullptr;
    if (::ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.get())->User.Sid,
                                 &sid_text)) {
      text = sid_text;
      ::LocalFree(sid_text);
    }
  }
  ::CloseHandle(token);
  return text;
}

// Replaces the directory's access list by one for this user and the system
// account only, not inherited from the parent. False when that is refused.
bool RestrictToOwnUser(const std::wstring& path) {
  const std::wstring sid = OwnUserSid();
  if (sid.empty()) return false;
  const std::wstring sddl = L"D:P(A;OICI;FA;;;" + sid + L")(A;OICI;FA;;;SY)";
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1,
                                                              &descriptor, nullptr)) {
    return false;
  }
  BOOL present = FALSE;
  BOOL defaulted = FALSE;
  PACL dacl = nullptr;
  bool done = false;
  if (::GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted)) {
    done = ::SetNamedSecurityInfoW(const_cast<wchar_t*>(path.c_str()), SE_FILE_OBJECT,
                                   DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                                   nullptr, nullptr, dacl, nullptr) == ERROR_SUCCESS;
  }
  ::LocalFree(descriptor);
  return done;
}

// path without the separators at its end, a drive's root ("C:\\") kept.
std::wstring WithoutTrailingSeparators(std::wstring path) {
  while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
  return path;
}

}  // namespace

std::wstring SystemTempBase() {
  wchar_t short_form[MAX_PATH + 1];
  const DWORD length = ::GetTempPathW(MAX_PATH + 1, short_form);
  std::wstring base = length > 0 ? std::wstring(short_form, length) : std::wstring(L"C:\\");
  const DWORD long_length = ::GetLongPathNameW(base.c_str(), nullptr, 0);
  if (long_length > 0) {
    std::wstring long_form(long_length, L'\0');
    const DWORD written = ::GetLongPathNameW(base.c_str(), long_form.data(), long_length);
    if (written > 0 && written < long_length) base = long_form.substr(0, written);
  }
  if (base.back() != L'\\' && base.back() != L'/') base += L'\\';
  return base;
}

IoStatus EnsurePrivateDirectory(const std::wstring& path) {
  const std::wstring native = WithoutTrailingSeparators(path);
  auto refuse = [&path](const std::wstring& why) {
    return IoStatus::Failure(L"The temporary directory \"" + path + L"\" cannot be used: " + why);
  };
  DWORD attributes = ::GetFileAttributesW(native.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    if (!::CreateDirectoryW(native.c_str(), nullptr))
      return refuse(Win32ErrorText(::GetLastError()));
    attributes = ::GetFileAttributesW(native.c_str());
  }
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return refuse(L"it is a link.");
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return refuse(L"it is not a directory.");
  if (!RestrictToOwnUser(native)) {
    return refuse(L"its access cannot be restricted to this user.");
  }
  return {};
}

IoStatus RecreatePrivateDirectory(const std::wstring& path) {
  // Nothing found in a session directory is trusted: it is emptied whole.
  const std::wstring native = WithoutTrailingSeparators(path);
  std::error_code error;
  std::filesystem::remove_all(native, error);
  if (error) {
    return IoStatus::Failure(L"The temporary directory \"" + path +
                             L"\" cannot be used: what is left in it cannot be removed.");
  }
  return EnsurePrivateDirectory(path);
}

}  // namespace tarnvelock
