#include "demo_sentrel.h"

#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

constexpr const char* kSuiteRoot = "SOFTWARE\\Tarvelle\\Orvanta";
// The Kestrune key that the paging server and the subagent describe themselves under: one per
// machine, outside any partition.
const std::string kKestruneKey = std::string(kSuiteRoot) + "\\Kestrune";

const Names kAgentPrograms = {
    "crdet351.exe", "ovcrdet.exe",  "ovcrdmon.exe", "ovdstat.exe",  "ovfstat.exe",  "ovpage.dll",
    "ovrcycsv.exe", "ovreboot.exe", "ovrecycl.dll", "ovrecycl.exe", "ovrunagt.dll", "ovrunagt.exe",
    "ovsleep.exe",  "ovstart.exe",  "ovstats.dll",  "ovstval.exe",
};
const Names kAgentTasks = {"ovagent.exe", "ovlog.exe", "ovrboot.exe", "ovrcycl.exe"};
const Names kAgentLogs = {"ovagent.log", "ovrecycle.log", "ovrunagt.log",
                          "ovcrdet.log", "reboot.log",    "ovException.log"};
// One file for each of the agent's database patterns: the databases, and a backup of each.
const Names kAgentDatabases = {
    "ovcorrpt.nsf", "ovnet.nsf",   "ovadvsrv.nsf", "ovmscc.nsf",  "ovreplca.nsf", "ovserver.nsf",
    "ovsmtp.nsf",   "ovcmd.nsf",   "ovparam.nsf",  "ovexpma.nsf", "ovexpcm.nsf",  "ovstatus.nsf",
    "ovreport.nsf", "Examora.nsf", "ovavg.nsf",    "ovavgbk.nsf", "ovmail.nsf",
};
const Names kAgentBackups = {
    "ovcorrpt.nsf", "ovnet.nsf", "ovadvsrv.nsf", "ovmscc.nsf",   "ovreplca.nsf", "ovserver.nsf",
    "ovsmtp.nsf",   "ovcmd.nsf", "ovparam.nsf",  "ovrmstat.nsf", "ovstats.nsf",  "ovreport.nsf",
    "Examora.nsf",  "ovavg.nsf", "ovavgbk.nsf",  "ovmail.nsf",
};
const Names kAgentTemplates = {"ovsen.nsf", "ovsen.ntf", "ovcmd.ntf", "ovparam.ntf"};
const Names kAgentItems = {"Orvanta Recycle Utility", "Orvanta Sentrel Readme File",
                           "Sentrel On-line Help"};
const Names kMessageCenterFiles = {"ovsvpage.dll", "ovmcg.exe", "msgqueue.dll", "tecad_ov.baroc",
                                   "tecad_ov.conf"};
const Names kSubagentFiles = {"ovsen.conf", "ovsen.mib", "ovsen.tdf", "readme.txt"};

std::string Join(const std::string& dir, const std::string& name) {
    return !dir.empty() && dir.back() == '\\' ? dir + name : dir + "\\" + name;
}

void AddFiles(DemoMachine& machine, const std::string& dir, const Names& names,
              const std::string& prefix = {}) {
    for (const std::string& name : names) {
        machine.AddFile(Join(dir, prefix + name));
    }
}

// Where the product's shortcuts live: a Start-menu folder, or on Windows NT 3.51 a Program
// Manager group.
class Shortcuts {
  public:
    Shortcuts(DemoMachine& machine, const DemoInstallation& installation)
        : m_machine(machine),
          m_programManager(installation.programManager),
          m_folder(Join(installation.folderLocation, "Sentrel")),
          m_group(installation.folderLocation + " Sentrel") {}

    void Add(const std::string& item) {
        if (m_programManager) {
            m_machine.AddProgramManagerItem(m_group, item);
        } else {
            m_machine.AddFile(Join(m_folder, item + ".lnk"));
        }
    }

  private:
    DemoMachine& m_machine;
    bool m_programManager;
    std::string m_folder;
    std::string m_group;
};

struct Keys {
    std::string product;  // the product key, in the installation's partition
    std::string mailDatabase;
};

void AddAgent(DemoMachine& machine, const DemoInstallation& installation, const Keys& keys,
              Shortcuts& shortcuts) {
    const std::string agentDir = Join(installation.programDir, "Sentrel");
    AddFiles(machine, agentDir, kAgentPrograms);
    AddFiles(machine, installation.notesDir, kAgentTasks, installation.TaskPrefix());
    AddFiles(machine, installation.logsDir, kAgentLogs);
    AddFiles(machine, installation.databaseDir, kAgentDatabases);
    for (const std::string& backup : kAgentBackups) {
        machine.AddFile(Join(installation.databaseDir, backup + ".bak1"));
    }
    machine.AddFile(Join(installation.databaseDir, "KesWizrd.nsf"));
    AddFiles(machine, installation.notesDataDir, kAgentTemplates);
    machine.AddSearchPathEntry(agentDir);

    machine.AddService("Orvanta Recycle Service", "Orvanta Recycle Service", true);
    const std::string eventSource =
        "SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\Orvanta Sentrel";
    machine.SetExpandString(eventSource, "EventMessageFile", Join(agentDir, "ovrecycl.dll"));
    machine.SetDword(eventSource, "TypesSupported", 7);

    machine.SetDword(keys.product + "\\OVAGENT", "Enabled", 1);
    machine.SetDword(keys.product + "\\Availability Stats", "Interval", 15);
    machine.SetString(keys.product + "\\Current State", "State", "Running");
    machine.SetString(keys.product + "\\User", "Name", "Administrator");
    // The trap settings the subagent forwards.
    machine.SetDword(keys.product + "\\Recycle", "Send Traps", 1);
    machine.SetDword(keys.product + "\\Crash Detection", "Send Trap (1)", 1);
    machine.SetDword(keys.product + "\\Crash Detection", "Send Trap (2)", 1);

    machine.AddNotesIniListEntry(installation.notesIni, "SERVERTASKS", "OVAGENT");
    machine.SetNotesIniValue(installation.notesIni, "$OVCommandDb", "ovcmd.nsf");
    for (const std::string& item : kAgentItems) {
        shortcuts.Add(item);
    }
}

