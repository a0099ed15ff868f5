// How discovery makes a family's object: named with the family's own name, in the partition
// being scanned when there is one. The object loads itself while it is made.
#pragma once

#include <memory>

#include "product/product.h"

template <class Family>
std::unique_ptr<CProduct> MakeFamily(const char* version, const char* partition) {
    if (partition == nullptr) {
        return std::make_unique<Family>(Family::kFamilyName, version);
    }
    return std::make_unique<Family>(Family::kFamilyName, version, partition);
}
