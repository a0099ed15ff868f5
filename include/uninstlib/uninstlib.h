/* What an uninstall program needs to drive uninstlib: the callback types and the exports. A
 * caller binds the exports by name (LoadLibraryA and GetProcAddress); the catalogue exports carry
 * the decorated names below, the partition exports plain names. Usable from C and C++. */
#ifndef UNINSTLIB_UNINSTLIB_H
#define UNINSTLIB_UNINSTLIB_H

#include <stdint.h>
#ifndef __cplusplus
#include <stdbool.h>
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* One catalogue entry: family name, version, partition (null outside any partition), and the
 * installed component names joined by commas. The texts belong to the library; the component
 * text is valid only during the call. Return true for the next entry, false to stop. */
typedef bool (*EnumAppsCallback)(const char* name, const char* version, const char* partition,
                                 const char* components);

/* Title, status lines, questions and errors of a removal: text, percent, step (the phase, 0 to
 * 4), kind (1 status, 2 yes/no question, 3 error). For a question, true means yes. */
typedef bool (*ProgressCallback)(const char* text, int32_t percent, int32_t step, uint32_t kind);

/* Export names of the catalogue exports. */
#define UNINSTLIB_INIT_INSTALLED_APPS "?InitInstalledApps@@YA_NXZ"
#define UNINSTLIB_ENUM_INSTALLED_APPS "?EnumInstalledApps@@YA_NP6A_NPEBD000@Z@Z"
#define UNINSTLIB_UNINSTALL_PRODUCT "?UninstallProduct@@YA_NPEBD000P6A_N0HHK@ZK@Z"

/* Builds the catalogue of installed products; true when anything of the suite is installed. */
bool InitInstalledApps(void);
/* Hands each installed catalogue entry to callback, in catalogue order. */
bool EnumInstalledApps(EnumAppsCallback callback);
/* Removes one product (component null) or one of its components, reporting through progress. */
bool UninstallProduct(const char* name, const char* version, const char* partition,
                      const char* component, ProgressCallback progress, uint32_t reserved);

/* The Domino partition the library and the suite's runtime work on, kept in the process
 * environment ("NOTESPARTITION", "OVNOTESPARTITION"). */
int32_t ovGetPartition(void);
void ovSetPartition(int32_t partition);
void ovSetPartitionExt(int32_t partition);
int32_t ovShouldCreateEnv(void);

typedef bool (*InitInstalledAppsFunction)(void);
typedef bool (*EnumInstalledAppsFunction)(EnumAppsCallback callback);
typedef bool (*UninstallProductFunction)(const char* name, const char* version,
                                         const char* partition, const char* component,
                                         ProgressCallback progress, uint32_t reserved);
typedef int32_t (*ovGetPartitionFunction)(void);
typedef void (*ovSetPartitionFunction)(int32_t partition);
typedef void (*ovSetPartitionExtFunction)(int32_t partition);
typedef int32_t (*ovShouldCreateEnvFunction)(void);

#ifdef __cplusplus
}
#endif

#endif
