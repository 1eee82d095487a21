#pragma once

// Requests the settings pages leave for the connection supervisor, which
// serves each once on its next watch tick and clears it: load the firmware
// again (the link is dropped and the search that follows reloads it), and
// repair the EDID (sent once the panel is down; the device then reboots).
struct LinkRequests
{
    bool ForceReload = false;
    bool EdidPending = false;
};
