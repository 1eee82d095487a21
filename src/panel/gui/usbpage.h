#pragma once

#include "config/devicestatus.h"
#include "config/mediaplayer.h"
#include "panel/gui/settingspage.h"

#include <array>
#include <memory>

struct PageContext;
class PageControls;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class ScheduleEditor;

// The USB page: in its upper half the media player (record, play, stop),
// the media files of the device's USB storage, the AUTO, PLAY, REC and HDMI
// lamps, the device clock and the logo overlay; in its lower half the
// weekly schedule (ScheduleEditor). Its content shows only on devices with
// the USB capability; its schedule works only on hardware with USB playback
// and recording, its logo controls only where the device overlays a logo.
class CUsbPage : public SettingsPage
{
    Q_OBJECT

public:
    CUsbPage(PageContext &context, QWidget *parent);
    ~CUsbPage() override;

    void BuildPage() override { BuildUsbPage(); }
    void ShowPage(bool visible) override { ShowUsbPage(visible); }
    void FillPage() override { FillUsbPage(); }

    void BuildUsbPage();
    void ShowUsbPage(bool visible);
    void EnableUsbPage();
    void FillUsbPage();
    void CommitUsbPage();
    void SelectLogoPosition(int position);

    // After every configuration read.
    void RefreshScheduleList();
    // After a poll that changed the storage, a file list, the automatic mode
    // or an input: the lamps, the AUTO text, both file lists and the player.
    void RefreshMediaStatus();
    // After every poll: the clock field, when the device reports a valid clock.
    void ShowDeviceClock(const DeviceDateTime &clock);
    // At linking: the previous device's time is not this one's.
    void ClearDeviceClock();
    // Lets the user set the device clock.
    void OpenClockDialog();

    // After the model took a configuration: the media file field and the
    // overlay logo box show the names it holds, even where the user's typed
    // text (longer than the model keeps) was in them.
    void ShowRecordFileNames();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildPlayer();
    void buildLamps();
    void buildLogo();
    void commitControls();
    void checkLogoPosition(int position);
    void requestMediaCommand(MediaCommand command);
    void openClockDialogWhenIdle();

    PageContext &m_context;
    std::unique_ptr<PageControls> m_controls;
    ScheduleEditor *m_schedule;

    QComboBox *m_mediaList = nullptr;
    QLineEdit *m_mediaFile = nullptr;
    std::array<QPushButton *, 3> m_playerButtons{};
    QToolButton *m_clockIcon = nullptr;
    QLineEdit *m_clockField = nullptr;
    QLabel *m_autoLamp = nullptr;
    QLabel *m_playLamp = nullptr;
    QLabel *m_recordLamp = nullptr;
    QLabel *m_hdmiLamp = nullptr;
    QComboBox *m_logoBox = nullptr;
    std::array<QCheckBox *, 9> m_logoPositions{};
};
