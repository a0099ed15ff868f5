// The service operations against services seeded in the simulated machine, with the virtual clock
// showing how long each would have waited.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/winsim/control.h"
#include "support/services_seed.h"
#include "system/services.h"

namespace {

using services_seed::MakeService;

using Requests = std::vector<std::string>;

constexpr const char* kService = "Orvanta Recycle Service";

class Services : public ::testing::Test {
  protected:
    void SetUp() override { winsim::Reset(); }
    void TearDown() override {
        // Every operation closes the manager and the service before it returns.
        EXPECT_EQ(winsim::OpenServiceHandleCount(), 0u);
        winsim::Reset();
    }
    static bool Installed(const std::string& name) {
        winsim::Service ignored;
        return winsim::FindService(name, &ignored);
    }
};

TEST_F(Services, ExistsUnlessTheOpenSaysTheServiceIsNotThere) {
    winsim::AddService(MakeService(kService, SERVICE_STOPPED));
    EXPECT_TRUE(ServiceExists(kService));
    EXPECT_TRUE(ServiceExists("orvanta recycle SERVICE"));
    EXPECT_FALSE(ServiceExists("Orvanta Messaging Center"));

    for (DWORD notThere : {ERROR_ACCESS_DENIED, ERROR_INVALID_HANDLE, ERROR_INVALID_NAME}) {
        winsim::FailServiceCall(kService, winsim::ServiceCall::kOpen, notThere);
        EXPECT_FALSE(ServiceExists(kService)) << notThere;
    }
    // Any other failure to open leaves the service counted as there.
    winsim::FailServiceCall(kService, winsim::ServiceCall::kOpen, ERROR_SERVICE_DATABASE_LOCKED);
    EXPECT_TRUE(ServiceExists(kService));

    winsim::FailServiceManagerOpen(ERROR_ACCESS_DENIED);
    EXPECT_FALSE(ServiceExists(kService));
}

TEST_F(Services, ActiveMeansAnyStateButStopped) {
    for (DWORD state = SERVICE_STOPPED; state <= SERVICE_PAUSED; ++state) {
        winsim::AddService(MakeService(kService, state, winsim::ServiceStop::kNever));
        EXPECT_EQ(IsServiceActive(kService), state != SERVICE_STOPPED) << state;
    }
    winsim::FailServiceCall(kService, winsim::ServiceCall::kQuery, ERROR_ACCESS_DENIED);
    EXPECT_FALSE(IsServiceActive(kService));
}

// The stop waits a second, then polls every second while the service is stop pending, for at most
// thirty seconds; a stopped service is sent nothing.
TEST_F(Services, StopWaitsForTheServiceForAtMostThirtySeconds) {
    const struct {
        DWORD state;
        winsim::ServiceStop stop;
        DWORD pendingMs;
        bool stopped;
        uint64_t sleptMs;
        DWORD finalState;
    } cases[] = {
        {SERVICE_RUNNING, winsim::ServiceStop::kAtOnce, 0, true, 1000, SERVICE_STOPPED},
        {SERVICE_RUNNING, winsim::ServiceStop::kPending, 4500, true, 5000, SERVICE_STOPPED},
        {SERVICE_RUNNING, winsim::ServiceStop::kPending, 30000, true, 30000, SERVICE_STOPPED},
        {SERVICE_RUNNING, winsim::ServiceStop::kNever, 0, false, 30000, SERVICE_STOP_PENDING},
        {SERVICE_STOPPED, winsim::ServiceStop::kAtOnce, 0, false, 0, SERVICE_STOPPED},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pendingMs);
        winsim::Reset();
        winsim::AddService(MakeService(kService, c.state, c.stop, c.pendingMs));
        EXPECT_EQ(StopServiceAndWait(kService), c.stopped);
        EXPECT_EQ(winsim::TotalSleptMs(), c.sleptMs);
        EXPECT_EQ(winsim::ServiceState(kService), c.finalState);
        EXPECT_EQ(winsim::ServiceRequests(), c.state == SERVICE_STOPPED
                                                 ? Requests{}
                                                 : Requests{"stop Orvanta Recycle Service"});
    }
}

TEST_F(Services, RefusedStopFailsWithoutWaiting) {
    winsim::AddService(MakeService(kService, SERVICE_RUNNING, winsim::ServiceStop::kRefuses));
    EXPECT_FALSE(StopServiceAndWait(kService));
    EXPECT_EQ(winsim::TotalSleptMs(), 0u);
    EXPECT_EQ(winsim::ServiceState(kService), static_cast<DWORD>(SERVICE_RUNNING));

    // A service already stopping accepts no control.
    winsim::AddService(MakeService(kService, SERVICE_STOP_PENDING, winsim::ServiceStop::kNever));
    EXPECT_FALSE(StopServiceAndWait(kService));

    winsim::AddService(MakeService(kService, SERVICE_RUNNING));
    winsim::FailServiceCall(kService, winsim::ServiceCall::kControl, ERROR_SERVICE_REQUEST_TIMEOUT);
    EXPECT_FALSE(StopServiceAndWait(kService));
    EXPECT_EQ(winsim::TotalSleptMs(), 0u);
}

