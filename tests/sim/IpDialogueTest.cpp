// The IP-Enabled Controller: operating system console, boot monitor and the
// flash sequence on a real mkimage image.

#include "IpTestSteps.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(IpDialogue, LogInRebootAndStopTheAutoboot) {
    SimOptions options = FastIpAtMonitor();
    options.ipStart = SimIpStart::Login;
    options.strIpPassword = "secret";
    CModuleSim sim(options);
    ASSERT_TRUE(sim.Start());
    CSimClient client(sim.DevicePath());

    client.Send("\r");
    EXPECT_TRUE(Contains(client.ReadUntil("login: "), "ktr84-ipc login: "));
    client.Send("root\r");
    EXPECT_EQ(client.ReadUntil("Password: "), "root\r\nPassword: ");
    client.Send("wrong\r");
    std::string strText = client.ReadUntil("Login incorrect\r\n");
    EXPECT_TRUE(Contains(strText, "Login incorrect")) << Visible(strText);
    EXPECT_FALSE(Contains(strText, "wrong"));
    // The next prompt is a separate piece of text, after a pause of its own.
    EXPECT_EQ(client.ReadUntil("login: "), "\r\nktr84-ipc login: ");
    client.Send("root\r");
    client.ReadUntil("Password: ");
    client.Send("secret\r");
    EXPECT_EQ(client.ReadUntil("# "), "\r\n# ");
    // On the module's clock the name came only after both pauses (0.3 s each).
    const auto transcript = sim.Transcript();
    const auto wrong = std::find_if(transcript.begin(), transcript.end(),
                                    [](const auto& e) { return e.strCommand == "wrong"; });
    ASSERT_TRUE(wrong != transcript.end() && wrong + 1 != transcript.end());
    EXPECT_EQ(wrong[1].strCommand, "root");
    EXPECT_GE(wrong[1].nMs - wrong->nMs, 600);

    client.Send("reboot\r");
    strText = client.ReadUntil("autoboot:  1 ");
    EXPECT_TRUE(Contains(strText, "The system is going down")) << Visible(strText);
    EXPECT_TRUE(Contains(strText, "U-Boot")) << Visible(strText);
    for (const char* pszForbidden : {"=>", "login", "#", "$", "Password"}) {
        EXPECT_FALSE(Contains(strText, pszForbidden)) << pszForbidden << " in " << Visible(strText);
    }
    client.Send("\r");
    EXPECT_EQ(client.ReadUntil("=> "), "\b\b\b 0 \r\n=> ");
    client.Send("\r");
    EXPECT_EQ(client.ReadUntil("=> "), "\r\n=> ");
    EXPECT_FALSE(sim.Booted());
}

TEST(IpDialogue, AutobootWithoutAKeyBootsTheSystem) {
    SimOptions options = FastIpAtMonitor();
    options.ipStart = SimIpStart::Shell;
    CModuleSim sim(options);
    ASSERT_TRUE(sim.Start());
    CSimClient client(sim.DevicePath());
    client.Send("\r");
    EXPECT_EQ(client.ReadUntil("# "), "\r\n# ");
    client.Send("reboot\r");
    std::string strText = client.ReadUntil("login: ");
    EXPECT_TRUE(Contains(strText, "\b\b\b 0 \r\n## Booting kernel")) << Visible(strText);
    EXPECT_TRUE(sim.Booted());
}

TEST(IpDialogue, BaudSwitchWaitsForACarriageReturnAtTheNewRate) {
    CModuleSim sim(FastIpAtMonitor());
    ASSERT_TRUE(sim.Start());
    CSimClient client(sim.DevicePath());
    client.Send("setenv baudrate 9600\r");
    EXPECT_EQ(client.ReadUntil("=> "), "setenv baudrate 9600\r\n=> ");
    client.Send("setenv baudrate 115200\r");
    EXPECT_EQ(client.ReadUntil("ENTER ...\r\n"),
              "setenv baudrate 115200\r\n## Switch baudrate to 115200 bps and press ENTER ...\r\n");
    // A carriage return still sent at the old rate arrives garbled and is ignored.
    client.Send("\r");
    std::string strGarbage = client.ReadFor(200);
    EXPECT_EQ(strGarbage.find("=> "), std::string::npos) << Visible(strGarbage);
    client.SetBaud(115200);
    client.Send("\r");
    EXPECT_EQ(client.ReadUntil("=> "), "=> ");
    EXPECT_EQ(sim.ModuleBaud(), 115200);
    // The transcript says when the module switched and what it lost before.
    const auto transcript = sim.Transcript();
    ASSERT_GE(transcript.size(), 3u);
    EXPECT_EQ(transcript[transcript.size() - 2].strCommand,
              "<switched to 115200 baud, lost 1 byte>");
    EXPECT_EQ(transcript.back().strCommand, "");
    EXPECT_EQ(transcript.back().nBaud, 115200);
    client.Send("setenv baudrate 12345\r");
    EXPECT_EQ(client.ReadUntil("=> "), "setenv baudrate 12345\r\n## Baudrate 12345 bps not "
                                       "supported\r\n## Error inserting \"baudrate\" variable, "
                                       "errno=22\r\n=> ");
}

