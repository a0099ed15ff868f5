// The window face: Windows starts the program without arguments and without a console from
// Programs and Features, and it answers with a window. Any other start is the console face's; a
// start from a console gets that console back here, since the program is of the GUI subsystem.
#include <iostream>
#include <string>

#include "console_attachment.h"
#include "ovuninstall/session/face.h"
#include "ovuninstall/session/library_binding.h"
#include "ovuninstall/session/machine_session.h"
#include "ovuninstall/session/run_log.h"
#include "uninstall_window.h"
#include "window_model.h"

namespace {

class WindowFace : public Face {
  public:
    // Main asks every face once per start, before any runs: the place to take the console back
    // for the console face, whatever the arguments.
    int Claim(int argc, char**) const override {
        const bool console = AttachToStartingConsole();
        return argc == 1 && !console ? 2 : 0;
    }
    Outcome Run(int argc, char** argv, RunLog& log) override;
};

Outcome WindowFace::Run(int, char**, RunLog& log) {
    log.Open("", std::cerr);
    std::string error;
    MachineSession machine;
    const MachineAccess access = machine.Open("", true, &error);
    if (access != MachineAccess::kOpened) {
        log.Write(error);
        ShowMessage(error.c_str(), true);
        return access == MachineAccess::kInUse ? Outcome::kAnotherUninstaller
                                               : Outcome::kStillInstalled;
    }
    LibraryBinding library;
    if (!library.Load(&error)) {
        log.Write(error);
        ShowMessage(error.c_str(), true);
        return Outcome::kStillInstalled;
    }
    std::vector<CatalogueEntry> catalogue = ReadCatalogue(library);
    if (catalogue.empty()) {
        ShowMessage("Nothing of the Orvanta suite is installed on this computer.", false);
        return Outcome::kNotInstalled;
    }
    WindowModel model(std::move(catalogue));
    return ShowUninstallWindow(model, library, log);
}

WindowFace g_windowFace;
const FaceRegistration g_windowRegistration(g_windowFace);

}  // namespace
