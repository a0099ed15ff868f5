// Program Manager groups, removed through its DDE commands: on Windows NT 3.51 the suite's
// shortcuts live in Program Manager groups rather than in Start-menu folders. Each command is
// sent in a conversation of its own, and a command that would not fit its 256-byte buffer is
// refused: nothing of it is sent.
#pragma once

// Sends "[DeleteGroup(group)]". False for a null or empty name or a name too long for the
// command; otherwise whether Program Manager could be reached.
bool DdeDeleteGroup(const char* group);

// Makes the group the active one ("[ShowGroup(group, 2)]", then "[ShowGroup(group, 1)]"), since
// Program Manager deletes items of the active group, and sends "[DeleteItem(item)]". False for a
// null or empty item, a null group, or a name too long for its command (then nothing is sent);
// otherwise whether Program Manager could be reached for the DeleteItem command.
bool DdeDeleteItem(const char* item, const char* group);

// Sends the command text to Program Manager in a conversation of its own. True when the
// conversation was made, whatever Program Manager made of the command.
bool DdeSendProgmanCommand(const char* command);
