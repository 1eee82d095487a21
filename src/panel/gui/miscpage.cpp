#include "panel/gui/miscpage.h"

#include "auxiliary/startupvalues.h"
#include "auxiliary/texttable.h"
#include "config/configsync.h"
#include "gui/artwork.h"
#include "link/linkrequests.h"
#include "panel/deviceactions.h"
#include "panel/gui/controlids.h"
#include "panel/gui/controlvalues.h"
#include "panel/miscpagerules.h"
#include "panel/pagecontext.h"
#include "panel/pagefields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>

namespace {

constexpr int EdidButtonUnits = 24;
constexpr int EdidIconPixels = 16;

} // namespace

CMiscPage::CMiscPage(PageContext &context, QWidget *parent)
    : SettingsPage(parent), m_context(context), m_controls(*this, DialogUnits(*parent))
{
}

void CMiscPage::BuildMiscPage()
{
    PageControls &c = m_controls;
    c.label(IDC_MISC_4K_LABEL, "mode4KLabel", QStringLiteral("4K :"), 7, 2, 36);
    m_mode4K = c.combo(IDC_MISC_4K_MODE, "mode4K", 7, 12, 37, Mode4KItems());
    c.label(IDC_MISC_IR_LABEL, "irFrequencyLabel", QStringLiteral("I.R. :"), 9, 28, 36);
    m_irFrequency = c.combo(IDC_MISC_IR_FREQUENCY, "irFrequency", 7, 37, 37, IrFrequencyItems());
    c.label(IDC_MISC_PCM_VOLUME_LABEL, "pcmVolumeLabel", GetText(TXT_PCM_VOLUME_LABEL), 7, 56, 74);
    m_pcmVolume = c.combo(IDC_MISC_PCM_VOLUME, "pcmVolume", 7, 66, 66, PcmVolumeItems());
    c.label(IDC_MISC_H264_PROFILE_LABEL, "h264ProfileLabel", QStringLiteral("H264 Profile :"), 83, 56, 60);
    m_h264Profile = c.combo(IDC_MISC_H264_PROFILE, "h264Profile", 83, 66, 34, H264ProfileItems());
    m_allowVbr = c.check(IDC_MISC_ALLOW_VBR, "allowVbr", GetText(TXT_ALLOW_VBR), 125, 68, 56);
    m_strictCbr = c.check(IDC_MISC_STRICT_CBR, "strictCbr", QStringLiteral("Strict C.B.R."), 183, 68, 64);
    m_edidRepair = c.button(IDC_MISC_EDID_REPAIR, "edidRepair", QString(), 7, 86, EdidButtonUnits,
                            EdidButtonUnits);
    m_edidRepair->setIcon(EdidRepairIcon());
    m_edidRepair->setIconSize(QSize(EdidIconPixels, EdidIconPixels));

    for (QComboBox *list : {m_irFrequency, m_pcmVolume, m_h264Profile})
        connect(list, &QComboBox::activated, this, &CMiscPage::CommitMiscPage);
    for (QCheckBox *box : {m_allowVbr, m_strictCbr})
        connect(box, &QCheckBox::clicked, this, &CMiscPage::CommitMiscPage);
    connect(m_mode4K, &QComboBox::activated, this, &CMiscPage::Choose4KMode);
    connect(m_edidRepair, &QPushButton::clicked, this, &CMiscPage::RequestEdidRepair);
}

void CMiscPage::EnableMiscPage()
{
    const MiscPageEnables enables =
        MiscPageEnablesFor(m_context.Profile(), m_context.Model);
    m_controls.setEnabled(IDC_MISC_4K_LABEL, enables.Mode4K);
    m_controls.setEnabled(IDC_MISC_4K_MODE, enables.Mode4K);
    m_controls.setEnabled(IDC_MISC_IR_LABEL, enables.Infrared);
    m_controls.setEnabled(IDC_MISC_IR_FREQUENCY, enables.Infrared);
    m_controls.setEnabled(IDC_MISC_EDID_REPAIR, enables.EdidRepair);
    for (int id : {IDC_MISC_H264_PROFILE, IDC_MISC_ALLOW_VBR, IDC_MISC_STRICT_CBR, IDC_MISC_PCM_VOLUME})
        m_controls.setEnabled(id, enables.EncoderTuning);
}

void CMiscPage::FillMiscPage()
{
    const ConfigModel &model = m_context.Model;
    SelectItem(m_mode4K, model.Mode4K);
    SelectItem(m_irFrequency, model.IrFrequency);
    SelectItem(m_pcmVolume, model.PcmVolume);
    SelectItem(m_h264Profile, model.H264Profile);
    m_allowVbr->setChecked(model.AllowVbr != 0);
    m_strictCbr->setChecked(model.StrictCbr != 0);
    EnableMiscPage();
}

void CMiscPage::CommitMiscPage()
{
    ConfigModel &model = m_context.Model;
    if (model.Filling)
        return;
    model.Mode4K = SelectedOr(m_mode4K->currentIndex(), model.Mode4K);
    model.IrFrequency = SelectedOr(m_irFrequency->currentIndex(), model.IrFrequency);
    model.PcmVolume = SelectedOr(m_pcmVolume->currentIndex(), model.PcmVolume);
    model.H264Profile = SelectedOr(m_h264Profile->currentIndex(), model.H264Profile);
    model.AllowVbr = m_allowVbr->isChecked() ? 1 : 0;
    model.StrictCbr = m_strictCbr->isChecked() ? 1 : 0;
    m_context.Edited();
    EnableMiscPage();
}

void CMiscPage::Choose4KMode()
{
    ConfigModel &model = m_context.Model;
    const qint32 chosen = SelectedOr(m_mode4K->currentIndex(), model.Mode4K);
    // The list also reports the item it already showed being chosen again:
    // that changes nothing and is no reason to reboot the device.
    if (chosen == model.Mode4K)
        return;
    model.Mode4K = chosen;
    m_context.Edited();
    m_context.Sync.RebootAfterWrite = 1;
}

void CMiscPage::RequestEdidRepair()
{
    bool edidPending = false;
    ::RequestEdidRepair(m_context.Xmit, m_context.Startup.ManufacturerMode != 0, edidPending);
    if (edidPending && m_context.Requests)
        m_context.Requests->EdidPending = true;
}
