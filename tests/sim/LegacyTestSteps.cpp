#include "LegacyTestSteps.h"

#include <chrono>
#include <thread>

std::string ResetIntoBootLoader(CSimClient& client) {
    client.Send("reset\r");
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    for (int i = 0; i < 50; ++i) {
        client.Send("b");
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return client.ReadUntil("Login > ");
}

std::string LogInToBootLoader(CSimClient& client) {
    client.Send("root\r");
    std::string strText = client.ReadUntil("Passwd > ");
    client.Send("vexa\r");
    return strText + client.ReadUntil("selection");
}

void SendRecords(CSimClient& client, const std::vector<std::string>& lines) {
    for (const std::string& strLine : lines) {
        client.Send(strLine + "\r");
    }
}
