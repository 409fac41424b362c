// The process environment on POSIX systems.
#include <stdlib.h>

#include "platform/code_page.h"
#include "platform/environment.h"

extern char** environ;

namespace tarnvelock {

namespace {

class PosixEnvironment final : public Environment {
 public:
  std::optional<std::wstring> Get(const std::wstring& name) const override {
    const char* value = ::getenv(ToUtf8(name).c_str());
    if (value == nullptr) return std::nullopt;
    return FromUtf8(value);
  }

  void Set(const std::wstring& name, const std::wstring& value) override {
    ::setenv(ToUtf8(name).c_str(), ToUtf8(value).c_str(), 1);
  }

  void Unset(const std::wstring& name) override { ::unsetenv(ToUtf8(name).c_str()); }

  EnvironmentBlock Snapshot() const override {
    EnvironmentBlock block;
    for (char** entry = environ; *entry != nullptr; ++entry) {
      const std::wstring text = FromUtf8(*entry);
      const size_t equals = text.find(L'=');
      if (equals == std::wstring::npos) continue;
      block.emplace_back(text.substr(0, equals), text.substr(equals + 1));
    }
    return block;
  }
};

}  // namespace

Environment& ProcessEnvironment() {
  static PosixEnvironment environment;
  return environment;
}

}  // namespace tarnvelock
