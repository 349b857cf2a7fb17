// What the operator reads when the Windows line fails: the reason in the
// system's own words, one line each.
#include <gtest/gtest.h>
#include <windows.h>

#include "console/LineReasons.h"

TEST(WindowsLineReasons, OpenFailuresSayWhatToCheck) {
    const std::string kDevice = "\\\\.\\COM7";
    struct Case {
        int nError;
        std::string strStart;
    };
    const Case cases[] = {
        {ERROR_FILE_NOT_FOUND, "There is no device \\\\.\\COM7: check the cable"},
        {ERROR_PATH_NOT_FOUND, "There is no device \\\\.\\COM7: check the cable"},
        {ERROR_ACCESS_DENIED, "\\\\.\\COM7 is in use by another program."},
        {ERROR_GEN_FAILURE, "\\\\.\\COM7: "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nError);
        const std::string strText = OpenFailureReason(c.nError, kDevice);
        EXPECT_EQ(strText.rfind(c.strStart, 0), 0u) << strText;
        EXPECT_EQ(strText.find_first_of("\r\n"), std::string::npos) << strText;
    }
    EXPECT_EQ(OpenFailureReason(0, kDevice), "");
    // The system's words follow the device, without their line break.
    EXPECT_GT(OpenFailureReason(ERROR_GEN_FAILURE, kDevice).size(), kDevice.size() + 4);
}

TEST(WindowsLineReasons, LostLineNamesTheSystemsReasonInOneLine) {
    for (int nError : {ERROR_DEVICE_NOT_CONNECTED, ERROR_NOT_READY, ERROR_OPERATION_ABORTED}) {
        SCOPED_TRACE(nError);
        const std::string strText = LineLostReason(nError, "\\\\.\\COM7");
        EXPECT_EQ(strText.rfind("The serial adapter went away (\\\\.\\COM7: ", 0), 0u) << strText;
        EXPECT_NE(strText.find("): check that it is plugged in"), std::string::npos) << strText;
        EXPECT_EQ(strText.find(".): check"), std::string::npos) << strText;
        EXPECT_EQ(strText.find_first_of("\r\n"), std::string::npos) << strText;
    }
    EXPECT_EQ(LineLostReason(0, "\\\\.\\COM7"), "");
}
