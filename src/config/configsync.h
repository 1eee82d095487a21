#pragma once

#include "config/configmodel.h"
#include "config/devicestatus.h"
#include "link/deviceidentity.h"

#include <QString>

class CXmit;
class StatusStrip;

// What the pages are told when the device's configuration or status changes.
// Pages that are not built yet leave these alone.
class PageRefresh
{
public:
    virtual ~PageRefresh() = default;

    // After every configuration read: the schedule list and the file names
    // the record holds.
    virtual void ConfigurationRead() {}
    virtual void RefreshMediaStatus() {}
    // After every decoded poll: the device's clock, whether or not it changed.
    virtual void ShowDeviceClock(const DeviceDateTime &) {}
    virtual void UpdateServiceTabs() {}
    virtual void UpdateBitrateDisplay() {}
};

// Keeps the device and the model in step while the panel is active: reads
// the configuration, writes the model about 2 s after the last edit and
// reads it back, serves the one-shot requests (factory default, reboot after
// the write, media player command) and otherwise polls the status.
class ConfigSynchronizer
{
public:
    ConfigSynchronizer(CXmit &xmit, ConfigModel &model, PageRefresh &pages);

    // Reads and decodes the device's configuration; a failure (no answer, a
    // record the decoder refuses) beeps and leaves the model unchanged.
    bool ReadConfiguration();
    // One tick of the panel timer; poll is false for the final tick of a
    // deactivation, which writes but does not poll.
    void PanelTimerTick(bool poll);
    // The write of a tick whose countdown ran out: encodes the model, writes
    // it, reads it back and serves the factory-default store and the reboot
    // asked for. True when the device took every request (the panel does
    // not look; the CLI reports it).
    bool WriteModel();
    // Whether the last WriteModel's write itself was taken by the device
    // (its read back, store and reboot may still have failed).
    bool ConfigWritten = false;
    // At linking: forgets what the previous device reported, so that the
    // pages show none of it, and makes the first poll count as a change for
    // the first serviceCount inputs.
    void ForgetStatus(int serviceCount);

    // The linked device and what the codec and the factory default need.
    DeviceIdentity Identity;
    QString ProgramFolder;
    // Told when the model cannot be encoded for writing.
    StatusStrip *Strip = nullptr;

    quint8 PendingMediaCommand = 0; // a MediaCommand: 1 play, 2 record, 3 stop
    quint8 RebootAfterWrite = 0;
    // The latest poll, and what the pages were last told.
    DeviceStatus PolledStatus;
    DeviceStatus LastStatus;

private:
    void PollStatus();

    CXmit &m_xmit;
    ConfigModel &m_model;
    PageRefresh &m_pages;
};
