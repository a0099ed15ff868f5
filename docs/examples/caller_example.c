/* A small uninstall program over uninstlib.dll, in C: it loads the library, binds its seven
 * exports by name, lists the catalogue, removes one product (answering yes to every question) and
 * checks what the library reports before and after.
 *
 *     caller_example PRODUCT [MACHINE-IMAGE]
 *
 * On Windows it works on the machine it runs on; in the native build the simulated machine
 * loads MACHINE-IMAGE first and writes it back at the end. Exit code 0 when every check held. */
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "caller_system.h"
#include "uninstlib/uninstlib.h"

/* ---- Binding the exports ------------------------------------------------------------------ */

struct Uninstlib {
    HMODULE module;
    InitInstalledAppsFunction initInstalledApps;
    EnumInstalledAppsFunction enumInstalledApps;
    UninstallProductFunction uninstallProduct;
    ovGetPartitionFunction getPartition;
    ovSetPartitionFunction setPartition;
    ovSetPartitionExtFunction setPartitionExt;
    ovShouldCreateEnvFunction shouldCreateEnv;
};

typedef void (*AnyFunction)(void);

static AnyFunction Export(HMODULE module, const char* name) {
    AnyFunction function = (AnyFunction)GetProcAddress(module, name);
    if (function == NULL) {
        fprintf(stderr, "uninstlib.dll has no export %s (error %lu)\n", name,
                (unsigned long)GetLastError());
    }
    return function;
}

/* This program's own folder, with its closing separator. */
static int ProgramFolder(char* folder, DWORD size) {
    DWORD length = GetModuleFileNameA(NULL, folder, size);
    if (length == 0 || length >= size) {
        return 0;
    }
    while (length > 0 && folder[length - 1] != '\\' && folder[length - 1] != '/') {
        --length;
    }
    folder[length] = '\0';
    return length > 0;
}

/* Before anything is loaded: a library planted in the folder an administrator starts the
 * program from must never be loaded, so the current directory leaves the library search. The
 * program's own folder, searched first anyway, takes its place (Windows takes an empty text the
 * same way; Wine does not). SetDefaultDllDirectories would drop the Path as well, through which
 * the library finds ovrt.dll. */
static int KeepCurrentDirectoryOutOfLibrarySearch(void) {
    char folder[MAX_PATH];
    return ProgramFolder(folder, sizeof folder) && SetDllDirectoryA(folder);
}

/* The library is loaded by its full path from this program's folder, never by a bare name. The
 * catalogue exports are bound by their decorated names, the partition exports by plain ones. */
static int LoadUninstlib(struct Uninstlib* lib) {
    char path[MAX_PATH];
    memset(lib, 0, sizeof *lib);
    if (!ProgramFolder(path, sizeof path) ||
        strlen(path) + strlen("uninstlib.dll") >= sizeof path) {
        fprintf(stderr, "cannot tell this program's folder\n");
        return 0;
    }
    strcat(path, "uninstlib.dll");
    lib->module = LoadLibraryA(path);
    if (lib->module == NULL) {
        fprintf(stderr, "cannot load %s (error %lu)\n", path, (unsigned long)GetLastError());
        return 0;
    }
    lib->initInstalledApps =
        (InitInstalledAppsFunction)Export(lib->module, UNINSTLIB_INIT_INSTALLED_APPS);
    lib->enumInstalledApps =
        (EnumInstalledAppsFunction)Export(lib->module, UNINSTLIB_ENUM_INSTALLED_APPS);
    lib->uninstallProduct =
        (UninstallProductFunction)Export(lib->module, UNINSTLIB_UNINSTALL_PRODUCT);
    lib->getPartition = (ovGetPartitionFunction)Export(lib->module, "ovGetPartition");
    lib->setPartition = (ovSetPartitionFunction)Export(lib->module, "ovSetPartition");
    lib->setPartitionExt = (ovSetPartitionExtFunction)Export(lib->module, "ovSetPartitionExt");
    lib->shouldCreateEnv = (ovShouldCreateEnvFunction)Export(lib->module, "ovShouldCreateEnv");
    return lib->initInstalledApps && lib->enumInstalledApps && lib->uninstallProduct &&
           lib->getPartition && lib->setPartition && lib->setPartitionExt && lib->shouldCreateEnv;
}

/* ---- The catalogue ------------------------------------------------------------------------ */

#define MAX_ENTRIES 64
#define TEXT_SIZE 260

struct Entry {
    char name[TEXT_SIZE];
    char version[TEXT_SIZE];
    char partition[TEXT_SIZE];
    int partitioned;
    char components[1024];
};

static struct Entry g_entries[MAX_ENTRIES];
static int g_entryCount;

/* The component text lives only during this call, so every text is copied. */
static bool CollectEntry(const char* name, const char* version, const char* partition,
                         const char* components) {
    struct Entry* entry;
    if (g_entryCount == MAX_ENTRIES) {
        return false;
    }
    entry = &g_entries[g_entryCount++];
    snprintf(entry->name, sizeof entry->name, "%s", name);
    snprintf(entry->version, sizeof entry->version, "%s", version);
    entry->partitioned = partition != NULL;
    snprintf(entry->partition, sizeof entry->partition, "%s", partition ? partition : "");
    snprintf(entry->components, sizeof entry->components, "%s", components);
    return true;
}

/* Builds the catalogue afresh and copies its installed entries into g_entries. */
static void ReadCatalogue(const struct Uninstlib* lib) {
    g_entryCount = 0;
    if (lib->initInstalledApps()) {
        lib->enumInstalledApps(&CollectEntry);
    }
}

