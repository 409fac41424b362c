// The text windows' font and line lists.
#include "ui/dialogs/fixed_font.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

namespace tarnvelock {

QFont FixedPitchFont(int pixel_size) {
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  if (!QFontInfo(font).fixedPitch()) font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPixelSize(pixel_size);
  return font;
}

void FillLines(QListWidget& list, const std::vector<std::wstring>& lines) {
  QStringList texts;
  texts.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::wstring& line : lines) texts.append(QString::fromStdWString(line));
  list.clear();
  list.addItems(texts);
}

}  // namespace tarnvelock
