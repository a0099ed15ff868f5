// The sample machine the catalogue and caller benchmarks work on: the suite installed in 25
// partitions with every family and component, written once per run by the reference caller
// (ovuninstall demo) into a scratch folder.
#pragma once

#include <string>

// The machine image folder; empty when the reference caller could not write it.
const std::string& DemoMachineFolder();

// The reference caller beside the benchmark program.
std::string ReferenceCaller();
