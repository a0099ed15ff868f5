#include "api/counters.h"

int32_t g_installedCount = 0;
int32_t g_sentrelCount = 0;
int32_t g_rendimoCount = 0;
int32_t g_pathlynCount = 0;
int32_t g_examoraCount = 0;
int32_t g_kestruneCount = 0;
int32_t g_partitionCount = 0;
int32_t g_osType = 0;
