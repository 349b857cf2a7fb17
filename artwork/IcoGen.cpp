// Build-time program: writes the application icon, drawn by the program's
// own artwork code, as the icon file the Windows resource script takes.
#include <cstdio>
#include <fstream>

#include "artwork/Artwork.h"
#include "artwork/IcoFile.h"

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: ktr84-icogen OUTPUT.ico\n");
        return 2;
    }
    std::vector<CCanvas> pictures;
    for (int nSize : {16, 20, 24, 32, 40, 48, 64, 256})
        pictures.push_back(DrawIconPixels(nSize));
    std::ofstream out(argv[1], std::ios::binary);
    out << IcoFileBytes(pictures);
    if (!out.flush()) {
        std::fprintf(stderr, "ktr84-icogen: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
