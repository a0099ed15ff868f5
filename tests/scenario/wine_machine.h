// A scenario's machine hosted by Wine: a fresh prefix made from a template, the image's registry,
// drive, services and running Program Manager put into it, the Windows build of the uninstall
// program run in it, and what it holds afterwards read back as a machine image, so both platforms
// are compared alike.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "scenario/program_run.h"
#include "scenario/wine_program_manager.h"

class WineMachine {
  public:
    // windowsBin: the folder of the Windows build's programs (ovuninstall.exe, uninstlib.dll,
    // ovrt.dll, services_test_service.exe, and progman_stand_in.exe for a machine whose Program
    // Manager runs).
    WineMachine(std::string prefix, std::string windowsBin);
    ~WineMachine();
    WineMachine(const WineMachine&) = delete;
    WineMachine& operator=(const WineMachine&) = delete;

    // An initialised prefix that every scenario's prefix is copied from; made once.
    static bool MakeTemplate(const std::string& templateDir, std::string* error);

    // The image's machine in a copy of the template.
    bool Prepare(const std::string& templateDir, const std::string& imageDir, std::string* error);
    // ovuninstall.exe with these arguments: its whole exit code, and its standard output with
    // Windows line ends made plain. An argument may hold neither " nor %.
    ProgramResult Run(const std::vector<std::string>& args);
    // A Windows program with Wine in the prefix, arguments quoted for the shell ("sc query 'X'");
    // its exit status, and in *output its standard output made plain.
    int Wine(const std::string& arguments, std::string* output = nullptr);
    // What the prefix holds of what the image describes, written as an image into outDir.
    bool Snapshot(const std::string& imageDir, const std::string& outDir, std::string* error);

  private:
    // One attempt of Prepare, from a fresh copy of the template.
    bool PrepareOnce(const std::string& templateDir, const std::string& imageDir,
                     std::string* error);
    // The shell command that runs a Windows program with Wine in the prefix.
    std::string WineCommand(const std::string& arguments) const;
    int Batch(const std::vector<std::string>& commands, std::string* output = nullptr);

    std::string m_prefix;
    std::string m_windowsBin;
    std::string m_templateDir;
    std::unique_ptr<WineProgramManager> m_programManager;
};
