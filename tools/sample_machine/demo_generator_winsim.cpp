// The sample machine is built on the simulated machine and saved as an image: a Windows server
// with a Domino server (or one per partition) and the suite installed on it.
#include <filesystem>

#include "demo_footprints.h"
#include "demo_generator.h"
#include "demo_machine_winsim.h"
#include "demo_suite.h"
#include "platform/winsim/control.h"

namespace {

constexpr const char* kSuiteRoot = "SOFTWARE\\Tarvelle\\Orvanta";

struct SystemLayout {
    std::string systemRoot;
    std::string allUsersProfile;  // empty where the system has no Start menu folders
};

// Every sample system lives in C:\windows, as Wine's does, so that one image describes the same
// machine natively and under Wine.
SystemLayout LayoutOf(const std::string& os) {
    const std::string systemRoot = "C:\\windows";
    if (os == "win95" || os == "win98" || os == "winme") {
        return {systemRoot, systemRoot};
    }
    if (os == "nt351") {
        return {systemRoot, ""};
    }
    if (os == "win2000" || os == "winxp") {
        return {systemRoot, "C:\\Documents and Settings\\All Users"};
    }
    return {systemRoot, systemRoot + "\\Profiles\\All Users"};
}

// The product weights the suite's installer adds up in "Installed".
DemoInstallation MakeInstallation(const DemoOptions& options, const SystemLayout& layout,
                                  int partition) {
    DemoInstallation installation = SampleLocations(partition);
    installation.programManager = options.os == "nt351";
    installation.folderLocation = installation.programManager
                                      ? "Orvanta"
                                      : layout.allUsersProfile + "\\Start Menu\\Programs\\Orvanta";
    installation.alpha = options.alpha;
    if (options.components.empty()) {
        const auto& all = AllComponents();
        installation.components.insert(all.begin(), all.end());
    } else if (options.components.count("none") == 0) {
        installation.components = options.components;
    }
    return installation;
}

void AddWindows(SimulatedDemoMachine& machine, const DemoOptions& options,
                const SystemLayout& layout) {
    winsim::SetEnvironment("SystemRoot", layout.systemRoot);
    winsim::SetEnvironment("windir", layout.systemRoot);
    machine.AddFile(layout.systemRoot + "\\ovuninstall.exe");
    machine.AddFile(layout.systemRoot + "\\uninstlib.dll");
    machine.AddFile(layout.systemRoot + "\\uninst.exe");
    if (!layout.allUsersProfile.empty()) {
        machine.AddDirectory(layout.allUsersProfile + "\\Start Menu\\Programs\\Accessories");
        machine.AddDirectory(layout.allUsersProfile + "\\Desktop");
    }
    machine.SetExpandString("SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment",
                            "Path", "%SystemRoot%\\system32;%SystemRoot%");
    machine.SetString("SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir",
                      "C:\\Program Files");
    machine.AddKey("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDlls");
    machine.AddKey("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce");
    machine.AddKey("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall");
    machine.SetString(
        "SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\Application Popup",
        "EventMessageFile", "%SystemRoot%\\System32\\ntdll.dll");
    machine.SetString("SYSTEM\\CurrentControlSet\\Services\\SNMP\\Parameters\\ExtensionAgents", "1",
                      "SOFTWARE\\Microsoft\\LANManagerMIB2Agent\\CurrentVersion");
    machine.SetString("SOFTWARE\\Microsoft\\LANManagerMIB2Agent\\CurrentVersion", "Pathname",
                      layout.systemRoot + "\\system32\\lmmib2.dll");
    if (options.os == "nt351") {
        winsim::SetProgramManagerRunning(true);
        machine.AddProgramManagerItem("Main", "File Manager");
    }
    machine.AddService("SNMP", "SNMP Service", true);
}

void AddDominoServer(SimulatedDemoMachine& machine, const DemoInstallation& installation,
                     bool firstServer) {
    if (firstServer) {
        machine.AddFile(installation.notesDir + "\\nserver.exe");
        machine.AddFile(installation.notesDir + "\\nupdate.exe");
        machine.SetString("SOFTWARE\\Lotus\\Domino", "Path", installation.notesDir);
    }
    machine.AddFile(installation.notesDataDir + "\\names.nsf");
    machine.AddFile(installation.notesDataDir + "\\log.nsf");
    machine.AddFile(installation.notesDataDir + "\\mail.box");
    machine.AddFile(installation.notesDataDir + "\\mail\\admin.nsf");
    machine.AddDirectory(installation.notesDataDir + "\\domino\\html");
    machine.AddFile(installation.notesDataDir + "\\domino\\html\\homepage.nsf");
    machine.SetNotesIniValue(installation.notesIni, "Directory", installation.notesDataDir);
    machine.SetNotesIniValue(installation.notesIni, "KitType", "2");
    machine.SetNotesIniValue(installation.notesIni, "ServerName", installation.serverName);
    machine.SetNotesIniValue(installation.notesIni, "SERVERTASKS",
                             "Replica,Router,Update,AMgr,Adminp,Sched,CalConn,Event,HTTP");
    machine.SetNotesIniValue(installation.notesIni, "ServerTasksAt1", "Catalog,Design");
    machine.SetNotesIniValue(installation.notesIni, "ServerTasksAt3", "Object Info -Full");
}

void AddSuiteSettings(SimulatedDemoMachine& machine, const DemoInstallation& installation) {
    if (installation.components.empty()) {
        return;
    }
    AddSetupSettings(machine, installation);
    // The suite's console-command program, which asks the Notes server to stop a task.
    machine.AddFile(installation.commonDir + "\\ovconcmd.exe");
    winsim::Program consoleCommand;
    consoleCommand.path = installation.commonDir + "\\ovconcmd.exe";
    consoleCommand.action = winsim::ProgramAction::kConsoleCommand;
    winsim::AddProgram(consoleCommand);
}

bool FolderIsEmptyOrMissing(const std::string& dir) {
    std::error_code error;
    return !std::filesystem::exists(dir, error) || std::filesystem::is_empty(dir, error);
}

}  // namespace

