// The service operations and RunAndWait against Wine's real service control manager and process
// creation. The services are instances of the test service program, registered for each test and
// removed again after it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "system/programs.h"
#include "system/services.h"

namespace {

constexpr const char* kQuick = "UninstlibTest Quick";
constexpr const char* kStuck = "UninstlibTest Stuck";
constexpr const char* kBroken = "UninstlibTest Broken";

// A program built beside this test program.
std::string Beside(const char* fileName) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\') + 1) + fileName;
}

class Manager {
  public:
    Manager() : m_handle(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS)) {}
    ~Manager() {
        if (m_handle != nullptr) {
            CloseServiceHandle(m_handle);
        }
    }
    Manager(const Manager&) = delete;
    Manager& operator=(const Manager&) = delete;
    SC_HANDLE Get() const { return m_handle; }

  private:
    SC_HANDLE m_handle;
};

bool QueryProcess(SC_HANDLE service, SERVICE_STATUS_PROCESS* status) {
    DWORD needed = 0;
    return QueryServiceStatusEx(service, SC_STATUS_PROCESS_INFO, reinterpret_cast<BYTE*>(status),
                                sizeof *status, &needed) != FALSE;
}

// Polls until the service is in that state; false when it is not within the time.
bool WaitForState(SC_HANDLE service, DWORD state, DWORD timeoutMs) {
    for (DWORD waited = 0;; waited += 100) {
        SERVICE_STATUS_PROCESS status = {};
        if (QueryProcess(service, &status) && status.dwCurrentState == state) {
            return true;
        }
        if (waited >= timeoutMs) {
            return false;
        }
        Sleep(100);
    }
}

bool WaitForState(const char* name, DWORD state, DWORD timeoutMs = 5000) {
    Manager manager;
    SC_HANDLE service = OpenServiceA(manager.Get(), name, SERVICE_QUERY_STATUS);
    const bool reached = service != nullptr && WaitForState(service, state, timeoutMs);
    if (service != nullptr) {
        CloseServiceHandle(service);
    }
    return reached;
}

// The code Wine's manager answers a stop control (or, with start, a start) of the service with; 0
// when it was accepted.
DWORD ManagerAnswer(const char* name, bool start) {
    Manager manager;
    SC_HANDLE service = OpenServiceA(manager.Get(), name, SERVICE_ALL_ACCESS);
    if (service == nullptr) {
        return GetLastError();
    }
    SERVICE_STATUS status = {};
    const BOOL ok = start ? StartServiceA(service, 0, nullptr)
                          : ControlService(service, SERVICE_CONTROL_STOP, &status);
    const DWORD error = ok ? 0 : GetLastError();
    CloseServiceHandle(service);
    return error;
}

// Stops the service however it can (ending its process when it will not stop) and deletes it.
void RemoveService(const char* name) {
    Manager manager;
    SC_HANDLE service = OpenServiceA(manager.Get(), name, SERVICE_ALL_ACCESS);
    if (service == nullptr) {
        return;
    }
    SERVICE_STATUS_PROCESS status = {};
    if (QueryProcess(service, &status) && status.dwCurrentState != SERVICE_STOPPED) {
        SERVICE_STATUS ignored = {};
        const bool stopping = ControlService(service, SERVICE_CONTROL_STOP, &ignored) != FALSE;
        if (!(stopping && WaitForState(service, SERVICE_STOPPED, 3000)) &&
            status.dwProcessId != 0) {
            // Wine's manager does not notice the end of a killed service at once; the service
            // is deleted all the same when its process is gone.
            HANDLE process =
                OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, status.dwProcessId);
            if (process != nullptr) {
                TerminateProcess(process, 1);
                WaitForSingleObject(process, 3000);
                CloseHandle(process);
            }
        }
    }
    DeleteService(service);
    CloseServiceHandle(service);
}

