#include "IpTestSteps.h"

SimOptions FastIpAtMonitor() {
    SimOptions options;
    options.module = SimModule::Ip;
    options.ipStart = SimIpStart::Monitor;
    options.bPaceUart = false; // the module's answers are tested here, the line in LineTest
    options.dEraseSecondsPerSector = 0.001;
    options.dProgramBytesPerSecond = 1e8;
    options.dRebootSeconds = 0.3;
    options.dKernelBootSeconds = 0.2;
    options.dLoginFailDelaySeconds = 0.3;
    options.nBootDelaySeconds = 1;
    return options;
}

std::string LoadImage(CSimClient& client, const TestImage& image) {
    client.Send("loads 10000\r");
    std::string strText = client.ReadUntil("download ...\r\n");
    client.Send(image.strSrec);
    return strText + client.ReadUntil("=> ", 20000);
}

std::string Command(CSimClient& client, const std::string& strCommand) {
    client.Send(strCommand);
    return client.ReadUntil("=> ");
}

bool Contains(const std::string& strText, const std::string& strPart) {
    return strText.find(strPart) != std::string::npos;
}
