#pragma once

#include "config/configcodec.h"

#include <QPointer>

class QComboBox;
class QLineEdit;

// The codec's three values that live in controls of the panel: the media
// file edit (1097) and the overlay logo box (1299) of the USB page, and the
// logo list (1103) of the MANUFACTURER page. Each page hands over its control
// when it builds it; until then the model member stands in for it.
class PanelCodecControls : public CodecControls
{
public:
    void setMediaFileEdit(QLineEdit *edit);
    void setOverlayLogoBox(QComboBox *box);
    void setLogoList(QComboBox *list);

    QString MediaFileText(const ConfigModel &model) const override;
    void SetMediaFileText(ConfigModel &model, const QString &text) override;
    QString OverlayLogoText(const ConfigModel &model) const override;
    void SetOverlayLogoText(ConfigModel &model, const QString &text) override;
    QString LogoListText(const ConfigModel &model) const override;

private:
    QPointer<QLineEdit> m_mediaFile;
    QPointer<QComboBox> m_overlayLogo;
    QPointer<QComboBox> m_logoList;
};
