#include "panel/gui/miscpage.h"

#include "auxiliary/startupvalues.h"
#include "auxiliary/texttable.h"
#include "config/configsync.h"
#include "gui/artwork.h"
#include "link/linkrequests.h"
#include "panel/deviceactions.h"
#include "panel/gui/controlids.h"
#include "panel/gui/fieldtable.h"
#include "panel/miscpagerules.h"
#include "panel/pagecontext.h"
#include "panel/pagefields.h"

#include <QComboBox>
#include <QPushButton>

namespace {

using M = ConfigModel;
using E = MiscPageEnables;
using R = FieldRows<MiscPageEnables>;

constexpr int EdidButtonUnits = 24;
constexpr int EdidIconPixels = 16;

const R::Row Fields[] = {
    R::Label(IDC_MISC_4K_LABEL, "mode4KLabel", 7, 2, 36, "4K :", &E::Mode4K),
    // A new 4K mode reboots the device: Choose4KMode.
    R::List(IDC_MISC_4K_MODE, "mode4K", 7, 12, 37, Mode4KItems, {.Number = &M::Mode4K}, &E::Mode4K, nullptr, -1,
            true),
    R::Label(IDC_MISC_IR_LABEL, "irFrequencyLabel", 9, 28, 36, "I.R. :", &E::Infrared),
    R::List(IDC_MISC_IR_FREQUENCY, "irFrequency", 7, 37, 37, IrFrequencyItems, {.Number = &M::IrFrequency},
            &E::Infrared),
    R::Label(IDC_MISC_PCM_VOLUME_LABEL, "pcmVolumeLabel", 7, 56, 74, TXT_PCM_VOLUME_LABEL),
    R::List(IDC_MISC_PCM_VOLUME, "pcmVolume", 7, 66, 66, PcmVolumeItems, {.Number = &M::PcmVolume},
            &E::EncoderTuning),
    R::Label(IDC_MISC_H264_PROFILE_LABEL, "h264ProfileLabel", 83, 56, 60, "H264 Profile :"),
    R::List(IDC_MISC_H264_PROFILE, "h264Profile", 83, 66, 34, H264ProfileItems, {.Number = &M::H264Profile},
            &E::EncoderTuning),
    R::Check(IDC_MISC_ALLOW_VBR, "allowVbr", 125, 68, 56, TXT_ALLOW_VBR, {.Number = &M::AllowVbr},
             &E::EncoderTuning),
    R::Check(IDC_MISC_STRICT_CBR, "strictCbr", 183, 68, 64, "Strict C.B.R.", {.Number = &M::StrictCbr},
             &E::EncoderTuning),
    R::Button(IDC_MISC_EDID_REPAIR, "edidRepair", 7, 86, EdidButtonUnits, EdidButtonUnits, "", &E::EdidRepair),
};

} // namespace

CMiscPage::CMiscPage(PageContext &context, QWidget *parent)
    : SettingsPage(parent), m_context(context), m_controls(*this, DialogUnits(*parent))
{
}

void CMiscPage::BuildMiscPage()
{
    const std::function<void()> commit = [this] { CommitMiscPage(); };
    for (const FieldSpec &f : Fields)
        BuildField(m_controls, f, commit);
    auto *edidRepair = static_cast<QPushButton *>(m_controls.byId(IDC_MISC_EDID_REPAIR));
    edidRepair->setIcon(EdidRepairIcon());
    edidRepair->setIconSize(QSize(EdidIconPixels, EdidIconPixels));
    connect(edidRepair, &QPushButton::clicked, this, &CMiscPage::RequestEdidRepair);
    connect(mode4K(), &QComboBox::activated, this, &CMiscPage::Choose4KMode);
}

QComboBox *CMiscPage::mode4K() const
{
    return static_cast<QComboBox *>(m_controls.byId(IDC_MISC_4K_MODE));
}

void CMiscPage::EnableMiscPage()
{
    EnableFields(m_controls, Fields, MiscPageEnablesFor(m_context.Profile(), m_context.Model));
}

void CMiscPage::FillMiscPage()
{
    FillFields(m_controls, Fields, m_context.Model, 0);
    EnableMiscPage();
}

void CMiscPage::CommitMiscPage()
{
    ConfigModel &model = m_context.Model;
    if (model.Filling)
        return;
    StoreFields(m_controls, Fields, model, 0, m_context.Profile());
    m_context.Edited();
    EnableMiscPage();
}

void CMiscPage::Choose4KMode()
{
    ConfigModel &model = m_context.Model;
    const qint32 chosen = SelectedOr(mode4K()->currentIndex(), model.Mode4K);
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
