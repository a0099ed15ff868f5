// The simulated service control manager answers as Windows' does: the same error codes, the same
// states, deletion once the last handle goes, and pending states that end on the virtual clock.
#include <fstream>
#include <string>
#include <vector>

#include "support/services_seed.h"
#include "winsim/fresh_machine.h"

namespace {

using services_seed::MakeService;

constexpr DWORD kInvalidHandle = ERROR_INVALID_HANDLE;
constexpr DWORD kAccessDenied = ERROR_ACCESS_DENIED;
constexpr DWORD kMarkedForDelete = ERROR_SERVICE_MARKED_FOR_DELETE;

class ServiceManager : public FreshMachine {
  protected:
    void SetUp() override {
        FreshMachine::SetUp();
        m_manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
        ASSERT_NE(m_manager, nullptr);
    }
    void TearDown() override {
        if (m_manager != nullptr) {
            CloseServiceHandle(m_manager);
        }
        FreshMachine::TearDown();
    }

    SC_HANDLE Open(const char* name, DWORD access = SERVICE_ALL_ACCESS) {
        return OpenServiceA(m_manager, name, access);
    }
    static DWORD Query(SC_HANDLE service) {
        SERVICE_STATUS status = {};
        return QueryServiceStatus(service, &status) ? status.dwCurrentState : 0;
    }
    // The failure code of an open, 0 when it opened (the handle is closed again).
    DWORD OpenError(const char* name) {
        SetLastError(0);
        SC_HANDLE service = Open(name, SERVICE_QUERY_STATUS);
        if (service != nullptr) {
            CloseServiceHandle(service);
            return 0;
        }
        return GetLastError();
    }

    // The code a call left: 0 when it succeeded.
    static DWORD ErrorOf(BOOL succeeded) { return succeeded ? 0 : GetLastError(); }

    SC_HANDLE m_manager = nullptr;
};

TEST_F(ServiceManager, OpenAnswersWithTheManagersCodes) {
    winsim::AddService(MakeService("SNMP", SERVICE_RUNNING));
    EXPECT_EQ(OpenError("SNMP"), 0u);
    EXPECT_EQ(OpenError("snmp"), 0u);
    EXPECT_EQ(OpenError("NoSuchService"), static_cast<DWORD>(ERROR_SERVICE_DOES_NOT_EXIST));
    EXPECT_EQ(OpenError(""), static_cast<DWORD>(ERROR_INVALID_NAME));
    EXPECT_EQ(OpenError("a\\b"), static_cast<DWORD>(ERROR_INVALID_NAME));
    EXPECT_EQ(OpenError(nullptr), static_cast<DWORD>(ERROR_INVALID_ADDRESS));

    // A display name is not a service name.
    winsim::Service paging = MakeService("OvPaging", SERVICE_STOPPED);
    paging.displayName = "Orvanta Paging Server";
    winsim::AddService(paging);
    EXPECT_EQ(OpenError("Orvanta Paging Server"), static_cast<DWORD>(ERROR_SERVICE_DOES_NOT_EXIST));

    SetLastError(0);
    EXPECT_EQ(OpenServiceA(nullptr, "SNMP", SERVICE_QUERY_STATUS), nullptr);
    EXPECT_EQ(GetLastError(), kInvalidHandle);
    EXPECT_EQ(winsim::OpenServiceHandleCount(), 1u);
}

// Windows 95 and Win32s have no service control manager: whatever the machine holds, the manager
// does not open, which the library takes as "no such service".
TEST_F(ServiceManager, NoManagerOutsideWindowsNT) {
    winsim::AddService(MakeService("SNMP", SERVICE_RUNNING));
    for (const winsim::SystemVersion& system : {winsim::Windows95(), winsim::Win32s()}) {
        winsim::SetSystem(system);
        SetLastError(0);
        EXPECT_EQ(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS), nullptr);
        EXPECT_EQ(GetLastError(), 120u);  // ERROR_CALL_NOT_IMPLEMENTED
    }
    winsim::SetSystem(winsim::WindowsNT351());
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    EXPECT_NE(manager, nullptr);
    CloseServiceHandle(manager);
}

