#include "TestImage.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

std::string ReadAll(const std::string& strPath) {
    std::ifstream in(strPath, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

bool BuildTestImage(size_t nSize, TestImage& out) {
    char dirTemplate[] = "/tmp/ktr84-simtest-XXXXXX";
    if (mkdtemp(dirTemplate) == nullptr) {
        return false;
    }
    std::string strDir = dirTemplate;
    {
        std::ofstream data(strDir + "/data.bin", std::ios::binary);
        uint32_t nState = 0x8484;
        for (size_t i = 0; i < nSize; ++i) {
            nState = nState * 1103515245u + 12345u;
            data.put(static_cast<char>(nState >> 16));
        }
    }
    std::string strCommands =
        "cd " + strDir +
        " && mkimage -A arm -O linux -T filesystem -C none -a 0 -e 0 -n ktr84-test -d data.bin "
        "fs.img >/dev/null && srec_cat fs.img -binary -o fs.srec -motorola -line-length=78 "
        "-execution-start-address=0";
    bool bOk = std::system(strCommands.c_str()) == 0;
    if (bOk) {
        std::string strImage = ReadAll(strDir + "/fs.img");
        out.image.assign(strImage.begin(), strImage.end());
        std::istringstream srec(ReadAll(strDir + "/fs.srec"));
        out.strSrec.clear();
        out.lines.clear();
        for (std::string strLine; std::getline(srec, strLine);) {
            if (!strLine.empty() && strLine.back() == '\r') {
                strLine.pop_back();
            }
            out.lines.push_back(strLine);
            out.strSrec += strLine + "\r\n";
        }
    }
    std::system(("rm -rf " + strDir).c_str());
    return bOk && !out.lines.empty();
}
