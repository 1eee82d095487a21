#include "auxiliary/gui/cinfo.h"

#include "gui/artwork.h"
#include "gui/dialogunits.h"
#include "auxiliary/gui/progressline.h"
#include "link/linkwait.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {

const QColor WarningTextColour(255, 0, 0);
const QColor NormalTextColour(96, 96, 96);

QLabel *ImageLabel(QWidget *parent, const QPixmap &pixmap, const QString &name)
{
    auto *label = new QLabel(parent);
    label->setPixmap(pixmap);
    label->setAlignment(Qt::AlignCenter);
    label->setObjectName(name);
    return label;
}

} // namespace

CInfo::CInfo(QWidget *parent)
    : QWidget(parent),
      m_statusLine(new QLabel(this)),
      m_progressBar(new ProgressLine(this)),
      m_sendLamp(ImageLabel(this, LampOffImage(), QStringLiteral("sendLamp"))),
      m_writeLamp(ImageLabel(this, LampOffImage(), QStringLiteral("writeLamp"))),
      m_warningImage(ImageLabel(this, WarningTriangleImage(), QStringLiteral("warningImage"))),
      m_logButton(new QPushButton(this)),
      m_logoIcon(ImageLabel(this, ApplicationPixmap(32), QStringLiteral("logoIcon"))),
      m_statusTimer([this] { clearStatus(); }),
      m_sendLampTimer([this] { putOutSendLamp(); }),
      m_writeLampTimer([this] { putOutWriteLamp(); })
{
    m_statusLine->setObjectName(QStringLiteral("statusLine"));
    m_progressBar->setObjectName(QStringLiteral("progressBar"));
    m_logButton->setObjectName(QStringLiteral("logButton"));
    // Enter in the main window must not start a download.
    m_logButton->setAutoDefault(false);
    m_statusLine->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_warningImage->setScaledContents(true);
    m_warningImage->hide();

    const DialogUnits units(*this);
    setFixedSize(units.x(521), units.y(34));
    units.place(*m_statusLine, 4, 7, 446, 8);
    units.place(*m_progressBar, 4, 18, 460, 11);
    units.place(*m_sendLamp, 452, 11, 5, 5);
    units.place(*m_writeLamp, 458, 11, 5, 5);
    units.place(*m_warningImage, 465, 5, 25, 23);
    units.place(*m_logButton, 491, 6, 25, 23);
    units.place(*m_logoIcon, 493, 8, 20, 20);

    connect(m_logButton, &QPushButton::clicked, this, &CInfo::logDownloadRequested);
    applyTextColour();
}

void CInfo::InitStatusStrip(bool advancedMode)
{
    m_logButton->setIcon(LogButtonIcon());
    m_logButton->setVisible(advancedMode);
    m_logButton->setEnabled(false);
    m_logoIcon->setVisible(!advancedMode);
}

void CInfo::ShowStatus(const QString &text, bool wait, int durationMs)
{
    m_statusLine->setText(text);
    m_statusTimer.start(durationMs);
    show();
    // Painted now, not at the next idle moment: the caller may wait next.
    m_statusLine->repaint();
    // The window keeps painting through the wait; timer ticks that come due
    // meanwhile (the strip's own too) are held until the caller's handler ends.
    if (wait)
        LinkWait::Pause(QDeadlineTimer(std::max(durationMs, 0), Qt::PreciseTimer));
}

void CInfo::clearStatus()
{
    m_statusLine->clear();
}

void CInfo::putOutSendLamp()
{
    m_sendLamp->setPixmap(LampOffImage());
    m_sendLampLit = false;
}

void CInfo::putOutWriteLamp()
{
    m_writeLamp->setPixmap(LampOffImage());
    m_writeLampLit = false;
}

void CInfo::SetProgress(int position, int range)
{
    if (range == 0) {
        m_progressBar->hide();
        m_progressRange = 0;
        return;
    }
    if (range != m_progressRange) {
        m_progressBar->setRange(range);
        m_progressBar->show();
    }
    m_progressBar->setValue(position);
    m_progressRange = range;
}

void CInfo::ShowLinkActivity(bool write)
{
    m_sendLamp->setPixmap(SendLampImage());
    m_sendLampLit = true;
    m_sendLampTimer.start(100);
    if (write) {
        m_writeLamp->setPixmap(WriteLampImage());
        m_writeLampLit = true;
        m_writeLampTimer.start(200);
    }
}

void CInfo::ShowWarningImage(bool visible)
{
    m_warningImage->setVisible(visible);
    applyTextColour();
}

void CInfo::EnableLogButton(bool enabled)
{
    m_logButton->setEnabled(enabled);
}

QString CInfo::statusText() const
{
    return m_statusLine->text();
}

void CInfo::applyTextColour()
{
    QPalette palette = m_statusLine->palette();
    palette.setColor(QPalette::WindowText, m_warningImage->isVisibleTo(this) ? WarningTextColour : NormalTextColour);
    m_statusLine->setPalette(palette);
}
