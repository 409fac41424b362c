// The single-instance guard between instances played by threads of the test:
// the first takes the name, a later one with arguments hands them over and
// ends, one without arguments runs beside it, and the name is free again once
// the first has gone.
#include "platform/single_instance.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>
#include <thread>

namespace tarnvelock {
namespace {

using namespace std::chrono_literals;

std::wstring UniqueName() {
  return L"TarnvelockGuardTest" +
         std::to_wstring(std::chrono::steady_clock::now().time_since_epoch().count());
}

// Starts a later instance on a thread of its own while first keeps polling,
// as the first instance's timer would.
InstanceRole LaterInstance(SingleInstance& first, const std::wstring& name,
                           const std::wstring& arguments) {
  auto later = std::async(std::launch::async, [&name, &arguments] {
    InstanceStart start = StartSingleInstance(name, arguments);
    EXPECT_TRUE(start.status) << "later instance";
    return start.guard ? start.guard->Role() : InstanceRole::GaveUp;
  });
  while (later.wait_for(5ms) != std::future_status::ready) first.Poll();
  return later.get();
}

TEST(SingleInstanceTest, ALaterInstanceHandsItsArgumentsToTheFirst) {
  const std::wstring name = UniqueName();
  InstanceStart first = StartSingleInstance(name, L"");
  ASSERT_TRUE(first.status) << first.status.message().size();
  ASSERT_TRUE(first.guard);
  EXPECT_EQ(first.guard->Role(), InstanceRole::First);
  std::wstring received;
  first.guard->SetReceiver([&received](const std::wstring& text) { received = text; });

  EXPECT_EQ(LaterInstance(*first.guard, name, L"C:\\My Batches\\a b.bat"),
            InstanceRole::HandedOver);
  EXPECT_EQ(received, L"C:\\My Batches\\a b.bat");

  received.clear();
  EXPECT_EQ(LaterInstance(*first.guard, name, L""), InstanceRole::Independent);
  EXPECT_TRUE(received.empty()) << "nothing is handed over without arguments";
}

TEST(SingleInstanceTest, ALaterInstanceEndsEvenWhenTheFirstNeverAnswers) {
  const std::wstring name = UniqueName();
  InstanceStart first = StartSingleInstance(name, L"");
  ASSERT_TRUE(first.guard);
  // The first instance is busy and never polls: the later one gives its
  // arguments, waits its while and ends all the same.
  InstanceStart later = StartSingleInstance(name, L"busy.bat");
  ASSERT_TRUE(later.guard);
  EXPECT_EQ(later.guard->Role(), InstanceRole::HandedOver);
}

TEST(SingleInstanceTest, TheNameIsFreeAgainWhenTheFirstInstanceEnds) {
  const std::wstring name = UniqueName();
  {
    InstanceStart first = StartSingleInstance(name, L"");
    ASSERT_TRUE(first.guard);
    EXPECT_EQ(first.guard->Role(), InstanceRole::First);
  }
  InstanceStart again = StartSingleInstance(name, L"x.bat");
  ASSERT_TRUE(again.guard);
  EXPECT_EQ(again.guard->Role(), InstanceRole::First);
}

}  // namespace
}  // namespace tarnvelock