/* The first entry of that product name, in catalogue order. */
static const struct Entry* FindEntry(const char* name) {
    int i;
    for (i = 0; i < g_entryCount; ++i) {
        if (strcmp(g_entries[i].name, name) == 0) {
            return &g_entries[i];
        }
    }
    return NULL;
}

/* Whether the catalogue lists exactly this entry: name, version and partition. */
static int Listed(const struct Entry* wanted) {
    int i;
    for (i = 0; i < g_entryCount; ++i) {
        const struct Entry* entry = &g_entries[i];
        if (strcmp(entry->name, wanted->name) == 0 &&
            strcmp(entry->version, wanted->version) == 0 &&
            entry->partitioned == wanted->partitioned &&
            strcmp(entry->partition, wanted->partition) == 0) {
            return 1;
        }
    }
    return 0;
}

/* ---- Progress and questions --------------------------------------------------------------- */

static const char* const kPhaseNames[] = {"finished", "program files", "databases", "folder items",
                                          "registry"};

struct Observed {
    int reports;
    int titleFirst;     /* the first report was the title: percent 0, phase 1, a status line */
    int lastStatusStep; /* the phase of the latest status line */
    int lastPercent;
    int errors; /* reports of kind 3: the removal of a component stopped */
};

static struct Observed g_observed;

static bool ShowReport(const char* text, int32_t percent, int32_t step, uint32_t kind) {
    const char* phase = step >= 0 && step <= 4 ? kPhaseNames[step] : "?";
    if (g_observed.reports++ == 0) {
        g_observed.titleFirst = percent == 0 && step == 1 && kind == 1;
    }
    g_observed.lastPercent = percent;
    switch (kind) {
        case 2:
            printf("  %3d%% ? %s yes\n", (int)percent, text);
            return true; /* yes: the leftover directory goes too */
        case 3:
            ++g_observed.errors;
            printf("  %3d%% ! %s\n", (int)percent, text);
            return false;
        default:
            g_observed.lastStatusStep = step;
            printf("  %3d%% [%s] %s\n", (int)percent, phase, text);
            return true;
    }
}

/* ---- The uninstall program ---------------------------------------------------------------- */

static int Check(int holds, const char* what) {
    if (!holds) {
        fprintf(stderr, "check failed: %s\n", what);
    }
    return holds;
}

static int RemoveAndCheck(const struct Uninstlib* lib, const char* product) {
    const struct Entry* found;
    struct Entry entry;
    const char* partition;
    int i;
    int ok = 1;
    bool removed;

    /* Before the scan, which selects each partition in turn: where the program started. */
    printf("Partition selected at start: %d\n", (int)lib->getPartition());
    ReadCatalogue(lib);
    printf("Installed:\n");
    for (i = 0; i < g_entryCount; ++i) {
        printf("  %s %s%s%s: %s\n", g_entries[i].name, g_entries[i].version,
               g_entries[i].partitioned ? " partition " : "", g_entries[i].partition,
               g_entries[i].components);
    }
    found = FindEntry(product);
    if (!Check(found != NULL, "the product is in the catalogue")) {
        return 0;
    }
    entry = *found;
    partition = entry.partitioned ? entry.partition : NULL;

    /* The library works on the selected partition: select the entry's before removing it. */
    if (partition != NULL) {
        lib->setPartition(atoi(partition));
    }
    printf("Removing %s %s:\n", entry.name, entry.version);
    memset(&g_observed, 0, sizeof g_observed);
    removed = lib->uninstallProduct(entry.name, entry.version, partition, NULL, &ShowReport, 0);
    ok &= Check(removed, "UninstallProduct answers true");
    ok &= Check(g_observed.titleFirst, "the title comes first, at 0%, phase 1");
    ok &= Check(g_observed.lastStatusStep == 0, "the last status line is the finished phase");
    ok &= Check(g_observed.errors == 0, "no error stopped a removal");
    ok &= Check(g_observed.lastPercent <= 100, "the percentage stays within 100");

    /* An entry removed is neither listed again nor removed twice, and a refused request reports
     * nothing through the callback. */
    memset(&g_observed, 0, sizeof g_observed);
    ok &= Check(!lib->uninstallProduct(entry.name, entry.version, partition, NULL, &ShowReport, 0),
                "a second UninstallProduct answers false");
    ok &= Check(g_observed.reports == 0, "a refused UninstallProduct reports nothing");
    ReadCatalogue(lib);
    ok &= Check(!Listed(&entry), "the entry is no longer listed");
    printf("%s %s: %s\n", entry.name, entry.version, ok ? "removed, every check held" : "FAILED");
    return ok;
}

int main(int argc, char** argv) {
    struct Uninstlib lib;
    int ok;
    if (!KeepCurrentDirectoryOutOfLibrarySearch()) {
        fprintf(stderr, "cannot keep the current directory out of the library search\n");
        return 3;
    }
    if (argc < 2 || argc > 3) {
        fprintf(stderr, "usage: caller_example PRODUCT [MACHINE-IMAGE]\n");
        return 2;
    }
    if (!OpenCallerMachine(argc == 3 ? argv[2] : NULL)) {
        return 2;
    }
    if (!LoadUninstlib(&lib)) {
        if (lib.module != NULL) {
            FreeLibrary(lib.module);
        }
        return 3;
    }
    ok = RemoveAndCheck(&lib, argv[1]);
    /* Unloading destroys the catalogue; the texts it handed over are gone from here on. */
    FreeLibrary(lib.module);
    if (!CloseCallerMachine()) {
        return 3;
    }
    return ok ? 0 : 1;
}
