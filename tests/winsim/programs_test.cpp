// Starting programs on the simulated machine: how a command line names its image, and the
// creation flags Windows refuses together.
#include <string>
#include <vector>

#include "support/services_seed.h"
#include "winsim/fresh_machine.h"

namespace {

using services_seed::MakeProgram;
using ProgramStarts = FreshMachine;

TEST_F(ProgramStarts, TheImageIsFoundAsWindowsFindsIt) {
    const std::string ovconcmd = "C:\\Program Files\\Orvanta\\Common\\ovconcmd.exe";
    for (const std::string& path :
         {ovconcmd, std::string("C:\\WINNT\\system32\\net.exe"),
          std::string("D:\\Lotus\\Domino\\nserver.exe"), std::string("D:\\Other\\tool.exe")}) {
        winsim::AddProgram(MakeProgram(path));
    }
    winsim::SetEnvironment("Path", "C:\\WINNT;D:\\Lotus\\Domino\\");
    const struct {
        std::string line;
        const char* application;
        DWORD flags;
        DWORD error;
    } cases[] = {
        // Unquoted, the line is tried up to each blank in turn, with ".exe" added.
        {"c:\\program files\\orvanta\\common\\OVCONCMD \"t ovagent q\" MAIL01", nullptr, 0, 0},
        {"\"" + ovconcmd + "\" /q", nullptr, 0, 0},
        // The application name is taken as it is: no extension is added.
        {"x", "C:\\Program Files\\Orvanta\\Common\\ovconcmd", 0, ERROR_FILE_NOT_FOUND},
        // A bare name is looked for in the system folder and along the Path.
        {"net stop snmp", nullptr, 0, 0},
        {"nserver", nullptr, 0, 0},
        {"tool", nullptr, 0, ERROR_FILE_NOT_FOUND},
        {"net", nullptr, DETACHED_PROCESS | CREATE_NEW_CONSOLE, ERROR_INVALID_PARAMETER},
    };
    for (const auto& c : cases) {
        std::vector<char> line(c.line.begin(), c.line.end());
        line.push_back('\0');
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info = {};
        EXPECT_EQ(ErrorOf([&] {
                      return CreateProcessA(c.application, line.data(), nullptr, nullptr, FALSE,
                                            c.flags, nullptr, nullptr, &startup, &info);
                  }),
                  c.error)
            << c.line;
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
    const std::vector<winsim::ProgramStart> starts = winsim::ProgramStarts();
    ASSERT_EQ(starts.size(), std::size(cases));
    EXPECT_EQ(starts.back().error, static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(winsim::OpenProcessHandleCount(), 0u);
}

}  // namespace
