#include "scenario/wine_program_manager.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "wine/progman_state_file.h"

namespace fs = std::filesystem;

namespace {

// Wine's first start of a program in a fresh prefix can take a while on a busy machine.
constexpr auto kStartLimit = std::chrono::seconds(60);
constexpr auto kStopLimit = std::chrono::seconds(10);
constexpr auto kPoll = std::chrono::milliseconds(50);

}  // namespace

WineProgramManager::WineProgramManager(fs::path folder) : m_folder(std::move(folder)) {}

WineProgramManager::~WineProgramManager() {
    Stop();
}

bool WineProgramManager::Running() {
    if (m_pid <= 0) {
        return false;
    }
    int status = 0;
    if (waitpid(m_pid, &status, WNOHANG) == 0) {
        return true;
    }
    m_pid = -1;
    return false;
}

bool WineProgramManager::Start(const nlohmann::json& entry, const std::string& wineCommand,
                               std::string* error) {
    ProgmanState seed;
    try {
        for (const auto& group : entry.value("groups", nlohmann::json::array())) {
            seed.groups.push_back({group.at("name").get<std::string>(),
                                   group.value("items", std::vector<std::string>())});
        }
    } catch (const nlohmann::json::exception& e) {
        *error = std::string("\"programManager\": ") + e.what();
        return false;
    }
    fs::create_directories(m_folder);
    std::ofstream(m_folder / "groups.txt", std::ios::binary) << FormatProgmanState(seed);

    m_pid = fork();
    if (m_pid == 0) {
        execl("/bin/sh", "sh", "-c", wineCommand.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    if (m_pid < 0) {
        *error = "cannot start the stand-in Program Manager";
        return false;
    }
    const auto limit = std::chrono::steady_clock::now() + kStartLimit;
    while (!fs::exists(m_folder / "ready.txt")) {
        if (!Running() || std::chrono::steady_clock::now() > limit) {
            *error = "the stand-in Program Manager did not register its DDE service";
            return false;
        }
        std::this_thread::sleep_for(kPoll);
    }
    return true;
}

bool WineProgramManager::Read(nlohmann::ordered_json* entry, std::string* error) {
    ProgmanState state;
    if (!ReadProgmanStateFile((m_folder / "state.txt").string(), &state)) {
        *error = "the stand-in Program Manager's state cannot be read";
        return false;
    }
    nlohmann::ordered_json groups = nlohmann::ordered_json::array();
    for (const auto& group : state.groups) {
        groups.push_back({{"name", group.name}, {"items", group.items}});
    }
    *entry = {{"running", Running()}, {"groups", groups}};
    return true;
}

void WineProgramManager::Stop() {
    if (!Running()) {
        return;
    }
    std::ofstream(m_folder / "stop.txt") << "stop\n";
    const auto limit = std::chrono::steady_clock::now() + kStopLimit;
    while (Running() && std::chrono::steady_clock::now() < limit) {
        std::this_thread::sleep_for(kPoll);
    }
    if (Running()) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }
}