// Registers the test service program under that name, stopped, started on demand.
void InstallService(const char* name, const std::string& arguments,
                    const std::string& program = Beside("services_test_service.exe")) {
    RemoveService(name);
    Manager manager;
    ASSERT_NE(manager.Get(), nullptr) << GetLastError();
    const std::string binaryPath = "\"" + program + "\" " + arguments;
    SC_HANDLE service =
        CreateServiceA(manager.Get(), name, name, SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS,
                       SERVICE_DEMAND_START, SERVICE_ERROR_IGNORE, binaryPath.c_str(), nullptr,
                       nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(service, nullptr) << name << ": " << GetLastError();
    CloseServiceHandle(service);
}

void InstallRunning(const char* name, const std::string& arguments) {
    InstallService(name, arguments);
    ASSERT_EQ(StartServiceIfStopped(name), 0u) << name;
    ASSERT_TRUE(WaitForState(name, SERVICE_RUNNING)) << name;
}

class WineServices : public ::testing::Test {
  protected:
    void TearDown() override {
        for (const char* name : m_installed) {
            RemoveService(name);
        }
    }
    void Install(const char* name, const std::string& arguments,
                 const std::string& program = Beside("services_test_service.exe")) {
        m_installed.push_back(name);
        InstallService(name, arguments, program);
    }
    void Run(const char* name, const std::string& arguments) {
        m_installed.push_back(name);
        InstallRunning(name, arguments);
    }

  private:
    std::vector<const char*> m_installed;
};

TEST_F(WineServices, ServiceGoesThroughStartStopAndDelete) {
    Install(kQuick, "at-once");
    EXPECT_TRUE(ServiceExists(kQuick));
    EXPECT_FALSE(IsServiceActive(kQuick));
    EXPECT_FALSE(StopServiceAndWait(kQuick));
    EXPECT_EQ(ManagerAnswer(kQuick, false), static_cast<DWORD>(ERROR_SERVICE_NOT_ACTIVE));

    EXPECT_EQ(StartServiceIfStopped(kQuick), 0u);
    EXPECT_TRUE(IsServiceActive(kQuick));
    ASSERT_TRUE(WaitForState(kQuick, SERVICE_RUNNING));
    EXPECT_EQ(StartServiceIfStopped(kQuick), 0u);
    EXPECT_EQ(ManagerAnswer(kQuick, true), static_cast<DWORD>(ERROR_SERVICE_ALREADY_RUNNING));
    EXPECT_FALSE(DeleteStoppedService(kQuick));
    EXPECT_TRUE(ServiceExists(kQuick));

    EXPECT_TRUE(StopServiceAndWait(kQuick));
    EXPECT_FALSE(IsServiceActive(kQuick));
    EXPECT_TRUE(StopAndDeleteService(kQuick));
    EXPECT_FALSE(ServiceExists(kQuick));
}

TEST_F(WineServices, ServiceThatStaysStopPendingIsActiveAndNotDeleted) {
    Run(kStuck, "never");
    ASSERT_EQ(ManagerAnswer(kStuck, false), 0u);
    ASSERT_TRUE(WaitForState(kStuck, SERVICE_STOP_PENDING));
    EXPECT_EQ(ManagerAnswer(kStuck, false), static_cast<DWORD>(ERROR_SERVICE_CANNOT_ACCEPT_CTRL));
    EXPECT_TRUE(IsServiceActive(kStuck));
    EXPECT_FALSE(DeleteStoppedService(kStuck));
    EXPECT_EQ(StartServiceIfStopped(kStuck), 0u);
    // A second stop is refused while the first is under way.
    EXPECT_FALSE(StopServiceAndWait(kStuck));
    EXPECT_TRUE(ServiceExists(kStuck));
}

TEST_F(WineServices, ServiceWhoseProgramIsMissingCannotStart) {
    Install(kBroken, "at-once", "C:\\UninstlibNoSuchFolder\\service.exe");
    EXPECT_EQ(StartServiceIfStopped(kBroken), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(IsServiceActive(kBroken));
    EXPECT_TRUE(StopAndDeleteService(kBroken));
    EXPECT_FALSE(ServiceExists(kBroken));
}

// RunAndWait of the test program with those arguments.
DWORD RunTestProgram(const std::string& arguments) {
    const std::string line = "\"" + Beside("programs_test_program.exe") + "\" " + arguments;
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back('\0');
    return RunAndWait(buffer.data());
}

TEST(WineRunAndWait, ProgramThatFinishesAtOnce) {
    const DWORD started = GetTickCount();
    EXPECT_EQ(RunTestProgram("exit 7"), 0u);
    EXPECT_LT(GetTickCount() - started, 5000u);
}

TEST(WineRunAndWait, WaitsForAProgramThatTakesAWhile) {
    const std::string marker = Beside("programs_test_program.done");
    DeleteFileA(marker.c_str());
    const DWORD started = GetTickCount();
    EXPECT_EQ(RunTestProgram("sleep 1500 \"" + marker + "\""), 0u);
    EXPECT_GE(GetTickCount() - started, 1400u);
    // The program had finished when the call returned.
    EXPECT_NE(GetFileAttributesA(marker.c_str()), INVALID_FILE_ATTRIBUTES);
    DeleteFileA(marker.c_str());
}

}  // namespace
