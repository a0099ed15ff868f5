// The suite's sample machine with the Pathlyn and Kestrune footprints added to it, and the family
// objects made as discovery makes them, for removals driven beside chosen products of other
// families.
#pragma once

#include <cstdint>
#include <memory>
#include <set>
#include <string>

#include "api/counters.h"
#include "api/discovery.h"
#include "api/setup_flags.h"
#include "native/suite_fixture.h"
#include "sample_machine/demo_kestrune.h"
#include "sample_machine/demo_machine_winsim.h"
#include "sample_machine/demo_pathlyn.h"
#include "uninstlib/uninstlib.h"

namespace suite_test {

constexpr const char* kPathlynServerFlag = "Pathlyn Server";
constexpr const char* kPathlynClientFlag = "Pathlyn Client";
constexpr const char* kKestruneFlag = "Kestrune Console";

const std::string kNotesIni = "C:\\Lotus\\Domino\\notes.ini";
const std::string kStartMenu = "C:\\WINNT\\Profiles\\All Users\\Start Menu\\Programs\\Orvanta";
const std::string kSearchPath = "%SystemRoot%\\system32;%SystemRoot%;C:\\Orvanta";

class PathlynKestruneFixture : public SuiteFixture {
  protected:
    // Installs the components with the footprints of every family that has one.
    static DemoInstallation InstallWithFootprints(const std::set<std::string>& components,
                                                  int partition = 0) {
        const DemoInstallation installation = SampleInstallation(components, partition);
        Install(installation);
        SimulatedDemoMachine machine;
        // "Installed" holds the weights of every product installed, this family's too.
        uint32_t installed = 0;
        for (int flag = 0; flag < kSetupFlagCount; ++flag) {
            installed += installation.Has(g_setupFlagNames[flag]) ? g_setupFlagWeights[flag] : 0;
        }
        machine.SetDword(installation.suiteKey + "\\Setup\\Setup", "Installed", installed);
        AddPathlynFootprint(machine, installation);
        AddKestruneFootprint(machine, installation);
        EXPECT_TRUE(machine.Problems().empty());
        return installation;
    }

    // The family's object of the unpartitioned suite (or of partition n), made by discovery's
    // factory with the partition selected as the catalogue selects it.
    static std::unique_ptr<CProduct> Make(FamilyFactory factory, int partition = 0) {
        if (partition == 0) {
            return factory(kVersion, nullptr);
        }
        ovSetPartition(partition);
        return factory(kVersion, std::to_string(partition).c_str());
    }

    // The products of each family still installed beside the one being removed (made after the
    // object, since making a product resets the installed count).
    static void Beside(int sentrel, int pathlyn, int rendimo, int examora, int kestrune) {
        g_sentrelCount = sentrel;
        g_pathlynCount = pathlyn;
        g_rendimoCount = rendimo;
        g_examoraCount = examora;
        g_kestruneCount = kestrune;
        g_installedCount = sentrel + pathlyn + rendimo + examora + kestrune;
    }

    static std::string SearchPath() { return Text(kEnvironmentKey, "Path"); }
};

}  // namespace suite_test
