// The Program Manager of a Wine scenario's machine. Wine has none, so when the image's Program
// Manager runs, the stand-in (progman_stand_in.exe, a DDE server "PROGMAN") is started in the
// prefix with the image's groups, lives across all the runs of the scenario, and is read back as
// the image's "programManager" entry.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

class WineProgramManager {
  public:
    // folder: the stand-in's folder inside the prefix, where it reads its groups and writes its
    // state.
    explicit WineProgramManager(std::filesystem::path folder);
    ~WineProgramManager();
    WineProgramManager(const WineProgramManager&) = delete;
    WineProgramManager& operator=(const WineProgramManager&) = delete;

    // Starts the stand-in with the groups of the image's "programManager" entry through
    // wineCommand (the shell command that runs the stand-in, given this folder, with Wine in the
    // prefix) and waits until its service is registered.
    bool Start(const nlohmann::json& entry, const std::string& wineCommand, std::string* error);
    // The "programManager" entry as the stand-in holds it now: running while it does, its groups.
    bool Read(nlohmann::ordered_json* entry, std::string* error);
    // Asks the stand-in to end and waits for it; one that does not end is killed.
    void Stop();

  private:
    bool Running();

    std::filesystem::path m_folder;
    pid_t m_pid = -1;
};
