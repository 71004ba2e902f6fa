// Which pictogram each command shows, as pixmaps and icons in every state.
#pragma once

#include <QIcon>
#include <QPixmap>

#include "app/icon_glyphs.h"
#include "document/command_ids.h"

namespace tintara {

// The glyph at `side` logical pixels for a screen of `devicePixelRatio`;
// disabled glyphs are faded to grey. Each look is drawn once and then shared
// (kept in the application's pixmap cache).
QPixmap GlyphPixmap(Glyph glyph, int side, qreal devicePixelRatio, bool disabled);

// Normal and disabled forms of a glyph at the sizes menus and tool bars use;
// a null icon for kNone.
QIcon GlyphIcon(Glyph glyph);
// The desktop theme's icon of a standard command, else the program's own
// glyph; a null icon for a text-only command.
QIcon CommandIcon(CommandId id);

}  // namespace tintara
