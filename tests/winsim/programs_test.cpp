// Starting programs on the simulated machine: how a command line names its image, what the
// started process does on the virtual clock, and the handles and codes Windows answers with.
#include <fstream>
#include <string>
#include <vector>

#include "platform/winsim/programs_command_line.h"
#include "support/services_seed.h"
#include "winsim/fresh_machine.h"

namespace {

using services_seed::MakeProgram;

using Strings = std::vector<std::string>;

class ProgramStarts : public FreshMachine {
  protected:
    // Starts the command line; the error code, 0 when it started (handles in m_info).
    DWORD Start(const std::string& line, DWORD flags = 0, const char* application = nullptr) {
        std::vector<char> buffer(line.begin(), line.end());
        buffer.push_back('\0');
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        m_info = {};
        SetLastError(0);
        if (!CreateProcessA(application, buffer.data(), nullptr, nullptr, FALSE, flags, nullptr,
                            nullptr, &startup, &m_info)) {
            return GetLastError();
        }
        return 0;
    }
    void CloseBoth() {
        EXPECT_TRUE(CloseHandle(m_info.hThread));
        EXPECT_TRUE(CloseHandle(m_info.hProcess));
    }
    DWORD ExitCode() {
        DWORD code = 0xDEAD;
        EXPECT_TRUE(GetExitCodeProcess(m_info.hProcess, &code));
        return code;
    }

