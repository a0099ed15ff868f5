// The simulated service control manager answers with Windows' codes: for names, for access
// rights, for each control in each state, and for a service deleted while handles to it are open.
#include <functional>
#include <string>
#include <vector>

#include "support/services_seed.h"
#include "winsim/fresh_machine.h"

namespace {

using services_seed::MakeService;
using Names = std::vector<std::string>;

class ServiceManager : public FreshMachine {
  protected:
    void SetUp() override {
        FreshMachine::SetUp();
        m_manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    }
    void TearDown() override {
        CloseServiceHandle(m_manager);
        FreshMachine::TearDown();
    }
    // The code of the call on a handle to the service opened with that access.
    template <typename Call>
    DWORD ErrorOn(const char* name, DWORD access, Call call) {
        SC_HANDLE service = nullptr;
        DWORD error = ErrorOf([&] { return (service = OpenServiceA(m_manager, name, access)); });
        error = error != 0 ? error : ErrorOf([&] { return call(service); });
        CloseServiceHandle(service);
        return error;
    }
    SC_HANDLE m_manager = nullptr;
};

TEST_F(ServiceManager, CallsAnswerByNameRightAndState) {
    winsim::AddService(MakeService("Stopped", SERVICE_STOPPED));
    winsim::AddService(MakeService("Refuses", SERVICE_RUNNING, winsim::ServiceStop::kRefuses));
    winsim::AddService(MakeService("Stopping", SERVICE_STOP_PENDING, winsim::ServiceStop::kNever));
    winsim::AddService(MakeService("Running", SERVICE_RUNNING));
    SERVICE_STATUS status = {};
    const auto query = [&](SC_HANDLE s) { return QueryServiceStatus(s, &status); };
    const auto stop = [&](SC_HANDLE s) { return ControlService(s, SERVICE_CONTROL_STOP, &status); };
    const auto pause = [&](SC_HANDLE s) {
        return ControlService(s, SERVICE_CONTROL_PAUSE, &status);
    };
    const auto start = [](SC_HANDLE s) { return StartServiceA(s, 0, nullptr); };
    const auto remove = [](SC_HANDLE s) { return DeleteService(s); };
    const DWORD all = SERVICE_ALL_ACCESS;
    EXPECT_EQ(ErrorOn("Missing", all, query), 1060u);  // does not exist
    EXPECT_EQ(ErrorOn("a\\b", all, query), static_cast<DWORD>(ERROR_INVALID_NAME));
    // Each call needs its right; refused for want of one, nothing reaches the service.
    for (const auto& call :
         std::vector<std::function<BOOL(SC_HANDLE)>>{query, stop, start, remove}) {
        EXPECT_EQ(ErrorOn("Running", SERVICE_QUERY_CONFIG, call), 5u);
    }
    EXPECT_TRUE(winsim::ServiceRequests().empty());
    EXPECT_EQ(ErrorOf([&] { return QueryServiceStatus(m_manager, &status); }), 6u);
    const struct {
        const char* service;
        std::function<BOOL(SC_HANDLE)> call;
        DWORD access;
        DWORD error;
        DWORD stateAfter;
    } cases[] = {
        {"stopped", stop, all, ERROR_SERVICE_NOT_ACTIVE, SERVICE_STOPPED},
        {"Refuses", stop, all, ERROR_INVALID_SERVICE_CONTROL, SERVICE_RUNNING},
        {"Stopping", stop, all, ERROR_SERVICE_CANNOT_ACCEPT_CTRL, SERVICE_STOP_PENDING},
        {"Running", pause, all, ERROR_INVALID_SERVICE_CONTROL, SERVICE_RUNNING},
        {"Running", start, all, ERROR_SERVICE_ALREADY_RUNNING, SERVICE_RUNNING},
        // The generic execute right maps onto stop.
        {"Running", stop, 0x20000000, 0, SERVICE_STOPPED},
        {"Stopped", start, all, 0, SERVICE_RUNNING},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ErrorOn(c.service, c.access, c.call), c.error) << c.service;
        EXPECT_EQ(winsim::ServiceState(c.service), c.stateAfter) << c.service;
    }
    EXPECT_EQ(winsim::ServiceRequests(),
              (Names{"stop Stopped", "stop Refuses", "stop Stopping", "pause Running",
                     "start Running", "stop Running", "start Stopped"}));
    // Windows 95 and Win32s have no service control manager, whatever the machine holds.
    for (const winsim::SystemVersion& system : {winsim::Windows95(), winsim::Win32s()}) {
        winsim::SetSystem(system);
        EXPECT_EQ(ErrorOf([] { return OpenSCManagerA(nullptr, nullptr, GENERIC_READ); }), 120u);
    }
}

TEST_F(ServiceManager, ADeletedServiceGoesOnceStoppedWithItsLastHandle) {
    winsim::AddService(MakeService("Busy", SERVICE_RUNNING, winsim::ServiceStop::kPending, 2000));
    SC_HANDLE busy = OpenServiceA(m_manager, "Busy", SERVICE_ALL_ACCESS);
    EXPECT_TRUE(DeleteService(busy));
    const auto remove = [](SC_HANDLE s) { return DeleteService(s); };
    EXPECT_EQ(ErrorOn("busy", SERVICE_ALL_ACCESS, remove), 1072u);  // marked for delete
    SERVICE_STATUS status = {};
    EXPECT_TRUE(ControlService(busy, SERVICE_CONTROL_STOP, &status));
    EXPECT_EQ(status.dwCurrentState, static_cast<DWORD>(SERVICE_STOP_PENDING));
    EXPECT_EQ(status.dwWaitHint, 2000u);
    Sleep(1999);
    EXPECT_EQ(winsim::ServiceState("Busy"), static_cast<DWORD>(SERVICE_STOP_PENDING));
    Sleep(1);
    EXPECT_EQ(winsim::ServiceNames(), Names{"Busy"});
    CloseServiceHandle(busy);
    EXPECT_TRUE(winsim::ServiceNames().empty());
}

}  // namespace
