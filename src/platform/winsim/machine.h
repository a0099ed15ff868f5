// How the pieces of the simulated machine take part in a reset and in a machine image. Each piece
// registers itself once, from a namespace-scope initialiser in its own source file:
//
//     [[maybe_unused]] const bool kRegistered = RegisterMachinePiece({&Reset, &Load, &Save});
//
// The registry is not one of them: Reset() clears it first, and an image keeps it in a file of
// its own (registry.reg) rather than in machine.json.
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace winsim::detail {

// machine.json. Keys keep the order of the file they were read from, so that an image saved
// without changes compares equal to the one loaded; a piece's new keys go at the end.
using MachineDocument = nlohmann::ordered_json;

struct MachinePiece {
    // Back to the clean machine that winsim::Reset() describes.
    void (*reset)() = nullptr;
    // Takes the piece's own keys from machine.json, after a reset; a missing key leaves the reset
    // state. dir is the image folder, for pieces that keep files beside machine.json.
    bool (*load)(const MachineDocument& machine, const std::string& dir,
                 std::string* error) = nullptr;
    // Writes the piece's own keys into machine.json (and its files into dir). Keys that no piece
    // writes stay as they were loaded.
    bool (*save)(MachineDocument* machine, const std::string& dir, std::string* error) = nullptr;
};

bool RegisterMachinePiece(const MachinePiece& piece);
// In the order the pieces registered.
const std::vector<MachinePiece>& MachinePieces();

}  // namespace winsim::detail
