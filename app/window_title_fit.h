// Window titles are drawn by the window manager, which elides a title that
// does not fit between the frame's icon and buttons. A narrow dialog widens
// itself so that its title shows in full.
#pragma once

#include <QString>

class QWidget;

namespace tintara {

// The window width that holds `title` in the bold title face frames commonly
// use, with room for the icon and three buttons beside it.
int WidthForWindowTitle(const QString& title);

// Raises the window's minimum width to WidthForWindowTitle of its title, and
// to its layout's minimum width. Call it once the layout is complete.
void FitWidthToTitle(QWidget* window);

}  // namespace tintara
