#include "native/suite_fixture.h"

#include "api/catalogue.h"
#include "api/counters.h"
#include "sample_machine/demo_examora.h"
#include "sample_machine/demo_machine_winsim.h"
#include "sample_machine/demo_rendimo_manager.h"
#include "sample_machine/demo_suite.h"
#include "uninstlib/uninstlib.h"

namespace suite_test {

namespace {

std::string Hklm(const std::string& key) {
    return "HKLM\\" + key;
}

// The "Setup\Setup" key of the unpartitioned suite (partition 0) or of partition n.
std::string SetupKey(int partition) {
    std::string key = kSuiteRoot;
    if (partition != 0) {
        key += "\\Partition " + std::to_string(partition);
    }
    return key + "\\Setup\\Setup";
}

}  // namespace

Transcript SuiteFixture::reports;
std::function<bool(const std::string&)> SuiteFixture::answers;

void PrintTo(const Report& report, std::ostream* out) {
    *out << "{\"" << report.text << "\", " << report.percent << ", " << report.step << ", "
         << report.kind << "}";
}

void SuiteFixture::SetUp() {
    winsim::Reset();
    ResetCatalogueState();
    reports.clear();
    answers = [](const std::string&) { return true; };
    winsim::SetEnvironment("SystemRoot", "C:\\WINNT");
    SimulatedDemoMachine machine;
    machine.SetExpandString(kEnvironmentKey, "Path", "%SystemRoot%\\system32;%SystemRoot%");
    // Windows' own extension agent, which stays when the suite goes.
    machine.SetString(kExtensionAgentsKey, "1",
                      "SOFTWARE\\Microsoft\\LANManagerMIB2Agent\\CurrentVersion");
    machine.AddService("SNMP", "SNMP Service", true);
    machine.AddDirectory("C:\\WINNT\\Profiles\\All Users\\Desktop");
    machine.AddFile("C:\\WINNT\\Profiles\\All Users\\Desktop\\notes.lnk");
    machine.SetNotesIniValue("C:\\Lotus\\Domino\\notes.ini", "SERVERTASKS",
                             "Replica,Router,Update,AMgr");
    machine.SetNotesIniValue("C:\\Lotus\\Domino\\notes.ini", "ServerTasksAt1", "Catalog,Design");
    EXPECT_TRUE(machine.Problems().empty());
}

void SuiteFixture::TearDown() {
    ResetCatalogueState();
    EXPECT_EQ(winsim::OpenKeyHandleCount(), 0u);
    EXPECT_EQ(winsim::OpenServiceHandleCount(), 0u);
    EXPECT_EQ(winsim::OpenSearchCount(), 0u);
    EXPECT_EQ(winsim::OpenFileCount(), 0u);
    winsim::ClearEnvironment("OVNOTESPARTITION");
    winsim::ClearEnvironment("NOTESPARTITION");
    winsim::Reset();
}

void SuiteFixture::UsePartitions(int count) {
    SimulatedDemoMachine machine;
    machine.SetDword(kSuiteRoot, "Partitioned", 1);
    machine.SetDword(kSuiteRoot, "Number of Partitions", static_cast<uint32_t>(count));
}

DemoInstallation SuiteFixture::SampleInstallation(const std::set<std::string>& components,
                                                  int partition) {
    DemoInstallation installation = SampleLocations(partition);
    installation.folderLocation = "C:\\WINNT\\Profiles\\All Users\\Start Menu\\Programs\\Orvanta";
    installation.components = components;
    return installation;
}

void SuiteFixture::Install(const DemoInstallation& installation) {
    SimulatedDemoMachine machine;
    AddSetupSettings(machine, installation);
    AddSuiteFootprint(machine, installation);
    AddRendimoManagerFootprint(machine, installation);
    AddExamoraFootprint(machine, installation);
    EXPECT_TRUE(machine.Problems().empty());
}

DemoInstallation SuiteFixture::Install(const std::set<std::string>& components, int partition) {
    const DemoInstallation installation = SampleInstallation(components, partition);
    Install(installation);
    return installation;
}

bool SuiteFixture::Scan() {
    return InitInstalledApps();
}

bool SuiteFixture::Remove(const char* family, int partition, const char* component) {
    const std::string number = std::to_string(partition);
    if (partition != 0) {
        ovSetPartition(partition);
    }
    return UninstallProduct(family, kVersion, partition != 0 ? number.c_str() : nullptr, component,
                            &Record, 0);
}

bool SuiteFixture::Record(const char* text, int32_t percent, int32_t step, uint32_t kind) {
    reports.push_back({text, percent, step, kind});
    return kind == 2 ? answers(text) : false;
}

Report SuiteFixture::Title(const std::string& family, int partition, const char* component) {
    std::string title = "Removing " + family + " " + kVersion;
    if (component != nullptr) {
        title += std::string(" ") + component;
    }
    title += partition != 0 ? " - Partition " + std::to_string(partition) : std::string();
    return {title + " from your computer...", 0, 1, 1};
}

bool SuiteFixture::FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

int64_t SuiteFixture::Dword(const std::string& key, const std::string& name) {
    winsim::Value value;
    if (!winsim::ReadValue(Hklm(key), name, &value) || value.type != REG_DWORD ||
        value.data.size() != 4) {
        return -1;
    }
    return static_cast<int64_t>(value.data[0] | value.data[1] << 8 | value.data[2] << 16 |
                                static_cast<uint32_t>(value.data[3]) << 24);
}

int64_t SuiteFixture::SetupFlag(const std::string& flag, int partition) {
    return Dword(SetupKey(partition), flag);
}

}  // namespace suite_test
