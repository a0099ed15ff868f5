#include "demo_footprints.h"

const std::vector<FootprintWriter>& SuiteFootprints() {
    static const std::vector<FootprintWriter> writers = {};
    return writers;
}