TEST_F(ServiceManager, ManagerOpensOnlyTheActiveDatabase) {
    SC_HANDLE active = OpenSCManagerA(nullptr, SERVICES_ACTIVE_DATABASEA, 0);
    ASSERT_NE(active, nullptr);
    // SC_MANAGER_CONNECT comes with every manager handle.
    winsim::AddService(MakeService("SNMP", SERVICE_RUNNING));
    SC_HANDLE service = OpenServiceA(active, "SNMP", SERVICE_QUERY_STATUS);
    EXPECT_NE(service, nullptr);
    EXPECT_TRUE(CloseServiceHandle(service));
    EXPECT_TRUE(CloseServiceHandle(active));

    EXPECT_EQ(OpenSCManagerA(nullptr, SERVICES_FAILED_DATABASEA, 0), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DATABASE_DOES_NOT_EXIST));
    EXPECT_EQ(OpenSCManagerA(nullptr, "Bogus", 0), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_NAME));
    winsim::FailServiceManagerOpen(ERROR_ACCESS_DENIED);
    EXPECT_EQ(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS), nullptr);
    EXPECT_EQ(GetLastError(), kAccessDenied);
}

TEST_F(ServiceManager, HandlesAreCheckedForKindAndOpenness) {
    winsim::AddService(MakeService("SNMP", SERVICE_RUNNING));
    SERVICE_STATUS status = {};
    EXPECT_EQ(ErrorOf(QueryServiceStatus(m_manager, &status)), kInvalidHandle);
    EXPECT_EQ(ErrorOf(ControlService(m_manager, SERVICE_CONTROL_STOP, &status)), kInvalidHandle);

    SC_HANDLE service = Open("SNMP");
    EXPECT_EQ(ErrorOf(OpenServiceA(service, "SNMP", SERVICE_QUERY_STATUS) != nullptr),
              kInvalidHandle);
    // Service handles are not kernel handles.
    EXPECT_EQ(ErrorOf(CloseHandle(reinterpret_cast<HANDLE>(service))), kInvalidHandle);
    EXPECT_TRUE(CloseServiceHandle(service));
    EXPECT_EQ(ErrorOf(CloseServiceHandle(service)), kInvalidHandle);
    EXPECT_EQ(ErrorOf(QueryServiceStatus(service, &status)), kInvalidHandle);
    EXPECT_EQ(ErrorOf(CloseServiceHandle(nullptr)), kInvalidHandle);
}

TEST_F(ServiceManager, EachCallNeedsItsAccessRight) {
    winsim::AddService(MakeService("SNMP", SERVICE_RUNNING));
    SC_HANDLE configOnly = Open("SNMP", SERVICE_QUERY_CONFIG);
    SERVICE_STATUS status = {};
    EXPECT_EQ(ErrorOf(QueryServiceStatus(configOnly, &status)), kAccessDenied);
    EXPECT_EQ(ErrorOf(ControlService(configOnly, SERVICE_CONTROL_STOP, &status)), kAccessDenied);
    EXPECT_EQ(ErrorOf(StartServiceA(configOnly, 0, nullptr)), kAccessDenied);
    EXPECT_EQ(ErrorOf(DeleteService(configOnly)), kAccessDenied);
    // Refused for want of a right, nothing reached the service.
    EXPECT_TRUE(winsim::ServiceRequests().empty());
    CloseServiceHandle(configOnly);

    // The generic execute right maps onto stop.
    SC_HANDLE execute = Open("SNMP", 0x20000000 /* GENERIC_EXECUTE */);
    EXPECT_TRUE(ControlService(execute, SERVICE_CONTROL_STOP, &status));
    CloseServiceHandle(execute);
}