    PROCESS_INFORMATION m_info = {};
};

TEST(CommandLine, ImageCandidatesFollowWindowsOrder) {
    EXPECT_EQ(winsim::detail::ImageCandidates("C:\\Program Files\\Orvanta\\ovconcmd \"t x q\" S"),
              (Strings{"C:\\Program", "C:\\Program Files\\Orvanta\\ovconcmd",
                       "C:\\Program Files\\Orvanta\\ovconcmd \"t",
                       "C:\\Program Files\\Orvanta\\ovconcmd \"t x",
                       "C:\\Program Files\\Orvanta\\ovconcmd \"t x q\"",
                       "C:\\Program Files\\Orvanta\\ovconcmd \"t x q\" S"}));
    EXPECT_EQ(winsim::detail::ImageCandidates("\"C:\\Program Files\\a.exe\" /q"),
              Strings{"C:\\Program Files\\a.exe"});
    EXPECT_EQ(winsim::detail::ImageCandidates("a.exe  "), Strings{"a.exe"});
    EXPECT_TRUE(winsim::detail::ImageCandidates("").empty());
    EXPECT_EQ(winsim::detail::WithDefaultExtension("C:\\v1.2\\ovconcmd"), "C:\\v1.2\\ovconcmd.exe");
    EXPECT_EQ(winsim::detail::WithDefaultExtension("C:\\a\\setup.com"), "C:\\a\\setup.com");
}

TEST(CommandLine, ArgumentsSplitAsTheCRuntimeSplitsThem) {
    EXPECT_EQ(winsim::detail::SplitArguments("C:\\a\\ovconcmd \"t ovagent q\" MAIL01/Tarvelle"),
              (Strings{"C:\\a\\ovconcmd", "t ovagent q", "MAIL01/Tarvelle"}));
    EXPECT_EQ(winsim::detail::SplitArguments("\"C:\\x y\\p.exe\"  a\\\\\"b c\" d\\\"e f\\g"),
              (Strings{"C:\\x y\\p.exe", "a\\b c", "d\"e", "f\\g"}));
}

TEST_F(ProgramStarts, ImageIsFoundByPathWithoutRegardToCase) {
    winsim::AddProgram(MakeProgram("C:\\Program Files\\Orvanta\\Common\\ovconcmd.exe"));
    EXPECT_EQ(Start("c:\\program files\\orvanta\\common\\OVCONCMD \"t ovagent q\" MAIL01"), 0u);
    CloseBoth();
    EXPECT_EQ(Start("\"C:\\Program Files\\Orvanta\\Common\\ovconcmd.exe\""), 0u);
    CloseBoth();
    EXPECT_EQ(Start("", 0, "C:\\Program Files\\Orvanta\\Common\\ovconcmd.exe"), 0u);
    CloseBoth();
    // The application name is taken as it is: no extension is added.
    EXPECT_EQ(Start("x", 0, "C:\\Program Files\\Orvanta\\Common\\ovconcmd"),
              static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(Start("C:\\Orvanta\\Common\\ovconcmd.exe"), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(Start(""), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST_F(ProgramStarts, BareNameIsLookedForInTheSystemFoldersAndThePath) {
    winsim::AddProgram(MakeProgram("C:\\WINNT\\system32\\net.exe"));
    winsim::AddProgram(MakeProgram("D:\\Lotus\\Domino\\nserver.exe"));
    EXPECT_EQ(Start("net stop snmp"), 0u);
    CloseBoth();
    EXPECT_EQ(Start("nserver"), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    winsim::SetEnvironment("Path", "C:\\WINNT\\system32;D:\\Lotus\\Domino\\");
    EXPECT_EQ(Start("nserver"), 0u);
    CloseBoth();
    EXPECT_EQ(winsim::RunningProcessNames(), Strings{});
}

TEST_F(ProgramStarts, NewConsoleForADetachedProcessIsRefused) {
    winsim::AddProgram(MakeProgram("C:\\Tools\\quick.exe"));
    EXPECT_EQ(Start("C:\\Tools\\quick.exe", DETACHED_PROCESS | CREATE_NEW_CONSOLE),
              static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    const std::vector<winsim::ProgramStart> starts = winsim::ProgramStarts();
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].error, static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_TRUE(winsim::RunningProcessNames().empty());
}

TEST_F(ProgramStarts, WaitMovesTheClockToTheEndOrTheTimeOut) {
    winsim::AddProgram(MakeProgram("C:\\Tools\\slow.exe", 20000, 7));
    ASSERT_EQ(Start("C:\\Tools\\slow.exe"), 0u);
    EXPECT_EQ(winsim::RunningProcessNames(), Strings{"slow"});
    EXPECT_EQ(ExitCode(), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_EQ(WaitForSingleObject(m_info.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(WaitForSingleObject(m_info.hProcess, 10000), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(winsim::NowMs(), 10000u);
    EXPECT_NE(m_info.dwProcessId, m_info.dwThreadId);
    EXPECT_EQ(WaitForSingleObject(m_info.hThread, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(winsim::NowMs(), 20000u);
    EXPECT_EQ(ExitCode(), 7u);
    EXPECT_EQ(WaitForSingleObject(m_info.hProcess, 5000), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(winsim::NowMs(), 20000u);
    // Waiting is not sleeping.
    EXPECT_EQ(winsim::TotalSleptMs(), 0u);
    CloseBoth();
}

TEST_F(ProgramStarts, EndlessWaitForAnEndlessProgramIsADeadlock) {
    winsim::Program monitor = MakeProgram("C:\\Tools\\monitor.exe");
    monitor.runsUntilEnded = true;
    winsim::AddProgram(monitor);
    ASSERT_EQ(Start("C:\\Tools\\monitor.exe"), 0u);
    EXPECT_EQ(WaitForSingleObject(m_info.hProcess, INFINITE), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_POSSIBLE_DEADLOCK));
    EXPECT_EQ(WaitForSingleObject(m_info.hProcess, 60000), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(ExitCode(), static_cast<DWORD>(STILL_ACTIVE));
    CloseBoth();
}

TEST_F(ProgramStarts, HandlesAreCheckedForKindAndOpenness) {
    winsim::AddProgram(MakeProgram("C:\\Tools\\quick.exe"));
    ASSERT_EQ(Start("C:\\Tools\\quick.exe"), 0u);
    DWORD code = 0;
    EXPECT_FALSE(GetExitCodeProcess(m_info.hThread, &code));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(winsim::OpenProcessHandleCount(), 2u);
    CloseBoth();
    EXPECT_EQ(winsim::OpenProcessHandleCount(), 0u);
    EXPECT_FALSE(CloseHandle(m_info.hProcess));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(WaitForSingleObject(m_info.hProcess, 0), WAIT_FAILED);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(GetExitCodeProcess(m_info.hProcess, &code));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(GetExitCodeProcess(nullptr, &code));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

class ConsoleCommandProgram : public ProgramStarts {
  protected:
    void SetUp() override {
        ProgramStarts::SetUp();
        winsim::Program ovconcmd;
        ovconcmd.path = "C:\\Orvanta\\Common\\ovconcmd.exe";
        ovconcmd.action = winsim::ProgramAction::kConsoleCommand;
        winsim::AddProgram(ovconcmd);
    }
    // The program's exit code for that command line.
    DWORD Run(const std::string& arguments) {
        EXPECT_EQ(Start("C:\\Orvanta\\Common\\ovconcmd " + arguments), 0u);
        const DWORD code = ExitCode();
        CloseBoth();
        return code;
    }
};

TEST_F(ConsoleCommandProgram, TellsTheServerToEndTheTask) {
    winsim::StartProcess("nserver");
    winsim::StartProcess("novagent");
    winsim::StartProcess("novavg");
    EXPECT_EQ(Run("\"tell ovavg quit\" MAIL01"), 0u);
    EXPECT_EQ(winsim::RunningProcessNames(), (Strings{"nserver", "novagent"}));
    // A command the server does not know, or a missing one, changes nothing.
    EXPECT_EQ(Run("\"load ovagent\" MAIL01"), 1u);
    EXPECT_EQ(Run(""), 1u);
    EXPECT_EQ(winsim::RunningProcessNames(), (Strings{"nserver", "novagent"}));
    EXPECT_EQ(Run("\"T OVAGENT Q\" MAIL01"), 0u);
    EXPECT_EQ(winsim::RunningProcessNames(), Strings{"nserver"});
}

TEST_F(ConsoleCommandProgram, AlphaServerRunningAsNserverEndsTheAlphaTask) {
    winsim::SystemVersion alpha = winsim::WindowsNT40();
    alpha.processorArchitecture = PROCESSOR_ARCHITECTURE_ALPHA;
    winsim::SetSystem(alpha);
    winsim::StartProcess("aovagent");
    winsim::StartProcess("novagent");
    // Without a server nothing ends.
    EXPECT_EQ(Run("\"t ovagent q\" MAIL01"), 1u);
    winsim::StartProcess("nserver");
    EXPECT_EQ(Run("\"t ovagent q\" MAIL01"), 0u);
    EXPECT_EQ(winsim::RunningProcessNames(), (Strings{"novagent", "nserver"}));
}

TEST_F(ProgramStarts, MachineImageKeepsThePrograms) {
    std::ofstream(Scratch() / "machine.json") << R"({
    "programs": [
        {"path": "C:\\Orvanta\\Common\\ovconcmd.exe", "does": "console command"},
        {"path": "C:\\Tools\\slow.exe", "runs ms": 20000, "exit code": 3},
        {"path": "C:\\Tools\\monitor.exe", "runs": "until ended"}
    ]
}
)";
    std::string error;
    ASSERT_TRUE(winsim::LoadMachine(Scratch().string(), &error)) << error;
    ASSERT_EQ(Start("C:\\Tools\\monitor.exe"), 0u);
    EXPECT_EQ(WaitForSingleObject(m_info.hProcess, 100000), static_cast<DWORD>(WAIT_TIMEOUT));
    CloseBoth();
    ASSERT_EQ(Start("C:\\Tools\\slow.exe"), 0u);
    EXPECT_EQ(WaitForSingleObject(m_info.hProcess, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(ExitCode(), 3u);
    CloseBoth();

    ASSERT_TRUE(winsim::SaveMachine((Scratch() / "saved").string(), &error)) << error;
    std::ifstream in(Scratch() / "saved" / "machine.json");
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find(R"("programs": [
        {
            "path": "C:\\Orvanta\\Common\\ovconcmd.exe",
            "does": "console command"
        },
        {
            "path": "C:\\Tools\\slow.exe",
            "runs ms": 20000,
            "exit code": 3
        },
        {
            "path": "C:\\Tools\\monitor.exe",
            "runs": "until ended"
        }
    ])"),
              std::string::npos)
        << text;
}

}  // namespace
