// Whether the Notes server runs, asked when a removal that needs it stopped begins.
#pragma once

// On the Windows NT family the server process ("nserver") is looked up; on other systems the
// server is not looked for and what was known before (known) stands.
bool ProbeNotesServer(bool known);
