#include "demo_footprints.h"

#include "demo_examora.h"
#include "demo_kestrune.h"
#include "demo_pathlyn.h"
#include "demo_rendimo_manager.h"
#include "demo_sentrel.h"
#include "demo_suite.h"

const std::vector<FootprintWriter>& SuiteFootprints() {
    // The suite's shared pieces first, then the families in discovery order.
    static const std::vector<FootprintWriter> writers = {
        &AddSuiteFootprint,          &AddSentrelFootprint, &AddPathlynFootprint,
        &AddRendimoManagerFootprint, &AddExamoraFootprint, &AddKestruneFootprint,
    };
    return writers;
}
