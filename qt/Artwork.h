#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

// The program's own artwork, drawn in code: the application icon (a mast
// sending waves) and the logo shown in the main window's corner.
QPixmap DrawIconPixmap(int nSize);
QIcon ApplicationIcon();
QPixmap DrawLogo(QSize size);
