// The process environment on Windows, through the wide environment functions.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#define UNICODE
#include <windows.h>

#include "platform/environment.h"

namespace tarnvelock {

namespace {

class Win32Environment final : public Environment {
 public:
  std::optional<std::wstring> Get(const std::wstring& name) const override {
    std::wstring value(256, L'\0');
    for (;;) {
      ::SetLastError(ERROR_SUCCESS);
      const DWORD length =
          ::GetEnvironmentVariableW(name.c_str(), value.data(), static_cast<DWORD>(value.size()));
      if (length == 0) {
        if (::GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
        return std::wstring();
      }
      if (length < value.size()) {
        value.resize(length);
        return value;
      }
      value.resize(length);
    }
  }

  void Set(const std::wstring& name, const std::wstring& value) override {
    ::SetEnvironmentVariableW(name.c_str(), value.c_str());
  }

  void Unset(const std::wstring& name) override {
    ::SetEnvironmentVariableW(name.c_str(), nullptr);
  }

  EnvironmentBlock Snapshot() const override {
    EnvironmentBlock block;
    wchar_t* strings = ::GetEnvironmentStringsW();
    if (strings == nullptr) return block;
    for (const wchar_t* entry = strings; *entry != L'\0'; entry += std::wcslen(entry) + 1) {
      const std::wstring text = entry;
      // The "=C:=C:\dir" entries are the per-drive current directories.
      const size_t equals = text.find(L'=', 1);
      if (text[0] == L'=' || equals == std::wstring::npos) continue;
      block.emplace_back(text.substr(0, equals), text.substr(equals + 1));
    }
    ::FreeEnvironmentStringsW(strings);
    return block;
  }
};

}  // namespace

Environment& ProcessEnvironment() {
  static Win32Environment environment;
  return environment;
}

}  // namespace tarnvelock
