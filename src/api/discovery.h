// Discovery: which product families are installed, in which partitions, read from what the
// suite's installer left in the registry and the parameter store.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "api/catalogue.h"

// Makes the family's object, which loads itself; partition is null outside any partition.
using FamilyFactory = std::unique_ptr<CProduct> (*)(const char* version, const char* partition);

// The families discovery makes, in the order Sentrel, Pathlyn, Rendimo Manager, Examora,
// Kestrune.
const std::vector<FamilyFactory>& InstalledFamilies();

// The whole discovery: appends the installed products of every partition (or of the
// unpartitioned suite), sets g_partitionCount and the family counters, and returns the sum of the
// catalogue's component counts (0 when the suite is not on the machine at all).
int32_t ScanPartitions(ProductCatalogue& catalogue,
                       const std::vector<FamilyFactory>& families = InstalledFamilies());

// The families of one partition, or of the unpartitioned suite when partition is null.
void DiscoverProducts(ProductCatalogue& catalogue, const char* partition,
                      const std::vector<FamilyFactory>& families = InstalledFamilies());
