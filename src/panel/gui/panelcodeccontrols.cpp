#include "panel/gui/panelcodeccontrols.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

// An editable box shows any text; a drop-down list only one of its items.
void SetBoxText(QComboBox &box, const QString &text)
{
    if (box.isEditable())
        box.setEditText(text);
    else
        box.setCurrentIndex(box.findText(text));
}

} // namespace

void PanelCodecControls::setMediaFileEdit(QLineEdit *edit)
{
    m_mediaFile = edit;
}

void PanelCodecControls::setOverlayLogoBox(QComboBox *box)
{
    m_overlayLogo = box;
}

void PanelCodecControls::setLogoList(QComboBox *list)
{
    m_logoList = list;
}

QString PanelCodecControls::MediaFileText(const ConfigModel &model) const
{
    return m_mediaFile ? m_mediaFile->text() : CodecControls::MediaFileText(model);
}

void PanelCodecControls::SetMediaFileText(ConfigModel &model, const QString &text)
{
    if (m_mediaFile)
        m_mediaFile->setText(text);
    else
        CodecControls::SetMediaFileText(model, text);
}

QString PanelCodecControls::OverlayLogoText(const ConfigModel &model) const
{
    return m_overlayLogo ? m_overlayLogo->currentText() : CodecControls::OverlayLogoText(model);
}

void PanelCodecControls::SetOverlayLogoText(ConfigModel &model, const QString &text)
{
    if (m_overlayLogo)
        SetBoxText(*m_overlayLogo, text);
    else
        CodecControls::SetOverlayLogoText(model, text);
}

QString PanelCodecControls::LogoListText(const ConfigModel &model) const
{
    return m_logoList ? m_logoList->currentText() : CodecControls::LogoListText(model);
}
