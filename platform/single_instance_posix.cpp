// The single-instance guard on POSIX: the first instance listens on a local
// socket named by the guard's name and the user's id in the user's runtime
// directory; a later one connects, writes its arguments (UTF-8), closes its
// side and waits at most 5 seconds for the one-byte reply "1".
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/code_page.h"
#include "platform/single_instance.h"

namespace tarnvelock {

namespace {

// How long a hand-over may take to arrive once a later instance connected,
// and how long the later instance waits for the first one's answer.
constexpr int kReadTimeoutMs = 5000;

std::string SocketPath(const std::wstring& name) {
  const std::string file = ToUtf8(name) + "-" + std::to_string(::getuid());
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && *runtime == '/') return std::string(runtime) + "/" + file;
  return "/tmp/" + file;
}

IoStatus ErrnoFailure(const std::wstring& what) {
  return IoStatus::Failure(what + L": " + FromUtf8(std::strerror(errno)) + L".");
}

bool FillAddress(const std::string& path, sockaddr_un* address) {
  if (path.size() >= sizeof address->sun_path) return false;
  *address = {};
  address->sun_family = AF_UNIX;
  std::memcpy(address->sun_path, path.c_str(), path.size() + 1);
  return true;
}

// Reads until the other side closes, or nothing comes for a while.
std::string ReadAll(int fd) {
  std::string bytes;
  char buffer[4096];
  for (;;) {
    pollfd ready = {fd, POLLIN, 0};
    if (::poll(&ready, 1, kReadTimeoutMs) <= 0) break;
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    bytes.append(buffer, static_cast<size_t>(got));
  }
  return bytes;
}

class PosixSingleInstance final : public SingleInstance {
 public:
  PosixSingleInstance(InstanceRole role, int listener, std::string path)
      : SingleInstance(role), listener_(listener), path_(std::move(path)) {}
  ~PosixSingleInstance() override {
    if (listener_ < 0) return;
    ::close(listener_);
    ::unlink(path_.c_str());
  }

  void Poll() override {
    if (listener_ < 0) return;
    for (;;) {
      const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
      if (connection < 0) return;  // none waiting (EAGAIN)
      const std::wstring arguments = FromUtf8(ReadAll(connection));
      Deliver(arguments);
      const char reply = '1';
      if (::write(connection, &reply, 1) < 0) {
        // The later instance gave up waiting; nothing to tell it.
      }
      ::close(connection);
    }
  }

 private:
  int listener_;
  std::string path_;
};

// Hands arguments to the instance listening on fd; true when they were sent.
// The first instance answers once it has taken them (its questions to the
// person included); after kReadTimeoutMs they are its business, answered or
// not.
bool HandOver(int fd, const std::wstring& arguments) {
  const std::string bytes = ToUtf8(arguments);
  size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t written = ::write(fd, bytes.data() + sent, bytes.size() - sent);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    sent += static_cast<size_t>(written);
  }
  ::shutdown(fd, SHUT_WR);
  pollfd answered = {fd, POLLIN, 0};
  while (::poll(&answered, 1, kReadTimeoutMs) < 0 && errno == EINTR) {
  }
  return true;
}

}  // namespace

InstanceStart StartSingleInstance(const std::wstring& name, const std::wstring& arguments) {
  InstanceStart start;
  const std::string path = SocketPath(name);
  sockaddr_un address;
  if (!FillAddress(path, &address)) {
    start.status = IoStatus::Failure(L"The instance guard's path is too long: " + FromUtf8(path));
    return start;
  }
  const auto* generic = reinterpret_cast<const sockaddr*>(&address);

  const int client = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (client < 0) {
    start.status = ErrnoFailure(L"The instance guard cannot be created");
    return start;
  }
  if (::connect(client, generic, sizeof address) == 0) {
    InstanceRole role = InstanceRole::Independent;
    if (!arguments.empty() && HandOver(client, arguments)) role = InstanceRole::HandedOver;
    ::close(client);
    start.guard = std::make_unique<PosixSingleInstance>(role, -1, path);
    return start;
  }
  ::close(client);

  // Nobody listens: a socket file left by an instance that died is stale.
  ::unlink(path.c_str());
  const int listener = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (listener < 0 || ::bind(listener, generic, sizeof address) != 0 ||
      ::listen(listener, 8) != 0) {
    start.status = ErrnoFailure(L"The instance guard cannot be created");
    if (listener >= 0) ::close(listener);
    return start;
  }
  start.guard = std::make_unique<PosixSingleInstance>(InstanceRole::First, listener, path);
  return start;
}

void BringWindowToFront(std::uintptr_t /*window*/) {}

}  // namespace tarnvelock
