// TrackWindows: the open track windows in the order they were opened. It
// turns a pane value into a file and a new window placed in the cascade,
// refreshes every window at each poll of a run and closes them all with the
// batch or the program.
#pragma once

#include <QObject>
#include <QWidget>
#include <string>
#include <vector>

#include "core/run/prompt_view.h"
#include "platform/code_page.h"
#include "platform/file_system.h"

namespace tarnvelock {

class TTrackForm;

class TrackWindows final : public QObject {
  Q_OBJECT

 public:
  TrackWindows(QWidget& main_window, const FileSystem& files, const CodePageConverter& pages);

  // Opens a window for the file value names, relative to current_dir; asks
  // through view when value is empty or names no existing file.
  void OpenTrackFile(const std::wstring& value, const std::wstring& current_dir, PromptView& view);
  // A window for path, placed below the last one, whether or not the file exists.
  TTrackForm* New(const std::wstring& path);
  void UpdateAll();
  void CloseAll();

  const std::vector<TTrackForm*>& Windows() const { return windows_; }

 private:
  QWidget& main_window_;
  const FileSystem& files_;
  const CodePageConverter& pages_;
  std::vector<TTrackForm*> windows_;
};

}  // namespace tarnvelock
