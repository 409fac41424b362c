// OrphanReaper: for tests that kill process trees. While it lives, the
// orphans of this test process's children become its own children, and it
// waits for all of them at the end, so a killed process never lingers as a
// zombie on a system whose init does not reap. Linux only; elsewhere the
// system's init reaps.
#pragma once

#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>
#include <vector>

#ifdef __linux__
#include <sys/prctl.h>
#endif

namespace tarnvelock {

class OrphanReaper {
 public:
  OrphanReaper() {
#ifdef __linux__
    ::prctl(PR_SET_CHILD_SUBREAPER, 1);
#endif
  }
  ~OrphanReaper() {
    ReapAll();
#ifdef __linux__
    ::prctl(PR_SET_CHILD_SUBREAPER, 0);
#endif
  }
  OrphanReaper(const OrphanReaper&) = delete;
  OrphanReaper& operator=(const OrphanReaper&) = delete;

  // Kills pid unless it is gone already; waited for at the end.
  void KillLater(pid_t pid) {
    doomed_.push_back(pid);
  }

  // Kills the doomed and waits, up to five seconds, until no child is left.
  void ReapAll() {
    for (pid_t pid : doomed_) {
      if (pid > 0) ::kill(pid, SIGKILL);
    }
    doomed_.clear();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    for (;;) {
      const pid_t got = ::waitpid(-1, nullptr, WNOHANG);
      if (got < 0) return;  // no child left
      if (got == 0) {
        if (std::chrono::steady_clock::now() > deadline) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }
    }
  }

 private:
  std::vector<pid_t> doomed_;
};

}  // namespace tarnvelock