bool WriteDemoMachine(const std::string& dir, const DemoOptions& options, std::string* error) {
    if (!FolderIsEmptyOrMissing(dir)) {
        *error = dir + " is not empty; the sample machine is written only into an empty folder";
        return false;
    }
    winsim::SystemVersion system;
    if (!winsim::SystemByName(options.os, &system)) {
        *error = "unknown system '" + options.os +
                 "' (known: win32s, win95, nt351, nt40, win2000, winxp)";
        return false;
    }
    if (options.partitions < 0 || options.partitions > 25) {
        *error = "--partitions takes a number from 0 to 25";
        return false;
    }
    winsim::Reset();
    if (options.alpha) {
        system.processorArchitecture = PROCESSOR_ARCHITECTURE_ALPHA;
    }
    winsim::SetSystem(system);

    const SystemLayout layout = LayoutOf(options.os);
    SimulatedDemoMachine machine;
    AddWindows(machine, options, layout);

    std::vector<DemoInstallation> installations;
    if (options.partitions == 0) {
        installations.push_back(MakeInstallation(options, layout, 0));
    } else {
        for (int n = 1; n <= options.partitions; ++n) {
            installations.push_back(MakeInstallation(options, layout, n));
        }
    }
    bool suitePresent = false;
    for (const DemoInstallation& installation : installations) {
        AddDominoServer(machine, installation, &installation == &installations.front());
        suitePresent = suitePresent || !installation.components.empty();
    }
    if (suitePresent) {
        machine.AddKey(kSuiteRoot);
        if (options.partitions > 0) {
            machine.SetDword(kSuiteRoot, "Partitioned", 1);
            machine.SetDword(kSuiteRoot, "Number of Partitions",
                             static_cast<uint32_t>(options.partitions));
        }
    }
    for (const DemoInstallation& installation : installations) {
        AddSuiteSettings(machine, installation);
        if (installation.components.empty()) {
            continue;
        }
        for (FootprintWriter write : SuiteFootprints()) {
            write(machine, installation);
        }
    }
    if (options.serverRunning) {
        machine.AddProcess("nserver");
        // The suite's server tasks run inside the Notes server.
        for (const DemoInstallation& installation : installations) {
            if (installation.Has("Sentrel")) {
                machine.AddProcess(installation.TaskPrefix() + "ovagent");
            }
            if (installation.Has("Advanced Vellgard Server")) {
                machine.AddProcess(installation.TaskPrefix() + "ovavg");
            }
        }
    }
    if (!machine.Problems().empty()) {
        *error = machine.Problems().front();
        return false;
    }
    std::error_code created;
    std::filesystem::create_directories(dir, created);
    return winsim::SaveMachine(dir, error);
}
