// Opening, placing, refreshing and closing the track windows.
#include "ui/dialogs/track_windows.h"

#include <algorithm>

#include "core/run/track_files.h"
#include "ui/dialogs/track_form.h"

namespace tarnvelock {

TrackWindows::TrackWindows(QWidget& main_window, const FileSystem& files,
                           const CodePageConverter& pages)
    : QObject(&main_window), main_window_(main_window), files_(files), pages_(pages) {}

void TrackWindows::OpenTrackFile(const std::wstring& value, const std::wstring& current_dir,
                                 PromptView& view) {
  if (const std::optional<std::wstring> path = ResolveTrackFile(value, current_dir, files_, view)) {
    New(*path);
  }
}

TTrackForm* TrackWindows::New(const std::wstring& path) {
  std::optional<int> previous_top;
  if (!windows_.empty()) previous_top = windows_.back()->frameGeometry().top();
  const QRect main = main_window_.frameGeometry();
  const TrackPlacement place = PlaceTrackWindow(main.left(), main.top(), previous_top);

  auto* form = new TTrackForm(files_, pages_, files_.FullPath(path), &main_window_);
  windows_.push_back(form);
  connect(form, &TTrackForm::closed, this, [this](TTrackForm* closing) {
    windows_.erase(std::remove(windows_.begin(), windows_.end(), closing), windows_.end());
  });
  form->move(place.Left, place.Top);
  form->Update();
  form->show();
  if (form->Missing()) {
    main_window_.activateWindow();
  } else {
    form->activateWindow();
  }
  return form;
}

void TrackWindows::UpdateAll() {
  for (TTrackForm* form : windows_) form->Update();
}

void TrackWindows::CloseAll() {
  const std::vector<TTrackForm*> open = std::move(windows_);
  windows_.clear();
  for (TTrackForm* form : open) form->close();
}

}  // namespace tarnvelock
