// The pictures of the main window: the glyphs of the source view's gutter and
// the toolbar's buttons, drawn as SVG so that they stay crisp at any scale.
#pragma once

#include <QIcon>

#include "core/run/source_row.h"

namespace tarnvelock {

// A picture of the resource folder by name ("open", "breakpoint", ...).
QIcon Picture(const char* name);
// The picture of a gutter glyph; a null icon for Glyph::None.
QIcon GlyphPicture(Glyph glyph);

}  // namespace tarnvelock
