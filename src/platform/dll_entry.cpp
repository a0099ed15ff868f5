// The library's entry point. Windows calls DllMain as the DLL is loaded and unloaded; natively the
// simulated machine's LoadLibraryA and FreeLibrary call the same exported DllMain, so a load can be
// refused on both platforms alike.
#include "api/entry_point.h"
#include "platform/win32.h"

#ifndef _WIN32
// The native shared object exports it by its plain name for the simulated machine to find.
extern "C" __attribute__((visibility("default"))) BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID);
#endif

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    switch (reason) {
        case DLL_PROCESS_ATTACH:
            return LibraryAttach() ? TRUE : FALSE;
        case DLL_PROCESS_DETACH:
            LibraryDetach();
            return TRUE;
        default:
            return TRUE;
    }
}
