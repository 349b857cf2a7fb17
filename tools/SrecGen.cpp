// ktr84-srecgen OUTDIR: writes the five stand-in firmware images into OUTDIR.
#include <cstdio>
#include <fstream>
#include <string>

#include "tools/StandInImages.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    for (const char* pszName : kImageNames) {
        std::string strPath = std::string(argv[1]) + "/" + pszName;
        std::string text = BuildStandInImage(pszName);
        std::ofstream out(strPath, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.close();
        if (!out) {
            std::fprintf(stderr, "%s: cannot write\n", strPath.c_str());
            return 1;
        }
    }
    return 0;
}
