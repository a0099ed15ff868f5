// The process-wide counts the removals consult to decide whether a shared piece of the suite is
// still needed: catalogue entries still installed, per family and in all, and the partitions
// found by the last scan.
#pragma once

#include <cstdint>

extern int32_t g_installedCount;
extern int32_t g_sentrelCount;
extern int32_t g_rendimoCount;
extern int32_t g_pathlynCount;
extern int32_t g_examoraCount;
extern int32_t g_kestruneCount;
extern int32_t g_partitionCount;

// The platform code of the running system, stored again by every product as it is made.
extern int32_t g_osType;
