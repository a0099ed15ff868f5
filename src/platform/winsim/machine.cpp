// The machine as a whole: its reset, and the list of pieces that take part in it.
#include "platform/winsim/machine.h"

#include "platform/winsim/control.h"
#include "platform/winsim/registry_state.h"

namespace winsim {
namespace detail {

namespace {

// Pieces register from static initialisers in other translation units, so the list has to exist
// before the first of them runs.
std::vector<MachinePiece>& Pieces() {
    static std::vector<MachinePiece> pieces;
    return pieces;
}

}  // namespace

bool RegisterMachinePiece(const MachinePiece& piece) {
    Pieces().push_back(piece);
    return true;
}

const std::vector<MachinePiece>& MachinePieces() {
    return Pieces();
}

}  // namespace detail

void Reset() {
    detail::ResetRegistry();
    for (const detail::MachinePiece& piece : detail::MachinePieces()) {
        if (piece.reset != nullptr) {
            piece.reset();
        }
    }
    ::SetLastError(ERROR_SUCCESS);
}

}  // namespace winsim