// A status query that fails while the stop is awaited ends the wait: the service, last seen not
// stopped, counts as not stopped.
TEST_F(Services, AQueryFailingWhileTheStopIsAwaitedEndsTheWait) {
    winsim::AddService(MakeService(kService, SERVICE_RUNNING, winsim::ServiceStop::kPending, 5000));
    winsim::FailServiceCall(kService, winsim::ServiceCall::kQuery, ERROR_INVALID_HANDLE, 1);
    EXPECT_FALSE(StopServiceAndWait(kService));
    EXPECT_EQ(winsim::TotalSleptMs(), 1000u);
}

TEST_F(Services, OnlyAStoppedServiceIsDeleted) {
    winsim::AddService(MakeService(kService, SERVICE_RUNNING));
    EXPECT_FALSE(DeleteStoppedService(kService));
    EXPECT_TRUE(Installed(kService));
    EXPECT_TRUE(winsim::ServiceRequests().empty());

    winsim::AddService(MakeService(kService, SERVICE_STOPPED));
    EXPECT_TRUE(DeleteStoppedService(kService));
    EXPECT_FALSE(Installed(kService));

    winsim::AddService(MakeService(kService, SERVICE_STOPPED));
    winsim::FailServiceCall(kService, winsim::ServiceCall::kDelete, ERROR_ACCESS_DENIED);
    EXPECT_FALSE(DeleteStoppedService(kService));
    EXPECT_TRUE(Installed(kService));
}

TEST_F(Services, StartGivesAStoppedServiceHalfASecond) {
    winsim::Service service = MakeService("SNMP", SERVICE_STOPPED);
    service.start = winsim::ServiceStart::kPending;
    service.startPendingMs = 2000;
    winsim::AddService(service);
    EXPECT_EQ(StartServiceIfStopped("SNMP"), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(winsim::TotalSleptMs(), 500u);
    // It does not wait for the service to run.
    EXPECT_EQ(winsim::ServiceState("SNMP"), static_cast<DWORD>(SERVICE_START_PENDING));
    EXPECT_EQ(winsim::ServiceRequests(), Requests{"start SNMP"});
}

TEST_F(Services, StartLeavesAServiceThatIsNotStoppedAlone) {
    winsim::AddService(MakeService("SNMP", SERVICE_RUNNING));
    EXPECT_EQ(StartServiceIfStopped("SNMP"), static_cast<DWORD>(ERROR_SUCCESS));
    winsim::AddService(MakeService("SNMP", SERVICE_STOP_PENDING, winsim::ServiceStop::kNever));
    EXPECT_EQ(StartServiceIfStopped("SNMP"), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_TRUE(winsim::ServiceRequests().empty());
    EXPECT_EQ(winsim::TotalSleptMs(), 0u);
}

TEST_F(Services, StartReportsTheCodeOfTheStepThatFailed) {
    winsim::Service service = MakeService("SNMP", SERVICE_STOPPED);
    service.start = winsim::ServiceStart::kFails;
    service.startError = ERROR_SERVICE_DISABLED;
    winsim::AddService(service);
    EXPECT_EQ(StartServiceIfStopped("SNMP"), static_cast<DWORD>(ERROR_SERVICE_DISABLED));
    EXPECT_EQ(winsim::ServiceState("SNMP"), static_cast<DWORD>(SERVICE_STOPPED));
    EXPECT_EQ(winsim::TotalSleptMs(), 0u);

    winsim::FailServiceCall("SNMP", winsim::ServiceCall::kQuery, ERROR_INVALID_HANDLE);
    EXPECT_EQ(StartServiceIfStopped("SNMP"), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    winsim::FailServiceManagerOpen(ERROR_ACCESS_DENIED);
    EXPECT_EQ(StartServiceIfStopped("SNMP"), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

// A removal cut short while it waited leaves the service stop pending, and a stop control would
// be refused: the wait is taken up again, bounded as a stop's.
TEST_F(Services, SuiteServiceLeftStopPendingIsWaitedForThenDeleted) {
    winsim::AddService(MakeService("Orvanta Port Mapper", SERVICE_STOP_PENDING,
                                   winsim::ServiceStop::kPending, 12000));
    winsim::AddService(
        MakeService("Orvanta Vellgard Server", SERVICE_STOP_PENDING, winsim::ServiceStop::kNever));
    EXPECT_FALSE(StopAndDeleteService(nullptr));
    EXPECT_EQ(winsim::ServiceRequests(),
              (Requests{"delete Orvanta Port Mapper", "stop Orvanta Vellgard Server"}));
    EXPECT_EQ(winsim::ServiceNames(), std::vector<std::string>{"Orvanta Vellgard Server"});
    EXPECT_EQ(winsim::TotalSleptMs(), 12000u + 30000u);
}

}  // namespace