void AddMessageCenter(DemoMachine& machine, const DemoInstallation& installation,
                      Shortcuts& shortcuts) {
    AddFiles(machine, Join(installation.programDir, "Mcg"), kMessageCenterFiles);
    machine.AddFile(Join(installation.logsDir, "ovpage.log"));
    machine.AddSearchPathEntry(Join(installation.programDir, "Paging"));
    machine.AddService("Orvanta Messaging Center", "Orvanta Messaging Center", true);
    machine.SetString(kKestruneKey + "\\Paging Server", "Server",
                      Join(installation.programDir, "Mcg\\ovmcg.exe"));
    machine.SetString(std::string(kSuiteRoot) + "\\Mcg", "Path",
                      Join(installation.programDir, "Mcg"));
    shortcuts.Add("Paging Server Log");
    if (installation.programManager) {
        shortcuts.Add("Send Page");
    }
}

void AddAdvancedVellgard(DemoMachine& machine, const DemoInstallation& installation,
                         const Keys& keys, Shortcuts& shortcuts) {
    machine.AddFile(Join(installation.notesDir, installation.TaskPrefix() + "ovavg.exe"));
    for (const std::string& dir : {installation.databaseDir, installation.notesDataDir}) {
        AddFiles(machine, dir, {"ovavg.nsf", "ovavgbk.nsf"});
    }
    machine.AddFile(Join(installation.notesDataDir, "ovavg.ntf"));
    // Stopped and deleted by the suite-wide cleanup once the whole suite has gone.
    machine.AddService("Orvanta Vellgard Server", "Orvanta Vellgard Server", true);
    machine.SetDword(keys.product + "\\OVAVG", "Enabled", 1);
    machine.AddNotesIniListEntry(installation.notesIni, "SERVERTASKS", "OVAVG");
    if (installation.programManager) {
        // On Program Manager it shares the agent's items rather than having one of its own.
        for (const std::string& item : kAgentItems) {
            shortcuts.Add(item);
        }
    } else {
        shortcuts.Add("Advanced Vellgard Readme File");
    }
}

void AddSnmpSubagent(DemoMachine& machine, const DemoInstallation& installation, const Keys& keys,
                     Shortcuts& shortcuts) {
    const std::string subagentDir = Join(installation.commonDir, "OVSNMP");
    AddFiles(machine, subagentDir, kSubagentFiles);
    machine.AddFile(Join(installation.logsDir, "ovsnmp.log"));
    const std::string pathNameKey = kKestruneKey + "\\SNMP PathName";
    machine.SetString(pathNameKey, "Pathname", Join(subagentDir, "ovsen.conf"));
    machine.SetString("SYSTEM\\CurrentControlSet\\Services\\SNMP\\Parameters\\ExtensionAgents",
                      "OVSNMP", pathNameKey);
    machine.SetString(keys.product + "\\SNMP", "MIB", Join(subagentDir, "ovsen.mib"));
    if (installation.programManager) {
        shortcuts.Add("Send SNMP");
    }
}

}  // namespace

void AddSentrelFootprint(DemoMachine& machine, const DemoInstallation& installation) {
    const bool agent = installation.Has("Sentrel");
    const bool messageCenter = installation.Has("Paging Server");
    const bool advancedVellgard = installation.Has("Advanced Vellgard Server");
    const bool subagent = installation.Has("OVSNMP");
    if (!agent && !messageCenter && !advancedVellgard) {
        // The subagent alone makes no Sentrel product.
        return;
    }

    Keys keys;
    keys.product = installation.suiteKey + "\\Sentrel";
    keys.mailDatabase = Join(installation.notesDataDir, "mail\\ovsentrel.nsf");
    Shortcuts shortcuts(machine, installation);
    if (!installation.programManager) {
        machine.AddDirectory(Join(installation.folderLocation, "Sentrel"));
    }
    machine.AddKey(keys.product);

    if (agent || advancedVellgard) {
        // The mail database both task components send through; the store names it in solution
        // 0, which is the product key.
        machine.AddFile(keys.mailDatabase);
        machine.SetString(keys.product + "\\Mail", "Mail Database", keys.mailDatabase);
        machine.SetString(keys.product + "\\Paging", "Gateway", "Message Center");
    }
    if (agent) {
        AddAgent(machine, installation, keys, shortcuts);
    }
    if (messageCenter) {
        AddMessageCenter(machine, installation, shortcuts);
    }
    if (advancedVellgard) {
        AddAdvancedVellgard(machine, installation, keys, shortcuts);
    }
    if (subagent) {
        AddSnmpSubagent(machine, installation, keys, shortcuts);
    }
}
