// The machine's Program Manager as a DDE server: service and topic "PROGMAN", while it runs. It
// executes the group commands it is sent and keeps every command text it received.
#pragma once

#include <string>

namespace winsim::detail {

bool ProgmanRunning();
// Whether a DDE service and topic name Program Manager's conversation (names compare without
// regard to case; an empty name is a wildcard that any service or topic matches).
bool ProgmanAnswers(const std::string& service, const std::string& topic);
// Records the text of one XTYP_EXECUTE transaction and carries out its commands in order, up to
// the first that fails. True when all of them succeeded. conversation numbers the conversation
// the transaction came in.
bool ProgmanExecute(unsigned conversation, const std::string& text);

}  // namespace winsim::detail
