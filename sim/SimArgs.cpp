#include "sim/SimArgs.h"

#include <cstdlib>
#include <functional>
#include <map>

namespace {

bool ParseNumber(const std::string& strText, double& dValue) {
    char* pEnd = nullptr;
    dValue = std::strtod(strText.c_str(), &pEnd);
    return !strText.empty() && *pEnd == '\0' && dValue >= 0;
}

// One of the names a choice takes, as its value.
template <class T>
bool ParseChoice(const std::map<std::string, T>& choices, const std::string& strText, T& value) {
    auto it = choices.find(strText);
    if (it == choices.end()) {
        return false;
    }
    value = it->second;
    return true;
}

const std::map<std::string, SimModule> kModules = {{"transceiver", SimModule::Transceiver},
                                                   {"controller", SimModule::Controller},
                                                   {"ip", SimModule::Ip}};
const std::map<std::string, SimIpStart> kStarts = {{"login", SimIpStart::Login},
                                                   {"password", SimIpStart::Password},
                                                   {"shell", SimIpStart::Shell},
                                                   {"monitor", SimIpStart::Monitor}};

} // namespace

std::string SimModuleName(SimModule module) {
    switch (module) {
    case SimModule::Transceiver:
        return "transceiver";
    case SimModule::Controller:
        return "controller";
    case SimModule::Ip:
        return "ip";
    }
    return "module";
}

std::string SimUsage() {
    return "Usage: ktr84-modsim --module transceiver|controller|ip [options]\n"
           "Plays one KTR-84 module on a new pseudo-terminal until SIGINT or SIGTERM.\n"
           "The first line printed is the device path to open; the line is also announced\n"
           "as a link in $XDG_RUNTIME_DIR/ktr84-modsim (else /tmp/ktr84-modsim-<uid>).\n"
           "A wrong module on the cable is rehearsed by running another --module.\n"
           "\n"
           "Module:\n"
           "  --module KIND             transceiver, controller or ip\n"
           "  --no-app                  legacy: no application code, the boot loader comes up\n"
           "  --console-login           legacy: the console asks for a log-in first\n"
           "  --console-user NAME       legacy console user (field)\n"
           "  --console-password TEXT   legacy console password (8484)\n"
           "  --dest                    legacy: the console log-in begins with \"Dest\"\n"
           "  --ip-start WHERE          ip: login, password, shell or monitor (login)\n"
           "  --ip-password TEXT        ip: root password of the operating system (8484)\n"
           "\n"
           "Line:\n"
           "  --pace                    pace the line like a UART, 10 bit times a byte (default)\n"
           "  --no-pace                 deliver at once, as fast as the pty takes it\n"
           "  --usb-latency MS          deliver output in bursts every MS ms (USB adapter)\n"
           "  --fragments               deliver output in random pieces of 1..64 bytes\n"
           "  --seed N                  seed for fragments and noise (1)\n"
           "\n"
           "Timing (seconds unless said otherwise):\n"
           "  --flash-write-seconds S   legacy flash write after the upload (1)\n"
           "  --restart-window S        legacy restart listening for b (1)\n"
           "  --no-app-login-delay S    legacy without application: menu before log-in (3)\n"
           "  --erase-seconds S         ip: NOR erase time per 128 KiB sector (1)\n"
           "  --program-rate BYTES      ip: NOR programming speed in bytes/s (200000)\n"
           "  --reboot-seconds S        ip: reboot until the monitor's banner (3)\n"
           "  --boot-delay N            ip: autoboot countdown (2)\n"
           "  --kernel-seconds S        ip: kernel start until login: (2)\n"
           "  --login-fail-delay S      ip: pauses around \"Login incorrect\" (1)\n"
           "  --baud-switch-delay MS    from a rate change's notice to the switch (50)\n"
           "\n"
           "Faults:\n"
           "  --silent-from STEP        print nothing from STEP on; legacy steps: console,\n"
           "                            login, reset, bootloader, bootlogin, menu, baud,\n"
           "                            merge, upload, failure, flash, reboot; ip steps:\n"
           "                            login, password, shell, reboot, autoboot, monitor,\n"
           "                            baudrate, loads, imi, erase, cp, bootd, kernel\n"
           "  --reject-boot-login       legacy boot loader answers every log-in \"Incorrect\"\n"
           "  --merge-failure           legacy: \"FAILURE\" during the merge upload\n"
           "  --merge-failure-line N    the record that fails (20)\n"
           "  --flash-write-failure     flash write error (legacy after upload, ip at cp.b)\n"
           "  --no-loads-echo           ip: loads_echo not set\n"
           "  --corrupt-loads-byte      ip: one byte stored wrongly during loads\n"
           "  --corrupt-header          ip: image header stored wrongly during loads\n"
           "  --line-noise              random bytes on the line now and then\n"
           "  --noise-interval MS       mean time between noise bytes (700)\n"
           "  --disappear-after MS      the line goes away MS ms after the first byte\n"
           "\n"
           "Evidence:\n"
           "  --transcript FILE         write every command received (time, rate) to FILE\n"
           "  --help                    this text\n";
}

