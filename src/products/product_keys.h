// Deleting a product's registry keys below the suite root, in the product's partition or in the
// unpartitioned suite.
#pragma once

#include "product/product.h"

// Deletes, with everything below it, the key subkey (null: none) of the product key named name
// (null: the product's own), below the product's partition key when usePartition is set and the
// product belongs to a partition. A key already gone is no failure.
void DeleteProductKeyTree(const CProduct& product, const char* subkey = nullptr,
                          const char* name = nullptr, bool usePartition = true);
