// The window of the uninstall program: plain Win32 and the common controls, drawing the pages of a
// WindowModel and handing it what the person does. Keyboard first, as a dialog is: Tab and
// Shift+Tab follow the page, Alt and a button's underlined letter press it, Enter presses the
// page's default button and Esc cancels; the choice list takes the arrows and Space.
#pragma once

#include "ovuninstall/session/outcome.h"

class LibraryBinding;
class RunLog;
class WindowModel;

// Shows the window until the person ends it on its last page, or cancels on its first; the
// removal runs on a worker thread meanwhile. The outcome becomes the exit code.
Outcome ShowUninstallWindow(WindowModel& model, LibraryBinding& library, RunLog& log);

// A message box for a run that cannot show the window (nothing installed, another uninstaller).
void ShowMessage(const char* text, bool error);