TEST_F(ServiceManager, ControlsAnswerByState) {
    winsim::AddService(MakeService("Stopped", SERVICE_STOPPED));
    winsim::AddService(MakeService("Refuses", SERVICE_RUNNING, winsim::ServiceStop::kRefuses));
    winsim::AddService(MakeService("Stopping", SERVICE_STOP_PENDING, winsim::ServiceStop::kNever));
    winsim::AddService(MakeService("Running", SERVICE_RUNNING));
    struct Case {
        const char* service;
        DWORD control;
        DWORD error;
        DWORD stateAfter;
    };
    const Case cases[] = {
        {"Stopped", SERVICE_CONTROL_STOP, ERROR_SERVICE_NOT_ACTIVE, SERVICE_STOPPED},
        {"Stopped", SERVICE_CONTROL_INTERROGATE, ERROR_SERVICE_NOT_ACTIVE, SERVICE_STOPPED},
        {"Refuses", SERVICE_CONTROL_STOP, ERROR_INVALID_SERVICE_CONTROL, SERVICE_RUNNING},
        {"Stopping", SERVICE_CONTROL_STOP, ERROR_SERVICE_CANNOT_ACCEPT_CTRL, SERVICE_STOP_PENDING},
        {"Running", SERVICE_CONTROL_PAUSE, ERROR_INVALID_SERVICE_CONTROL, SERVICE_RUNNING},
        {"Running", 200, ERROR_INVALID_SERVICE_CONTROL, SERVICE_RUNNING},
        {"Running", 0, ERROR_INVALID_PARAMETER, 0},
        {"Running", SERVICE_CONTROL_INTERROGATE, 0, SERVICE_RUNNING},
        {"Running", SERVICE_CONTROL_STOP, 0, SERVICE_STOPPED},
    };
    for (const Case& c : cases) {
        SC_HANDLE service = Open(c.service);
        SERVICE_STATUS status = {};
        SetLastError(0);
        const BOOL ok = ControlService(service, c.control, &status);
        EXPECT_EQ(ok != FALSE, c.error == 0) << c.service << " " << c.control;
        EXPECT_EQ(GetLastError(), c.error) << c.service << " " << c.control;
        // A refused control still reports the service's status.
        EXPECT_EQ(status.dwCurrentState, c.stateAfter) << c.service << " " << c.control;
        CloseServiceHandle(service);
    }
    SC_HANDLE refuses = Open("Refuses");
    SERVICE_STATUS status = {};
    ASSERT_TRUE(QueryServiceStatus(refuses, &status));
    EXPECT_EQ(status.dwControlsAccepted, 0u);
    CloseServiceHandle(refuses);
    EXPECT_EQ(winsim::ServiceRequests(),
              (std::vector<std::string>{"stop Stopped", "interrogate Stopped", "stop Refuses",
                                        "stop Stopping", "pause Running", "control 200 Running",
                                        "interrogate Running", "stop Running"}));
}

TEST_F(ServiceManager, PendingStatesEndOnTheVirtualClock) {
    winsim::AddService(MakeService("Slow", SERVICE_RUNNING, winsim::ServiceStop::kPending, 5000));
    SC_HANDLE service = Open("Slow");
    SERVICE_STATUS status = {};
    ASSERT_TRUE(QueryServiceStatus(service, &status));
    EXPECT_EQ(status.dwControlsAccepted, static_cast<DWORD>(SERVICE_ACCEPT_STOP));
    ASSERT_TRUE(ControlService(service, SERVICE_CONTROL_STOP, &status));
    EXPECT_EQ(status.dwCurrentState, static_cast<DWORD>(SERVICE_STOP_PENDING));
    EXPECT_EQ(status.dwWaitHint, 5000u);
    Sleep(4999);
    EXPECT_EQ(Query(service), static_cast<DWORD>(SERVICE_STOP_PENDING));
    Sleep(1);
    EXPECT_EQ(Query(service), static_cast<DWORD>(SERVICE_STOPPED));

    winsim::Service starting = MakeService("Slow", SERVICE_STOPPED);
    starting.start = winsim::ServiceStart::kPending;
    starting.startPendingMs = 3000;
    winsim::AddService(starting);
    EXPECT_TRUE(StartServiceA(service, 0, nullptr));
    EXPECT_EQ(Query(service), static_cast<DWORD>(SERVICE_START_PENDING));
    EXPECT_EQ(ErrorOf(StartServiceA(service, 0, nullptr)),
              static_cast<DWORD>(ERROR_SERVICE_ALREADY_RUNNING));
    Sleep(3000);
    EXPECT_EQ(Query(service), static_cast<DWORD>(SERVICE_RUNNING));
    CloseServiceHandle(service);
}

TEST_F(ServiceManager, DeletedServiceGoesWithItsLastHandle) {
    winsim::AddService(MakeService("Recycle", SERVICE_STOPPED));
    SC_HANDLE first = Open("Recycle");
    SC_HANDLE second = Open("Recycle");
    EXPECT_TRUE(DeleteService(first));
    EXPECT_TRUE(winsim::ServiceMarkedForDelete("Recycle"));
    EXPECT_EQ(ErrorOf(DeleteService(second)), kMarkedForDelete);
    EXPECT_EQ(ErrorOf(StartServiceA(second, 0, nullptr)), kMarkedForDelete);
    EXPECT_EQ(Query(second), static_cast<DWORD>(SERVICE_STOPPED));

    CloseServiceHandle(first);
    EXPECT_EQ(winsim::ServiceNames(), std::vector<std::string>{"Recycle"});
    CloseServiceHandle(second);
    EXPECT_TRUE(winsim::ServiceNames().empty());
    EXPECT_EQ(OpenError("Recycle"), static_cast<DWORD>(ERROR_SERVICE_DOES_NOT_EXIST));
}

