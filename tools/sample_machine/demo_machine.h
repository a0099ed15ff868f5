// Writing a sample machine with the suite installed: the builder every product family adds its
// footprint through, and the installation (the whole suite, or one partition of it) it adds to.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

// What the sample machine looks like.
struct DemoOptions {
    // 0: the suite installed once, unpartitioned; n: installed in partitions 1 to n.
    int partitions = 0;
    // A system name as machine images name it: "nt40", "nt351", "win95", "win2000", ...
    std::string os = "nt40";
    bool alpha = false;
    // The setup flags of the components to install ("Sentrel", "Pathlyn Client", ...); empty
    // installs every component of the suite; {"none"} installs nothing of the suite.
    std::set<std::string> components;
    // Whether the Notes server ("nserver") runs.
    bool serverRunning = false;
};

// One installation of the suite: the unpartitioned suite, or the suite in one partition.
struct DemoInstallation {
    int partition = 0;            // 0 outside any partition
    std::string suiteKey;         // "SOFTWARE\Tarvelle\Orvanta" or "...\Partition n"
    std::string programDir;       // "C:\Orvanta" (partition n: "C:\Orvanta" too: shared)
    std::string commonDir;        // programDir + "\Common"
    std::string logsDir;          // programDir + "\Logs"
    std::string folderLocation;   // the Start-menu folder, or the Program Manager group prefix
    std::string notesDir;         // Domino program directory of this server
    std::string notesDataDir;     // Domino data directory of this server
    std::string notesIni;         // notes.ini of this server
    std::string databaseDir;      // the suite's database directory
    std::string serverName;       // the Domino server's name
    bool alpha = false;           // Alpha builds of the task executables ("a" instead of "n")
    bool programManager = false;  // NT 3.51: Program Manager groups instead of Start-menu folders
    std::set<std::string> components;

    bool Has(const std::string& setupFlag) const { return components.count(setupFlag) != 0; }
    // "n" on Intel, "a" on Alpha: the first letter of the Notes server task executables.
    std::string TaskPrefix() const { return alpha ? "a" : "n"; }
};

// Adds to the machine being written. Paths are Windows paths; registry keys lie below
// HKEY_LOCAL_MACHINE.
class DemoMachine {
  public:
    virtual ~DemoMachine() = default;

    // A file with its parent directories; content defaults to a line naming the file.
    virtual void AddFile(const std::string& path, const std::string& content = {}) = 0;
    virtual void AddDirectory(const std::string& path) = 0;

    virtual void AddKey(const std::string& key) = 0;
    virtual void SetString(const std::string& key, const std::string& name,
                           const std::string& value) = 0;
    virtual void SetExpandString(const std::string& key, const std::string& name,
                                 const std::string& value) = 0;
    virtual void SetDword(const std::string& key, const std::string& name, uint32_t value) = 0;

    // notes.ini, section [Notes]: adds entry to the comma-separated list of variable (created
    // when missing), or sets a variable as a whole.
    virtual void AddNotesIniListEntry(const std::string& iniPath, const std::string& variable,
                                      const std::string& entry) = 0;
    virtual void SetNotesIniValue(const std::string& iniPath, const std::string& variable,
                                  const std::string& value) = 0;

    // A Windows service, running or stopped; left out on a system without services (Windows 95,
    // Win32s).
    virtual void AddService(const std::string& name, const std::string& displayName,
                            bool running) = 0;
    // A running process by image name without extension ("nserver", "novagent").
    virtual void AddProcess(const std::string& name) = 0;
    // A Program Manager group and an item in it (NT 3.51 machines).
    virtual void AddProgramManagerItem(const std::string& group, const std::string& item) = 0;
    // A count in the system's shared-file list for the file at path.
    virtual void AddSharedFileCount(const std::string& path, uint32_t count) = 0;
    // A directory on the machine-wide search path.
    virtual void AddSearchPathEntry(const std::string& dir) = 0;
};
