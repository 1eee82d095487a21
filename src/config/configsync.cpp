#include "config/configsync.h"

#include "auxiliary/beep.h"
#include "auxiliary/statusstrip.h"
#include "auxiliary/texttable.h"
#include "config/configcodec.h"
#include "config/factorydefault.h"
#include "config/mediaplayer.h"
#include "link/cxmit.h"

ConfigSynchronizer::ConfigSynchronizer(CXmit &xmit, ConfigModel &model, PageRefresh &pages)
    : m_xmit(xmit), m_model(model), m_pages(pages)
{
}

bool ConfigSynchronizer::ReadConfiguration()
{
    // A record that is empty, too long or refused by the decoder counts as a
    // failed read: the model keeps its values and the caller knows it.
    if (!m_xmit.Send(CMD_READ_CONFIG) || m_xmit.ReplyLength == 0
        || !DecodeConfigBlock(m_xmit.ReplyPayload, Identity, m_model)) {
        Beep(800, 500);
        return false;
    }
    m_pages.ConfigurationRead();
    return true;
}

bool ConfigSynchronizer::WriteModel()
{
    bool written = false;
    ConfigWritten = false;
    const std::optional<QByteArray> record = EncodeConfigBlock(Identity, m_model);
    if (record) {
        m_xmit.WriteFlag = true;
        written = m_xmit.Send(CMD_WRITE_CONFIG, *record);
        if (!written && m_xmit.LinkLost) {
            // The device is gone: reading back and the follow-ups would
            // each wait out their time-outs for nothing. The one-shot
            // requests were meant for this device, not for the next one
            // linked.
            m_model.CommitCountdown = 0;
            m_model.StoreAsDefault = 0;
            RebootAfterWrite = 0;
            return false;
        }
    } else if (Strip) {
        // Texts too long for the record: nothing is written, and the read
        // back below shows the user what the device still holds.
        Strip->ShowStatus(GetText(TXT_WRITE_ERROR), false, 2000);
    }
    ConfigWritten = written;
    m_model.CommitCountdown = 0;
    bool taken = ReadConfiguration() && written;
    if (m_model.StoreAsDefault) {
        // Only a configuration the device took becomes its factory default:
        // after a refused write the store would keep the old one while the
        // user believes the new one was kept.
        if (written) {
            taken = StoreFactoryDefault(m_xmit, Identity, ProgramFolder, m_model.LogoName) && taken;
            if (Identity.Profile().StoresDefaultByShell())
                taken = m_xmit.Send(CMD_REBOOT) && taken;
        } else if (Strip) {
            Strip->ShowStatus(GetText(TXT_WRITE_ERROR), false, 2000);
        }
        m_model.StoreAsDefault = 0;
    }
    if (RebootAfterWrite) {
        taken = m_xmit.Send(CMD_REBOOT) && taken;
        RebootAfterWrite = 0;
    }
    return taken;
}

void ConfigSynchronizer::PanelTimerTick(bool poll)
{
    if (m_model.CommitCountdown != 0) {
        // A player command waits for the pending edit: write on this tick.
        if (PendingMediaCommand != 0)
            m_model.CommitCountdown = 1;
        if (--m_model.CommitCountdown == 0) {
            WriteModel();
            poll = false;
        }
    }
    if (PendingMediaCommand != 0) {
        SendMediaCommand(m_xmit, PendingMediaCommand);
        PendingMediaCommand = MediaNone;
    } else if (poll) {
        PollStatus();
    }
}

void ConfigSynchronizer::ForgetStatus(int serviceCount)
{
    PolledStatus = DeviceStatus();
    LastStatus = DeviceStatus();
    MarkInputsUnreported(LastStatus, serviceCount);
}

void ConfigSynchronizer::PollStatus()
{
    // A reply that cannot be decoded leaves both statuses and the pages as
    // they were until the next good poll.
    if (!m_xmit.Send(CMD_GET_STATUS) || m_xmit.ReplyLength == 0
        || !DecodeStatusReply(m_xmit.ReplyPayload, Identity.Profile().StatusReply(), PolledStatus))
        return;
    m_pages.ShowDeviceClock(PolledStatus.DeviceClock);
    if (ApplyStatusChanges(PolledStatus, LastStatus).any())
        m_pages.RefreshMediaStatus();
    m_pages.UpdateServiceTabs();
    m_pages.UpdateBitrateDisplay();
}