namespace {
using Flag = std::function<void()>;
using Valued = std::function<bool(const std::string&)>;

Valued Seconds(double& dTarget) {
    return [&dTarget](const std::string& s) { return ParseNumber(s, dTarget); };
}

Valued Integer(int& nTarget) {
    return [&nTarget](const std::string& s) {
        double d = 0;
        bool bOk = ParseNumber(s, d) && d <= 1e9;
        nTarget = static_cast<int>(d);
        return bOk;
    };
}

Valued Text(std::string& strTarget) {
    return [&strTarget](const std::string& s) {
        strTarget = s;
        return true;
    };
}

std::map<std::string, Flag> Flags(SimOptions& o) {
    return {
        {"--no-app", [&] { o.bNoApplicationCode = true; }},
        {"--console-login", [&] { o.bConsoleLoginRequired = true; }},
        {"--dest", [&] { o.bConsoleDest = true; }},
        {"--pace", [&] { o.bPaceUart = true; }},
        {"--no-pace", [&] { o.bPaceUart = false; }},
        {"--fragments", [&] { o.bRandomFragments = true; }},
        {"--reject-boot-login", [&] { o.bRejectBootLogin = true; }},
        {"--merge-failure", [&] { o.bMergeFailure = true; }},
        {"--flash-write-failure", [&] { o.bFlashWriteFailure = true; }},
        {"--no-loads-echo", [&] { o.bNoLoadsEcho = true; }},
        {"--corrupt-loads-byte", [&] { o.bCorruptLoadsByte = true; }},
        {"--corrupt-header", [&] { o.bCorruptHeader = true; }},
        {"--line-noise", [&] { o.bLineNoise = true; }},
    };
}

std::map<std::string, Valued> ValuedOptions(SimOptions& o, int& nSeed) {
    return {
        {"--module", [&](const std::string& s) { return ParseChoice(kModules, s, o.module); }},
        {"--ip-start", [&](const std::string& s) { return ParseChoice(kStarts, s, o.ipStart); }},
        {"--console-user", Text(o.strConsoleUser)},
        {"--console-password", Text(o.strConsolePassword)},
        {"--ip-password", Text(o.strIpPassword)},
        {"--usb-latency", Integer(o.nUsbLatencyMs)},
        {"--seed", Integer(nSeed)},
        {"--flash-write-seconds", Seconds(o.dFlashWriteSeconds)},
        {"--restart-window", Seconds(o.dRestartWindowSeconds)},
        {"--no-app-login-delay", Seconds(o.dNoAppLoginDelaySeconds)},
        {"--erase-seconds", Seconds(o.dEraseSecondsPerSector)},
        {"--program-rate", Seconds(o.dProgramBytesPerSecond)},
        {"--reboot-seconds", Seconds(o.dRebootSeconds)},
        {"--boot-delay", Integer(o.nBootDelaySeconds)},
        {"--kernel-seconds", Seconds(o.dKernelBootSeconds)},
        {"--login-fail-delay", Seconds(o.dLoginFailDelaySeconds)},
        {"--silent-from", Text(o.strSilentFrom)},
        {"--merge-failure-line", Integer(o.nMergeFailureLine)},
        {"--noise-interval", Integer(o.nNoiseIntervalMs)},
        {"--baud-switch-delay", Integer(o.nBaudSwitchDelayMs)},
        {"--disappear-after", Integer(o.nDisappearAfterMs)},
        {"--transcript", Text(o.strTranscriptFile)},
    };
}

SimArgsResult Refuse(std::string& strError, std::string strWhy) {
    strError = std::move(strWhy);
    return SimArgsResult::Error;
}
} // namespace

SimArgsResult ParseSimArgs(const std::vector<std::string>& args, SimOptions& options,
                           std::string& strError) {
    int nSeed = static_cast<int>(options.nSeed);
    const auto flags = Flags(options);
    const auto valued = ValuedOptions(options, nSeed);
    bool bModuleGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& strArg = args[i];
        if (strArg == "--help" || strArg == "-h") {
            return SimArgsResult::Help;
        }
        if (auto it = flags.find(strArg); it != flags.end()) {
            it->second();
            continue;
        }
        auto it = valued.find(strArg);
        if (it == valued.end()) {
            return Refuse(strError, "unknown option " + strArg);
        }
        if (i + 1 >= args.size() || !it->second(args[i + 1])) {
            return Refuse(strError, "option " + strArg + " needs a valid value");
        }
        bModuleGiven = bModuleGiven || strArg == "--module";
        ++i;
    }
    options.nSeed = static_cast<unsigned>(nSeed);
    if (options.dProgramBytesPerSecond <= 0) {
        return Refuse(strError, "--program-rate must be above 0");
    }
    if (!bModuleGiven) {
        return Refuse(strError, "--module is required");
    }
    return SimArgsResult::Run;
}
