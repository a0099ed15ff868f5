#include "native/sentrel_fixture.h"

#include "api/counters.h"
#include "sample_machine/demo_machine_winsim.h"
#include "sample_machine/demo_sentrel.h"
#include "support/services_seed.h"

namespace sentrel_test {

void SentrelFixture::SetUp() {
    SuiteFixture::SetUp();
    // The console-command program the removals run to make a Notes server task quit.
    winsim::Program consoleCommand;
    consoleCommand.path = "C:\\Orvanta\\Common\\ovconcmd.exe";
    consoleCommand.action = winsim::ProgramAction::kConsoleCommand;
    winsim::AddProgram(consoleCommand);
}

void SentrelFixture::UsePartitions(int count) {
    SuiteFixture::UsePartitions(count);
    g_partitionCount = count;
}

DemoInstallation SentrelFixture::Install(const std::set<std::string>& components, int partition) {
    const DemoInstallation installation = SampleInstallation(components, partition);
    SuiteFixture::Install(installation);
    SimulatedDemoMachine machine;
    AddSentrelFootprint(machine, installation);
    EXPECT_TRUE(machine.Problems().empty());
    return installation;
}

std::unique_ptr<CTestSentrel> SentrelFixture::MakeProduct(int partition) {
    if (partition == 0) {
        winsim::ClearEnvironment("OVNOTESPARTITION");
        return std::make_unique<CTestSentrel>(CSentrel::kFamilyName, kVersion);
    }
    const std::string n = std::to_string(partition);
    // The store reads the partition the process environment selects, as the catalogue sets it.
    winsim::SetEnvironment("OVNOTESPARTITION", n);
    return std::make_unique<CTestSentrel>(CSentrel::kFamilyName, kVersion, n.c_str());
}

std::unique_ptr<CTestSentrel> SentrelFixture::Listed(int partition) {
    auto product = MakeProduct(partition);
    g_sentrelCount = 1;
    g_installedCount = 1;
    return product;
}

void SentrelFixture::RemoveService(const std::string& name) {
    winsim::AddService(services_seed::MakeService(name, SERVICE_STOPPED));
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    SC_HANDLE service = OpenServiceA(manager, name.c_str(), SERVICE_ALL_ACCESS);
    EXPECT_TRUE(DeleteService(service));
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
}

}  // namespace sentrel_test
