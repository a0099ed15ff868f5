// On Windows the program works on the machine it runs on; sample machines are images of the
// simulated machine, written by the native build.
#include "demo_generator.h"

bool WriteDemoMachine(const std::string&, const DemoOptions&, std::string* error) {
    *error = "sample machines are written by the native build of ovuninstall";
    return false;
}