TEST(IpDialogue, FlashSequenceOnARealImage) {
    TestImage image;
    ASSERT_TRUE(BuildTestImage(6000, image));
    const auto nSize = static_cast<uint32_t>(image.image.size());
    CModuleSim sim(FastIpAtMonitor());
    ASSERT_TRUE(sim.Start());
    CSimClient client(sim.DevicePath());

    std::string strText = LoadImage(client, image);
    EXPECT_TRUE(Contains(strText, "loads 10000\r\n## Ready for S-Record download ...\r\n"));
    EXPECT_TRUE(Contains(strText, image.lines[1] + "\r\r\n")) << "every line is echoed";
    char summary[200];
    snprintf(summary, sizeof summary,
             "\r\n## First Load Addr = 0x00010000\r\n## Last  Load Addr = 0x%08X\r\n"
             "## Total Size      = 0x%08X = %u Bytes\r\n## Start Addr      = 0x00000000\r\n=> ",
             0x10000 + nSize - 1, nSize, nSize);
    EXPECT_TRUE(Contains(strText, summary)) << Visible(strText);
    EXPECT_EQ(sim.ReadMemory(0x10000, nSize), image.image);
    // loads is not repeated by a bare carriage return.
    EXPECT_EQ(Command(client, "\r"), "\r\n=> ");

    strText = Command(client, "imi 10000\r");
    EXPECT_TRUE(Contains(strText, "imi 10000\r\n\r\n## Checking Image at 00010000 ...\r\n"
                                  "   Legacy image found\r\n   Image Name:   ktr84-test\r\n"))
        << Visible(strText);
    EXPECT_TRUE(Contains(strText, "   Image Type:   ARM Linux Filesystem Image (uncompressed)\r\n"
                                  "   Data Size:    6000 Bytes = 5.9 KiB\r\n"
                                  "   Load Address: 00000000\r\n   Entry Point:  00000000\r\n"
                                  "   Verifying Checksum ... OK\r\n=> "))
        << Visible(strText);
    // imi is repeatable.
    EXPECT_TRUE(Contains(Command(client, "\r"), "## Checking Image at 00010000"));

    EXPECT_EQ(Command(client, "cp.b 10000 400E0000 $(filesize) \r"),
              "cp.b 10000 400E0000 $(filesize) \r\nCopy to Flash... Flash not Erased\r\n=> ");
    EXPECT_EQ(Command(client, "erase 400E1000 4031ffff\r"),
              "erase 400E1000 4031ffff\r\nError: start address not on sector boundary\r\n=> ");
    EXPECT_EQ(Command(client, "erase 400E0000 4031fff0\r"),
              "erase 400E0000 4031fff0\r\nError: end address not on sector boundary\r\n=> ");
    EXPECT_EQ(Command(client, "erase 400E0000 4031ffff\r"),
              "erase 400E0000 4031ffff\r\n\r\n.................. done\r\nErased 18 sectors\r\n=> ");
    EXPECT_EQ(sim.ReadMemory(0x4031FFFF, 1)[0], 0xFF);
    EXPECT_EQ(Command(client, "cp.b 10000 400E0000 ${filesize}\r"),
              "cp.b 10000 400E0000 ${filesize}\r\nCopy to Flash... done\r\n=> ");
    EXPECT_EQ(sim.ReadMemory(0x400E0000, nSize), image.image);
    EXPECT_TRUE(Contains(Command(client, "imi 400E0000\r"), "Verifying Checksum ... OK\r\n=> "));
    EXPECT_EQ(Command(client, "echo\r"), "echo\r\n\r\n=> ");
    EXPECT_EQ(
        Command(client, "echo $(filesize)\r"), "echo $(filesize)\r\n" + [&] {
            char hex[16];
            snprintf(hex, sizeof hex, "%x", nSize);
            return std::string(hex);
        }() + "\r\n=> ");
    EXPECT_EQ(Command(client, "frobnicate 1\r"),
              "frobnicate 1\r\nUnknown command 'frobnicate' - try 'help'\r\n=> ");

    client.Send("bootd\r");
    EXPECT_TRUE(Contains(client.ReadUntil("login: "), "Starting kernel"));
    EXPECT_TRUE(sim.Booted());
}

TEST(IpDialogue, ProtectedSectorsAndUnknownImages) {
    CModuleSim sim(FastIpAtMonitor());
    ASSERT_TRUE(sim.Start());
    CSimClient client(sim.DevicePath());
    EXPECT_EQ(
        Command(client, "imi 400E0000\r"),
        "imi 400E0000\r\n\r\n## Checking Image at 400e0000 ...\r\nUnknown image format!\r\n=> ");
    EXPECT_EQ(Command(client, "erase 40000000 4003ffff\r"),
              "erase 40000000 4003ffff\r\n- Warning: 2 protected sectors will not be erased!\r\n"
              " done\r\nErased 2 sectors\r\n=> ");
    EXPECT_EQ(Command(client, "cp.b 10000 40000000 10\r"),
              "cp.b 10000 40000000 10\r\nCopy to Flash... Can't write to protected Flash "
              "sectors\r\n=> ");
    EXPECT_EQ(Command(client, "cp.b 10000 400E0000 0\r"),
              "cp.b 10000 400E0000 0\r\nZero length ???\r\n=> ");
}
