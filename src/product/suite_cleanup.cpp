#include "product/product.h"

// Cleanup of what the whole suite shares, run after every removal. Nothing is shared yet that the
// library removes, so there is nothing to do.
bool CProduct::FinishRemoval() {
    return false;
}
