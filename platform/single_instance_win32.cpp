// The single-instance guard on Windows: a named mutex and a hidden window of
// class "TInstanceManager" with the same name; a later instance sends its
// arguments to that window with WM_COPYDATA and waits for the reply.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#define UNICODE
#include <windows.h>

#include "platform/single_instance.h"
#include "platform/win32_error.h"

namespace tarnvelock {

namespace {

constexpr wchar_t kWindowClass[] = L"TInstanceManager";
constexpr DWORD kHandOverWaitMs = 5000;

IoStatus SystemFailure(const wchar_t* what) {
  return IoStatus::Failure(std::wstring(what) + L": " + Win32ErrorText(::GetLastError()));
}

class Win32SingleInstance final : public SingleInstance {
 public:
  Win32SingleInstance(InstanceRole role, HANDLE mutex) : SingleInstance(role), mutex_(mutex) {}
  ~Win32SingleInstance() override {
    if (window_ != nullptr) ::DestroyWindow(window_);
    if (mutex_ != nullptr) ::CloseHandle(mutex_);
  }

  // Makes the hidden window that later instances send to.
  bool CreateWindowFor(const std::wstring& name) {
    window_ = ::CreateWindowExW(0, kWindowClass, name.c_str(), 0, 0, 0, 0, 0, nullptr, nullptr,
                                ::GetModuleHandleW(nullptr), nullptr);
    if (window_ == nullptr) return false;
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return true;
  }

  void Poll() override {
    if (window_ == nullptr) return;
    MSG message;
    while (::PeekMessageW(&message, window_, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
  }

  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message != WM_COPYDATA) return ::DefWindowProcW(window, message, wparam, lparam);
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lparam);
    const auto* self =
        reinterpret_cast<const Win32SingleInstance*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr && data != nullptr && data->lpData != nullptr) {
      const auto* text = static_cast<const wchar_t*>(data->lpData);
      const size_t units = data->cbData / sizeof(wchar_t);
      self->Deliver(std::wstring(text, wcsnlen(text, units)));
    }
    return 1;
  }

 private:
  HANDLE mutex_;
  HWND window_ = nullptr;
};

bool RegisterWindowClass() {
  WNDCLASSW window_class = {};
  window_class.lpfnWndProc = Win32SingleInstance::WindowProcedure;
  window_class.hInstance = ::GetModuleHandleW(nullptr);
  window_class.lpszClassName = kWindowClass;
  return ::RegisterClassW(&window_class) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

InstanceStart StartSingleInstance(const std::wstring& name, const std::wstring& arguments) {
  InstanceStart start;
  if (!RegisterWindowClass()) {
    start.status = SystemFailure(L"The instance window class cannot be registered");
    return start;
  }
  HANDLE mutex = ::CreateMutexW(nullptr, TRUE, name.c_str());
  const bool existed = ::GetLastError() == ERROR_ALREADY_EXISTS;
  if (mutex == nullptr) {
    start.status = SystemFailure(L"The instance guard cannot be created");
    return start;
  }
  if (existed && !arguments.empty()) {
    // The first instance holds the mutex until its window exists.
    const DWORD waited = ::WaitForSingleObject(mutex, kHandOverWaitMs);
    if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) ::ReleaseMutex(mutex);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED) {
      ::CloseHandle(mutex);
      start.guard = std::make_unique<Win32SingleInstance>(InstanceRole::GaveUp, nullptr);
      return start;
    }
    HWND first = ::FindWindowW(kWindowClass, name.c_str());
    if (first == nullptr) {
      start.status = SystemFailure(L"The running instance cannot be found");
      ::CloseHandle(mutex);
      return start;
    }
    std::wstring text = arguments;
    COPYDATASTRUCT data = {};
    data.dwData = 0;
    data.cbData = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    data.lpData = text.data();
    const LRESULT reply = ::SendMessageW(first, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    const InstanceRole role = reply > 0 ? InstanceRole::HandedOver : InstanceRole::Independent;
    start.guard = std::make_unique<Win32SingleInstance>(role, mutex);
    return start;
  }
  auto guard = std::make_unique<Win32SingleInstance>(
      existed ? InstanceRole::Independent : InstanceRole::First, mutex);
  if (!guard->CreateWindowFor(name)) {
    start.status = SystemFailure(L"The instance window cannot be created");
    return start;
  }
  if (!existed) ::ReleaseMutex(mutex);
  start.guard = std::move(guard);
  return start;
}

void BringWindowToFront(std::uintptr_t window) {
  HWND target = reinterpret_cast<HWND>(window);
  HWND foreground = ::GetForegroundWindow();
  const DWORD foreground_thread = ::GetWindowThreadProcessId(foreground, nullptr);
  const DWORD own_thread = ::GetCurrentThreadId();
  const bool attach = foreground != nullptr && foreground_thread != own_thread;
  if (attach) ::AttachThreadInput(foreground_thread, own_thread, TRUE);
  ::SetForegroundWindow(target);
  if (attach) ::AttachThreadInput(foreground_thread, own_thread, FALSE);
}

}  // namespace tarnvelock
