#include "products/product_keys.h"

#include "platform/win32.h"
#include "system/registry.h"

void DeleteProductKeyTree(const CProduct& product, const char* subkey, const char* name,
                          bool usePartition) {
    char path[MAX_PATH];
    // A path that would not fit is never cut short into the path of some other key.
    if (product.BuildProductKeyPath(path, sizeof path, subkey, name, usePartition)) {
        DeleteRegistryTree(HKEY_LOCAL_MACHINE, path);
    }
}
