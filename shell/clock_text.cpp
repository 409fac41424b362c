// The date and the time in the interpreter's English forms.
#include "shell/clock_text.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace tarnvelock {

namespace {

std::tm LocalNow(int* centiseconds) {
  auto now = std::chrono::system_clock::now();
  std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  auto since = now.time_since_epoch();
  *centiseconds = static_cast<int>(
      std::chrono::duration_cast<std::chrono::milliseconds>(since).count() % 1000 / 10);
  return *std::localtime(&seconds);
}

}  // namespace

std::string DateText() {
  static const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  int centiseconds = 0;
  std::tm now = LocalNow(&centiseconds);
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%s %02d/%02d/%04d", kDays[now.tm_wday % 7], now.tm_mon + 1,
                now.tm_mday, now.tm_year + 1900);
  return buffer;
}

std::string TimeText() {
  int centiseconds = 0;
  std::tm now = LocalNow(&centiseconds);
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%2d:%02d:%02d.%02d", now.tm_hour, now.tm_min, now.tm_sec,
                centiseconds);
  return buffer;
}

std::string ShortTimeText() {
  int centiseconds = 0;
  std::tm now = LocalNow(&centiseconds);
  int hour = now.tm_hour % 12 == 0 ? 12 : now.tm_hour % 12;
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%02d:%02d %s", hour, now.tm_min,
                now.tm_hour < 12 ? "AM" : "PM");
  return buffer;
}

}  // namespace tarnvelock
