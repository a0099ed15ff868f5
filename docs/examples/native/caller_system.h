/* What the example caller needs from the simulated machine, declared for C: the loader functions
 * under their Windows names and types (the machine's own header is C++ only), and the machine
 * image that stands in for the computer. */
#ifndef CALLER_SYSTEM_H
#define CALLER_SYSTEM_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef int BOOL;
typedef uint32_t DWORD;
typedef struct HINSTANCE__* HMODULE;
typedef intptr_t (*FARPROC)(void);

#define MAX_PATH 260

HMODULE LoadLibraryA(const char* name);
FARPROC GetProcAddress(HMODULE module, const char* name);
BOOL FreeLibrary(HMODULE module);
DWORD GetLastError(void);
DWORD GetModuleFileNameA(HMODULE module, char* name, DWORD size);
BOOL SetDllDirectoryA(const char* folder);

/* Loads the machine image folder into the simulated machine; 0 with a reason on stderr when it
 * cannot, or when no folder is named. */
int OpenCallerMachine(const char* image);
/* Writes the machine's state back into the image folder, so before and after can be compared. */
int CloseCallerMachine(void);

#ifdef __cplusplus
}
#endif

#endif
