// Build-time program: writes the application icon, drawn by the program's own
// artwork code, as a PNG of the given size for the desktop's icon theme.
#include <QGuiApplication>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>

#include "qt/Artwork.h"

int main(int argc, char* argv[]) {
    if (argc != 3 || std::atoi(argv[2]) < 16 || std::atoi(argv[2]) > 1024) {
        std::fprintf(stderr, "usage: ktr84-iconpng OUTPUT.png SIZE (16..1024)\n");
        return 2;
    }
    // Drawing needs no display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QPixmap icon = DrawIconPixmap(std::atoi(argv[2]));
    if (!icon.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "ktr84-iconpng: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
