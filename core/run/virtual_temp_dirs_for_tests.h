// VirtualTempDirs: the temporary-directory facility over a VirtualFileSystem,
// for tests. Directories are made on the virtual disk; locks live in a table
// that every facility made by the same object shares, the way processes
// share the real disk, so that two sessions over it keep apart.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "core/run/session_directory.h"
#include "platform/virtual_file_system.h"

namespace tarnvelock {

class VirtualTempDirs {
 public:
  VirtualTempDirs(VirtualFileSystem& disk, std::wstring system_base)
      : disk_(disk), system_base_(std::move(system_base)) {}

  TempDirFacility Facility() {
    return TempDirFacility{[this] { return system_base_; },
                           [this](const std::wstring& dir) {
                             return disk_.DirectoryExists(dir) ? IoStatus()
                                                               : disk_.CreateDirectory(dir);
                           },
                           [this](const std::wstring& path) {
                             LockAttempt attempt;
                             const std::wstring full = disk_.FullPath(path);
                             // A lock whose file was removed holds nothing any more.
                             if (locked_->count(full) != 0 && disk_.FileExists(full)) {
                               attempt.busy = true;
                             } else if (IoStatus made = disk_.AppendFile(full, ""); !made) {
                               attempt.status = made;
                             } else {
                               attempt.lock = std::make_unique<Lock>(disk_, locked_, full);
                             }
                             return attempt;
                           },
                           [this](const std::wstring& dir) {
                             disk_.RemoveTree(dir);
                             return disk_.CreateDirectory(dir);
                           }};
  }

  // A facility that keeps its own VirtualTempDirs alive, for a session whose
  // test does not need to look at the locks.
  static TempDirFacility Standalone(VirtualFileSystem& disk, std::wstring system_base) {
    auto dirs = std::make_shared<VirtualTempDirs>(disk, std::move(system_base));
    TempDirFacility facility = dirs->Facility();
    facility.SystemBase = [dirs, base = facility.SystemBase] { return base(); };
    return facility;
  }

  bool Locked(const std::wstring& path) const {
    const std::wstring full = disk_.FullPath(path);
    return locked_->count(full) != 0 && disk_.FileExists(full);
  }

 private:
  class Lock;
  using Table = std::map<std::wstring, const Lock*>;
  class Lock final : public FileLock {
   public:
    Lock(VirtualFileSystem& disk, std::shared_ptr<Table> table, std::wstring path)
        : disk_(disk), table_(std::move(table)), path_(std::move(path)) {
      (*table_)[path_] = this;
    }
    ~Lock() override {
      if (const auto it = table_->find(path_); it != table_->end() && it->second == this) {
        table_->erase(it);
      }
    }
    bool StillHeld() const override { return disk_.FileExists(path_); }

   private:
    VirtualFileSystem& disk_;
    std::shared_ptr<Table> table_;
    std::wstring path_;
  };

  VirtualFileSystem& disk_;
  std::wstring system_base_;
  std::shared_ptr<Table> locked_ = std::make_shared<Table>();
};

}  // namespace tarnvelock
