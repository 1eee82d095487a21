#pragma once

#include "config/channellist.h"
#include "config/configmodel.h"
#include "config/configsync.h"
#include "hardware/hardwareprofile.h"

#include <functional>

class CXmit;
struct LinkRequests;
struct StartupValues;

// What a settings page works with, and all it may reach of the panel: the
// model it shows and edits, the synchroniser and the link, the start-up
// values, the channel list, the multiplex and service whose tabs are chosen,
// the supervisor's one-shot requests, and the panel's answers to an edit.
// The panel owns it and fills it in; the pages only use it.
struct PageContext
{
    ConfigModel &Model;
    ConfigSynchronizer &Sync;
    // The link the device actions use directly.
    CXmit &Xmit;
    const StartupValues &Startup;
    // The channels the SERVICE page offers as service names.
    const ChannelList &Channels;
    const int &CurrentMux;
    const int &CurrentService;
    // None where no supervisor serves them.
    LinkRequests *Requests = nullptr;

    // Every commit calls it: the model is written about 2 s after the last.
    std::function<void()> Edited;
    // The USB capability changed: the USB page shows or hides its content
    // anew; the page shown stays.
    std::function<void()> UsbCapabilityChanged;
    // A configuration file was loaded into the model: the pages show it.
    std::function<void()> ConfigurationLoaded;

    // What the linked device's hardware implies for the pages.
    HardwareProfile Profile() const { return Sync.Identity.Profile(); }
    // None: nothing is shown.
    StatusStrip *Strip() const { return Sync.Strip; }
};
