// The single-instance guard: the first instance of the program takes a name
// that a later one finds; a later instance started with arguments hands them
// to the first one and ends, one started without arguments runs as an
// independent instance.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/io_status.h"

namespace tarnvelock {

// What a start of the guard found.
enum class InstanceRole {
  First,        // no other instance: this one takes hand-overs from now on
  HandedOver,   // the arguments went to the running instance; end this one
  GaveUp,       // the running instance did not let go of the guard in time; end
  Independent,  // another instance runs, and this one runs beside it
};

// Receives the arguments a later instance handed over, joined by blanks.
using HandOverReceiver = std::function<void(const std::wstring& arguments)>;

class SingleInstance {
 public:
  virtual ~SingleInstance() = default;

  InstanceRole Role() const { return role_; }
  // From now on every hand-over is given to receiver; a later instance waits
  // until receiver has returned.
  void SetReceiver(HandOverReceiver receiver) { receiver_ = std::move(receiver); }
  // Takes the hand-overs that have arrived. Call it from the user-interface
  // thread's timer; on Windows the toolkit's message loop delivers them too.
  virtual void Poll() = 0;

 protected:
  explicit SingleInstance(InstanceRole role) : role_(role) {}
  void Deliver(const std::wstring& arguments) const {
    if (receiver_) receiver_(arguments);
  }

 private:
  InstanceRole role_;
  HandOverReceiver receiver_;
};

struct InstanceStart {
  std::unique_ptr<SingleInstance> guard;  // none when the start failed
  IoStatus status;                        // the system's error when it failed
};

// Runs the guard under name for an instance started with arguments (empty
// when it was started without any).
InstanceStart StartSingleInstance(const std::wstring& name, const std::wstring& arguments);

// Brings the top-level window (a native window handle as a number) to the
// front, taking the focus from the window that has it; nothing where the
// system has no such call.
void BringWindowToFront(std::uintptr_t window);

}  // namespace tarnvelock
