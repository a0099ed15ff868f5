// A Sentrel product loaded straight from a simulated machine with the sample
// machines' footprint, so that one removal procedure can run on its own, at a
// chosen rate and with the Notes server found running or not, as the family's
// uninstall would start it.
#pragma once

#include <cstdint>
#include <memory>
#include <set>
#include <string>

#include "demo_machine_winsim.h"
#include "demo_sentrel.h"
#include "native/suite_fixture.h"
#include "products/sentrel.h"
#include "uninstlib/uninstlib.h"

namespace suite_test {

class SentrelUnderTest : public CSentrel {
  public:
    using CSentrel::CSentrel;
    // What UninstallAll or UninstallComponent set before the first removal runs.
    void Start(int32_t stepPercent, bool serverRunning) {
        m_percent = 0;
        m_stepPercent = stepPercent;
        m_serverRunning = serverRunning;
    }
};

class SentrelComponentFixture : public SuiteFixture {
  protected:
    // Installs the components (setup flags) in partition n (0: none) and loads
    // the product as discovery would, with that partition selected.
    static std::unique_ptr<SentrelUnderTest> Load(const std::set<std::string>& components,
                                                  int partition = 0) {
        const DemoInstallation installation = SampleInstallation(components, partition);
        Install(installation);
        SimulatedDemoMachine machine;
        AddSentrelFootprint(machine, installation);
        if (partition == 0) {
            return std::make_unique<SentrelUnderTest>("Sentrel", kVersion);
        }
        const std::string number = std::to_string(partition);
        ovSetPartition(partition);
        return std::make_unique<SentrelUnderTest>("Sentrel", kVersion, number.c_str());
    }
};

}  // namespace suite_test
