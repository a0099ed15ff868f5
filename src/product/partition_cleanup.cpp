// The share of one partition, removed when its last product goes while other partitions still
// hold the suite: what the suite shares on the whole machine stays for them.
#include "api/counters.h"
#include "api/setup_flags.h"
#include "platform/win32.h"
#include "product/suite_cleanup.h"
#include "system/files.h"
#include "system/registry.h"

namespace {

void DeleteKeyTree(const char* path) {
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, path);
}

}  // namespace

void RemovePartitionShare(const CProduct& product, const SuiteLocations& where) {
    --g_partitionCount;

    DeleteEachMatching(where.notesDataDir,
                       {"ovstats.n?f", "ovavg.n?f", "ovrmstat.n?f", "ovparam.n?f", "ovreport.n?f",
                        "examora.n?f", "console.n?f", "kesWizrd.n?f", "ovstatus.n?f"});
    DeleteDirectoryTree(where.databaseDir);
    RemoveIniEntries(
        where.notesIni,
        {{"EXTMGR_ADDINS", "NEXTPATH"}, {"EXTMGR_ADDINS", "NOVAPIMN"}, {"SERVERTASKS", "OVINFO"}});
    RemoveWebDirectory(where.notesDataDir);

    // Last, since the partition's setup flags lie below its key: a cleanup cut short before this
    // leaves the partition's last product listed, and removing it again runs the cleanup again.
    char key[MAX_PATH];
    if (product.BuildSuiteKeyPath(key, sizeof key, kPartitionKey)) {
        DeleteKeyTree(key);
    }
    // Without a server name the path would be the product's own key, or with an empty one the
    // suite's root: only a named server's key goes.
    if (where.serverName != nullptr && where.serverName[0] != '\0' &&
        product.BuildProductKeyPath(key, sizeof key, nullptr, where.serverName, false)) {
        DeleteKeyTree(key);
    }
    RewritePartitionCount(0);
}
