#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A legacy U-Boot file system image made with mkimage from nSize bytes of
// deterministic data, and its S-record text (srec_cat) with CR LF line ends.
struct TestImage {
    std::vector<uint8_t> image; // header and data, as stored in memory
    std::string strSrec;
    std::vector<std::string> lines; // the S-record lines without line ends
};

bool BuildTestImage(size_t nSize, TestImage& out);
