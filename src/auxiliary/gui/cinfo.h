#pragma once

#include "auxiliary/statusstrip.h"
#include "gui/gatedtimer.h"

#include <QWidget>

class QLabel;
class ProgressLine;
class QPushButton;

// The status strip under the settings panel: one line of status text, a
// progress bar, the send and write lamps, the warning image, and the log
// button (advanced mode) or the logo icon in its place.
class CInfo : public QWidget, public StatusStrip
{
    Q_OBJECT

public:
    explicit CInfo(QWidget *parent = nullptr);

    void InitStatusStrip(bool advancedMode);

    void ShowStatus(const QString &text, bool wait, int durationMs) override;
    void SetProgress(int position, int range) override;
    void ShowLinkActivity(bool write) override;

    void ShowWarningImage(bool visible);
    void EnableLogButton(bool enabled);

    QString statusText() const;
    bool sendLampLit() const { return m_sendLampLit; }
    bool writeLampLit() const { return m_writeLampLit; }
    QPushButton *logButton() const { return m_logButton; }
    ProgressLine *progressBar() const { return m_progressBar; }

signals:
    // The log button was pressed.
    void logDownloadRequested();

private:
    void applyTextColour();
    void clearStatus();
    void putOutSendLamp();
    void putOutWriteLamp();

    QLabel *m_statusLine;
    ProgressLine *m_progressBar;
    QLabel *m_sendLamp;
    QLabel *m_writeLamp;
    QLabel *m_warningImage;
    QPushButton *m_logButton;
    QLabel *m_logoIcon;
    GatedTimer m_statusTimer;
    GatedTimer m_sendLampTimer;
    GatedTimer m_writeLampTimer;
    int m_progressRange = 0;
    bool m_sendLampLit = false;
    bool m_writeLampLit = false;
};