TEST_F(ServiceManager, RunningServiceMarkedForDeleteGoesWhenItStops) {
    winsim::AddService(
        MakeService("Recycle", SERVICE_RUNNING, winsim::ServiceStop::kPending, 2000));
    SC_HANDLE service = Open("Recycle");
    EXPECT_TRUE(DeleteService(service));
    CloseServiceHandle(service);
    EXPECT_EQ(winsim::ServiceState("Recycle"), static_cast<DWORD>(SERVICE_RUNNING));

    service = Open("Recycle");
    SERVICE_STATUS status = {};
    EXPECT_TRUE(ControlService(service, SERVICE_CONTROL_STOP, &status));
    CloseServiceHandle(service);
    EXPECT_EQ(winsim::ServiceState("Recycle"), static_cast<DWORD>(SERVICE_STOP_PENDING));
    Sleep(2000);
    EXPECT_EQ(winsim::ServiceState("Recycle"), 0u);
}

TEST_F(ServiceManager, InjectedFaultsAnswerInsteadOfTheService) {
    winsim::AddService(MakeService("SNMP", SERVICE_RUNNING));
    winsim::FailServiceCall("snmp", winsim::ServiceCall::kOpen, ERROR_ACCESS_DENIED);
    EXPECT_EQ(OpenError("SNMP"), kAccessDenied);
    // An open fault also answers for a name that is not installed.
    winsim::FailServiceCall("Ghost", winsim::ServiceCall::kOpen, ERROR_SERVICE_DATABASE_LOCKED);
    EXPECT_EQ(OpenError("Ghost"), static_cast<DWORD>(ERROR_SERVICE_DATABASE_LOCKED));

    winsim::AddService(MakeService("Paging", SERVICE_RUNNING));
    winsim::FailServiceCall("Paging", winsim::ServiceCall::kControl, ERROR_SERVICE_REQUEST_TIMEOUT);
    SC_HANDLE service = Open("Paging");
    SERVICE_STATUS status = {};
    EXPECT_EQ(ErrorOf(ControlService(service, SERVICE_CONTROL_STOP, &status)),
              static_cast<DWORD>(ERROR_SERVICE_REQUEST_TIMEOUT));
    EXPECT_EQ(Query(service), static_cast<DWORD>(SERVICE_RUNNING));
    CloseServiceHandle(service);
}

TEST_F(ServiceManager, MachineImageKeepsServicesAndTheirBehaviour) {
    const std::string image = R"({
    "os": "nt40",
    "services": [
        {"name": "SNMP", "display name": "SNMP Service", "state": "running"},
        {"name": "Orvanta Port Mapper", "state": "running", "stop": "refuses"},
        {"name": "Orvanta Paging Server", "state": "stop pending", "stop": "pending", "stop pending ms": 3000},
        {"name": "Orvanta Recycle Service", "state": "stopped", "start": "fails", "start error": 1058}
    ]
}
)";
    std::ofstream(Scratch() / "machine.json") << image;
    std::string error;
    ASSERT_TRUE(winsim::LoadMachine(Scratch().string(), &error)) << error;

    winsim::Service service;
    ASSERT_TRUE(winsim::FindService("Orvanta Port Mapper", &service));
    EXPECT_EQ(service.stop, winsim::ServiceStop::kRefuses);
    ASSERT_TRUE(winsim::FindService("Orvanta Recycle Service", &service));
    EXPECT_EQ(service.start, winsim::ServiceStart::kFails);
    EXPECT_EQ(service.startError, static_cast<DWORD>(ERROR_SERVICE_DISABLED));
    ASSERT_TRUE(winsim::FindService("SNMP", &service));
    EXPECT_EQ(service.displayName, "SNMP Service");
    // A service loaded while it stops goes on stopping.
    EXPECT_EQ(winsim::ServiceState("Orvanta Paging Server"),
              static_cast<DWORD>(SERVICE_STOP_PENDING));
    Sleep(3000);
    EXPECT_EQ(winsim::ServiceState("Orvanta Paging Server"), static_cast<DWORD>(SERVICE_STOPPED));

    const std::filesystem::path saved = Scratch() / "saved";
    ASSERT_TRUE(winsim::SaveMachine(saved.string(), &error)) << error;
    std::ifstream in(saved / "machine.json");
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find(R"("name": "Orvanta Paging Server",
            "state": "stopped",
            "stop": "pending",
            "stop pending ms": 3000)"),
              std::string::npos)
        << text;

    std::ofstream(Scratch() / "machine.json")
        << R"({"services": [{"name": "X", "stop": "slowly"}]})";
    EXPECT_FALSE(winsim::LoadMachine(Scratch().string(), &error));
    EXPECT_NE(error.find("service \"X\""), std::string::npos) << error;
}

}  // namespace
