// A simulated Domino server machine with the suite installed as the sample machines have it (the
// Rendimo Manager, Examora and what the suite shares), the catalogue over it, and a recorder for
// everything a removal reports through the caller's callback.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "platform/winsim/control.h"
#include "sample_machine/demo_machine.h"

namespace suite_test {

constexpr const char* kVersion = "5.2";
constexpr const char* kSuiteRoot = "SOFTWARE\\Tarvelle\\Orvanta";
constexpr const char* kEnvironmentKey =
    "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";
constexpr const char* kExtensionAgentsKey =
    "SYSTEM\\CurrentControlSet\\Services\\SNMP\\Parameters\\ExtensionAgents";

// One call of the progress callback.
struct Report {
    std::string text;
    int32_t percent = 0;
    int32_t step = 0;
    uint32_t kind = 0;
    bool operator==(const Report& other) const {
        return text == other.text && percent == other.percent && step == other.step &&
               kind == other.kind;
    }
};
void PrintTo(const Report& report, std::ostream* out);
using Transcript = std::vector<Report>;

class SuiteFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Makes the suite partitioned with count partitions.
    static void UsePartitions(int count);
    // Where the sample machines install the components: the unpartitioned suite (partition 0) or
    // partition n, with the Start-menu folder of Windows NT 4.0.
    static DemoInstallation SampleInstallation(const std::set<std::string>& components,
                                               int partition = 0);
    // Writes the installation's settings and setup flags, and the footprints of the suite, the
    // Rendimo Manager and Examora.
    static void Install(const DemoInstallation& installation);
    static DemoInstallation Install(const std::set<std::string>& components, int partition = 0);

    // The catalogue, built as a caller builds it; true when anything is installed.
    static bool Scan();
    // UninstallProduct of the family's entry in partition n (0: unpartitioned), with the
    // partition selected first as a caller selects it; component null for the whole product.
    static bool Remove(const char* family, int partition = 0, const char* component = nullptr);
    // The callback: records every report; questions are answered by answers (yes by default).
    static bool Record(const char* text, int32_t percent, int32_t step, uint32_t kind);
    static Transcript reports;
    static std::function<bool(const std::string& question)> answers;

    // The title line of a removal; component null for the whole product.
    static Report Title(const std::string& family, int partition = 0,
                        const char* component = nullptr);

    static bool FileExists(const std::string& path);
    // -1 when the value cannot be read as a number.
    static int64_t Dword(const std::string& key, const std::string& name);
    static int64_t SetupFlag(const std::string& flag, int partition = 0);
};

}  // namespace suite_test
