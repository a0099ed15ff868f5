// The suite's test machine with the Sentrel family installed as the sample machines have it, and
// the product made as discovery makes it.
#pragma once

#include <cstdint>
#include <memory>
#include <set>
#include <string>

#include "native/suite_fixture.h"
#include "products/sentrel.h"

namespace sentrel_test {

using suite_test::kSuiteRoot;
using suite_test::kVersion;
using suite_test::LeftoverQuestion;
using suite_test::Report;
using suite_test::Transcript;

constexpr const char* kAgentFlag = "Sentrel";
constexpr const char* kPagingFlag = "Paging Server";
constexpr const char* kVellgardFlag = "Advanced Vellgard Server";
constexpr const char* kSubagentFlag = "OVSNMP";

// A CSentrel whose progress bookkeeping a test may read and set, to run one removal on its own.
class CTestSentrel : public CSentrel {
  public:
    using CSentrel::CSentrel;
    void SetProgress(int32_t percent, int32_t stepPercent) {
        m_percent = percent;
        m_stepPercent = stepPercent;
    }
    // What UninstallAll or UninstallComponent set before the first removal runs.
    void Start(int32_t stepPercent, bool serverRunning) {
        SetProgress(0, stepPercent);
        m_serverRunning = serverRunning;
    }
    int32_t Percent() const { return m_percent; }
    int32_t StepPercent() const { return m_stepPercent; }
};

class SentrelFixture : public suite_test::SuiteFixture {
  protected:
    void SetUp() override;

    // Partitions as the catalogue's scan counts them.
    static void UsePartitions(int count);
    // Installs the components (setup flags) in the unpartitioned suite (partition 0) or in
    // partition n, with the footprints of the sample machines.
    static DemoInstallation Install(const std::set<std::string>& components, int partition = 0);
    // The product as discovery makes it, for the unpartitioned suite or partition n; Listed also
    // counts it as the catalogue does.
    static std::unique_ptr<CTestSentrel> MakeProduct(int partition = 0);
    static std::unique_ptr<CTestSentrel> Listed(int partition = 0);
    // Takes a service off the machine altogether.
    static void RemoveService(const std::string& name);
};

}  // namespace sentrel_test
