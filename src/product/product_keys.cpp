#include "product/product_keys.h"

#include "platform/win32.h"
#include "system/registry.h"

void DeleteProductKey(const CProduct& product) {
    char key[MAX_PATH];
    if (product.BuildSuiteKeyPath(key, sizeof key, kProductKey)) {
        DeleteRegistryTree(HKEY_LOCAL_MACHINE, key);
    }
}

void DeleteProductSubkey(const CProduct& product, const char* name, const char* subkey) {
    char key[MAX_PATH];
    if (product.BuildProductKeyPath(key, sizeof key, subkey, name, true)) {
        DeleteRegistryTree(HKEY_LOCAL_MACHINE, key);
    }
}
