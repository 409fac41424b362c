// The guard's socket in the user's runtime directory: one left behind by an
// instance that crashed must not keep the next start from becoming the first.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/single_instance.h"

namespace tarnvelock {
namespace {

class StaleGuardTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tarnvelock-guard-XXXXXX";
    runtime_ = ::mkdtemp(pattern);
    const char* old = std::getenv("XDG_RUNTIME_DIR");
    if (old != nullptr) saved_ = old;
    had_runtime_ = old != nullptr;
    ::setenv("XDG_RUNTIME_DIR", runtime_.c_str(), 1);
  }
  void TearDown() override {
    if (had_runtime_) {
      ::setenv("XDG_RUNTIME_DIR", saved_.c_str(), 1);
    } else {
      ::unsetenv("XDG_RUNTIME_DIR");
    }
    std::system(("rm -rf '" + runtime_ + "'").c_str());
  }

  // Binds a socket where the guard of name listens and closes it without
  // removing the file, as a crash does.
  void LeaveStaleSocket(const std::string& name) const {
    const std::string path = runtime_ + "/" + name + "-" + std::to_string(::getuid());
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
    ASSERT_EQ(::access(path.c_str(), F_OK), 0) << "the socket file stays behind";
  }

  std::string runtime_;
  std::string saved_;
  bool had_runtime_ = false;
};

TEST_F(StaleGuardTest, ASocketNobodyAnswersOnIsReplaced) {
  LeaveStaleSocket("Stale");
  InstanceStart start = StartSingleInstance(L"Stale", L"a.bat");
  ASSERT_TRUE(start.status);
  ASSERT_TRUE(start.guard);
  EXPECT_EQ(start.guard->Role(), InstanceRole::First) << "the file is opened here, not lost";
}

}  // namespace
}  // namespace tarnvelock
