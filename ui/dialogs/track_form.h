// TTrackForm: one track window - a top-level window owned by the main
// window that lists the lines of one text file and keeps the last line in
// view. White while the file exists, grey and empty while it is missing.
// TrackWindows opens, refreshes and closes them.
#pragma once

#include <QListWidget>
#include <QWidget>
#include <string>

#include "core/run/track_files.h"

namespace tarnvelock {

class TTrackForm final : public QWidget {
  Q_OBJECT

 public:
  TTrackForm(const FileSystem& files, const CodePageConverter& pages, const std::wstring& path,
             QWidget* main_window);

  // Reloads the list when the file changed, appeared or went away.
  void Update();
  bool Missing() const { return file_.Missing(); }
  const std::wstring& Path() const { return file_.Path(); }
  QListWidget* ListBox() const { return list_; }

 signals:
  // The window is closing and will be deleted.
  void closed(TTrackForm* form);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SelectLastLine();
  void SetMissingLook(bool missing);

  TrackedFile file_;
  QListWidget* list_;
};

}  // namespace tarnvelock
