#include "ChildProcess.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

namespace {
// The test's environment with each NAME=VALUE of overrides put over it.
std::vector<std::string> Environment(const std::vector<std::string>& overrides) {
    std::map<std::string, std::string> vars;
    for (char** p = environ; *p != nullptr; ++p) {
        const std::string entry = *p;
        vars[entry.substr(0, entry.find('='))] = entry;
    }
    for (const std::string& entry : overrides)
        vars[entry.substr(0, entry.find('='))] = entry;
    std::vector<std::string> out;
    for (const auto& [name, entry] : vars)
        out.push_back(entry);
    return out;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
    std::vector<char*> out;
    for (std::string& s : texts)
        out.push_back(s.data());
    out.push_back(nullptr);
    return out;
}
} // namespace

CChildProcess::~CChildProcess() {
    if (Running()) {
        kill(m_pid, SIGKILL);
        Wait();
    }
}

bool CChildProcess::Start(const std::vector<std::string>& args, const std::vector<std::string>& env,
                          const fs::path& outFile, const fs::path& errFile) {
    std::vector<std::string> argTexts = args;
    std::vector<std::string> envTexts = Environment(env);
    std::vector<char*> argv = Pointers(argTexts);
    std::vector<char*> envp = Pointers(envTexts);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    const int nError = posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (nError != 0)
        m_pid = -1;
    m_nExit = -1;
    return nError == 0;
}

bool CChildProcess::Reap(int nFlags) {
    int nStatus = 0;
    const pid_t done = waitpid(m_pid, &nStatus, nFlags);
    if (done != m_pid)
        return false;
    m_nExit = WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : 128 + WTERMSIG(nStatus);
    return true;
}

int CChildProcess::Wait() {
    if (Running())
        Reap(0);
    return m_nExit;
}

bool CChildProcess::WaitFor(int nMs) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(nMs);
    while (Running() && !Reap(WNOHANG) && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return !Running();
}

void CChildProcess::Signal(int nSignal) const {
    if (Running())
        kill(m_pid, nSignal);
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

CTempFolder::CTempFolder(const std::string& strName)
    : m_path(fs::temp_directory_path() /
             ("ktr84-e2e-" + std::to_string(getpid()) + "-" + strName)) {
    fs::remove_all(m_path);
    fs::create_directories(m_path);
}

CTempFolder::~CTempFolder() {
    std::error_code error;
    fs::remove_all(m_path, error);
}
