// Registry keys of the suite that the family removals delete, each with everything below it,
// under HKEY_LOCAL_MACHINE and in the product's partition.
#pragma once

#include "product/product.h"

// The product's own key: "...\Orvanta\<family>" or "...\Orvanta\Partition n\<family>".
void DeleteProductKey(const CProduct& product);

// A subkey of the key of the named product, such as "Kestrune\Mail", which several families use.
void DeleteProductSubkey(const CProduct& product, const char* name, const char* subkey);
