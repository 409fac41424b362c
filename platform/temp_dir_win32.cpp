// The private temporary directories on Windows: the user's own temporary
// directory (GetTempPath in its long form) as the base.
#include <windows.h>

#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/temp_dir.h"

namespace tarnvelock {

namespace {

std::wstring WithoutTrailingSeparators(std::wstring path) {
  while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
  return path;
}

IoStatus Refusal(const std::wstring& path, const std::wstring& why) {
  return IoStatus::Failure(L"The temporary directory \"" + path + L"\" cannot be used: " + why);
}

// A directory, not a junction or link that would lead elsewhere.
IoStatus CheckDirectory(const std::wstring& path, const std::wstring& native) {
  const DWORD attributes = ::GetFileAttributesW(native.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return Refusal(path, L"it cannot be created.");
  if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return Refusal(path, L"it is a link.");
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return Refusal(path, L"it is not a directory.");
  return {};
}

}  // namespace

std::wstring SystemTempBase() {
  std::vector<wchar_t> buffer(MAX_PATH + 1);
  DWORD length = ::GetTempPathW(static_cast<DWORD>(buffer.size()), buffer.data());
  if (length > buffer.size()) {
    buffer.resize(length + 1);
    length = ::GetTempPathW(static_cast<DWORD>(buffer.size()), buffer.data());
  }
  std::wstring base(buffer.data(), length);
  std::vector<wchar_t> long_form(32768);
  const DWORD long_length =
      ::GetLongPathNameW(base.c_str(), long_form.data(), static_cast<DWORD>(long_form.size()));
  if (long_length != 0 && long_length < long_form.size()) {
    base.assign(long_form.data(), long_length);
  }
  if (base.empty() || (base.back() != L'\\' && base.back() != L'/')) base += L'\\';
  return base;
}

IoStatus EnsurePrivateDirectory(const std::wstring& path) {
  const std::wstring native = WithoutTrailingSeparators(path);
  ::CreateDirectoryW(native.c_str(), nullptr);
  return CheckDirectory(path, native);
}

IoStatus RecreatePrivateDirectory(const std::wstring& path) {
  const std::wstring native = WithoutTrailingSeparators(path);
  std::error_code error;
  std::filesystem::remove_all(native, error);
  if (error) return Refusal(path, L"what is left in it cannot be removed.");
  if (!::CreateDirectoryW(native.c_str(), nullptr)) return Refusal(path, L"it cannot be created.");
  return CheckDirectory(path, native);
}

}  // namespace tarnvelock
