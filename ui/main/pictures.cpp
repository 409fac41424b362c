// Loads the pictures from the compiled-in resources.
#include "ui/main/pictures.h"

#include <QString>

// The resources live in a static library: register them before first use.
static void InitPictures() {
  Q_INIT_RESOURCE(icons);
}

namespace tarnvelock {

QIcon Picture(const char* name) {
  static const bool initialised = (InitPictures(), true);
  (void)initialised;
  return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

QIcon GlyphPicture(Glyph glyph) {
  switch (glyph) {
    case Glyph::None:
      return {};
    case Glyph::Ignore:
      return Picture("ignore");
    case Glyph::NoDebug:
      return Picture("no_debug");
    case Glyph::GotoTarget:
      return Picture("goto_target");
    case Glyph::BreakPoint:
      return Picture("breakpoint");
    case Glyph::ConditionalBreakPoint:
      return Picture("cond_breakpoint");
    case Glyph::StopPlace:
      return Picture("stop_place");
    case Glyph::ExecArrow:
      return Picture("exec_arrow");
    case Glyph::Echo:
      return Picture("echo");
  }
  return {};
}

}  // namespace tarnvelock
