// ktr84-srecheck --sender legacy|ip IMAGE [--copy-to FILE] [--stamp FILE]
// Refuses an image that its sender could not stream as it stands, naming the
// file, the line and the reason. A valid image is copied to --copy-to (so the
// build only ever sees checked bytes) and the --stamp file is written.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/SrecValidator.h"

namespace {

struct CheckArgs {
    std::string strImage;
    std::string strCopyTo;
    std::string strStamp;
    int32_t nMaxLine = 0;
};

bool ParseArgs(int argc, char** argv, CheckArgs& args) {
    for (int i = 1; i < argc; ++i) {
        std::string strArg = argv[i];
        bool bHasValue = i + 1 < argc;
        if (strArg == "--sender" && bHasValue) {
            std::string strSender = argv[++i];
            args.nMaxLine = strSender == "legacy" ? kLegacyMaxLine
                            : strSender == "ip"   ? kIpMaxLine
                                                  : 0;
        } else if (strArg == "--copy-to" && bHasValue) {
            args.strCopyTo = argv[++i];
        } else if (strArg == "--stamp" && bHasValue) {
            args.strStamp = argv[++i];
        } else if (args.strImage.empty() && strArg.rfind("--", 0) != 0) {
            args.strImage = strArg;
        } else {
            return false;
        }
    }
    return args.nMaxLine != 0 && !args.strImage.empty();
}

bool WriteFile(const std::string& strPath, const std::vector<uint8_t>& bytes) {
    std::string strTemp = strPath + ".tmp";
    std::ofstream out(strTemp, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    std::error_code error;
    if (out)
        std::filesystem::rename(strTemp, strPath, error);
    return out && !error;
}

} // namespace

int main(int argc, char** argv) {
    CheckArgs args;
    if (!ParseArgs(argc, argv, args)) {
        std::fprintf(stderr, "usage: %s --sender legacy|ip IMAGE [--copy-to FILE] [--stamp FILE]\n",
                     argv[0]);
        return 2;
    }
    std::ifstream in(args.strImage, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "%s: error: firmware image missing or unreadable\n",
                     args.strImage.c_str());
        return 1;
    }
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    SrecVerdict verdict = ValidateSrecImage(bytes.data(), bytes.size(), args.nMaxLine);
    if (!verdict.bOk) {
        std::string strWhere = args.strImage;
        if (verdict.nLine > 0)
            strWhere += ":" + std::to_string(verdict.nLine);
        std::fprintf(stderr, "%s: error: firmware image refused: %s\n", strWhere.c_str(),
                     verdict.strReason.c_str());
        return 1;
    }
    if (!args.strCopyTo.empty() && !WriteFile(args.strCopyTo, bytes)) {
        std::fprintf(stderr, "%s: error: cannot write\n", args.strCopyTo.c_str());
        return 1;
    }
    if (!args.strStamp.empty() && !WriteFile(args.strStamp, {})) {
        std::fprintf(stderr, "%s: error: cannot write\n", args.strStamp.c_str());
        return 1;
    }
    return 0;
}
