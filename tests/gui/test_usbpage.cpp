// The USB page in the real main window, linked to a simulated device in the
// test's process: the schedule, the player, the lamps, the file lists, the
// logo overlay and the clock dialog. Records and requests are checked
// against bytes written by hand.

#include "guitestsupport.h"
#include "linkedwindow.h"
#include "testfiles.h"

#include "auxiliary/beep.h"
#include "auxiliary/gui/crtc.h"
#include "auxiliary/texttable.h"
#include "panel/gui/csetting.h"
#include "panel/gui/ownerdrawntabbar.h"
#include "panel/gui/usbpage.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QFocusEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Schedule entries as the record stores them: start date, start time, stop
// date, stop time, week mask, action, file and its zero byte.
// 2024/05/01 10:00 to 12:30, Monday to Friday, play "clip.ts".
const QByteArray PlayEntryBytes = QByteArray::fromHex("0105e807" "5802" "0105e807" "ee02" "1f" "00"
                                                      "636c69702e747300");
// 2024/05/02 08:05 to 2024/05/03 09:00, Saturday and Sunday, record "rec.ts".
const QByteArray RecordEntryBytes = QByteArray::fromHex("0205e807" "e501" "0305e807" "1c02" "60" "01"
                                                        "7265632e747300");
// 2024/05/01 12:00 to 13:00, every day, play "noon.ts".
const QByteArray NoonEntryBytes = QByteArray::fromHex("0105e807" "d002" "0105e807" "0c03" "7f" "00"
                                                      "6e6f6f6e2e747300");

// Collects the beeps while it lives.
struct BeepRecorder
{
    BeepRecorder()
        : previous(SetBeepSink([this](int frequency, int duration) { beeps << QPair<int, int>(frequency, duration); }))
    {
    }
    ~BeepRecorder() { SetBeepSink(previous); }

    QList<QPair<int, int>> beeps;
    BeepSink previous;
};

class UsbPageTest : public LinkedWindowTest
{
protected:
    UsbPageTest() { useFastTimers(); }
    ~UsbPageTest() override { LanguageIndex = 0; }

    // Links the window to a new in-process device, prepared first, and
    // waits for its first status poll.
    bool link(const InProcessDevice::Options &options, const std::function<void(SimDevice &)> &prepare = {})
    {
        inProcess = std::make_unique<InProcessDevice>(options);
        if (prepare)
            prepare(inProcess->device());
        inProcess->plugInto(xmit);
        open({inProcess->portPath()});
        // The player and the lists follow the device's storage from its
        // first status reply on.
        return waitForStatusText(GetText(TXT_HARDWARE_CONNECTED))
               && QTest::qWaitFor([&] { return commands().contains(QStringLiteral("CMD_GET_STATUS")); }, 5000);
    }

    // The device's USB storage: media files, and logo files on code 192
    // from version 15.
    SimStatusOptions storageOptions(const QStringList &media, const QStringList &logos = {}, int firstFormat = 0,
                                    quint8 autoMode = 0) const
    {
        SimStatusOptions options;
        if (!media.isEmpty()) {
            options.mediaDir = storage.filePath(QStringLiteral("media"));
            PutEmptyFiles(options.mediaDir, media);
        }
        if (!logos.isEmpty()) {
            options.logoDir = storage.filePath(QStringLiteral("logos"));
            PutEmptyFiles(options.logoDir, logos);
        }
        options.firstFormat = firstFormat;
        options.autoMode = autoMode;
        return options;
    }
    void setStorage(const QStringList &media, const QStringList &logos = {}, int firstFormat = 0, quint8 autoMode = 0)
    {
        inProcess->device().setStatusOptions(storageOptions(media, logos, firstFormat, autoMode));
    }
    // A device prepared with that storage before it is linked: the media
    // file field, from which schedule entries take their file, is enabled
    // only while the device reports a storage.
    std::function<void(SimDevice &)> withStorage(const QStringList &media, const QStringList &logos = {},
                                                 int firstFormat = 0, quint8 autoMode = 0) const
    {
        return [options = storageOptions(media, logos, firstFormat, autoMode)](SimDevice &device) {
            device.setStatusOptions(options);
        };
    }

    CUsbPage &page() const { return static_cast<CUsbPage &>(*panel().page(CSetting::UsbPage)); }

    template <class Control>
    Control *control(const char *name) const
    {
        Control *found = page().findChild<Control *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    void showUsbPage() const
    {
        OwnerDrawnTabBar &tabs = *panel().pageTabs();
        QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(CSetting::UsbPage).center());
        ASSERT_EQ(panel().CurrentPage, CSetting::UsbPage);
    }

    void click(const char *name) const { ClickButton(control<QAbstractButton>(name)); }

    void typeMediaFile(const QString &text) const
    {
        QLineEdit *field = control<QLineEdit>("mediaFileField");
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, text);
    }

    void setPeriod(QDate startDate, QTime startTime, QDate stopDate, QTime stopTime) const
    {
        control<QDateEdit>("startDate")->setDate(startDate);
        control<QTimeEdit>("startTime")->setTime(startTime);
        control<QDateEdit>("stopDate")->setDate(stopDate);
        control<QTimeEdit>("stopTime")->setTime(stopTime);
    }

    // Adds an entry through the controls: play (addPlayEntryButton) or record.
    void addEntry(const char *button, const QString &file, QDate startDate, QTime startTime, QDate stopDate,
                  QTime stopTime) const
    {
        typeMediaFile(file);
        setPeriod(startDate, startTime, stopDate, stopTime);
        click(button);
    }

    QTableWidget *list() const { return control<QTableWidget>("scheduleList"); }

    QStringList column(int c) const
    {
        QStringList texts;
        for (int row = 0; row < list()->rowCount(); ++row)
            texts << (list()->item(row, c) ? list()->item(row, c)->text() : QString());
        return texts;
    }

    // The payloads (hex) of one command in the device's request log.
    QStringList payloadsOf(const QString &command) const
    {
        QStringList payloads;
        for (const QString &line : inProcess->requestLog()) {
            if (line.section(QLatin1Char(' '), 3, 3) == command)
                payloads << line.section(QLatin1Char(' '), 4, 4);
        }
        return payloads;
    }

    // Writes the model now, as the panel timer does once the edit countdown
    // has run out.
    void writeNow() const
    {
        panel().model().CommitCountdown = 1;
        panel().synchronizer().PanelTimerTick(false);
    }

    bool waitForPoll() const
    {
        const qsizetype polls = commands().count(QStringLiteral("CMD_GET_STATUS"));
        return QTest::qWaitFor([&] { return commands().count(QStringLiteral("CMD_GET_STATUS")) > polls + 1; }, 5000);
    }

    QTemporaryDir storage;
};

// Runs action on the clock dialog once it shows as a modal window.
void OnClockDialog(const std::function<void(CRTC &)> &action, bool *done)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, action, done] {
        if (auto *dialog = qobject_cast<CRTC *>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            action(*dialog);
            *done = true;
        }
    });
    poll->start(10);
}

void PressOk(CRTC &dialog)
{
    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("okButton")), Qt::LeftButton);
}

void PressCancel(CRTC &dialog)
{
    QTest::mouseClick(dialog.findChild<QPushButton *>(QStringLiteral("cancelButton")), Qt::LeftButton);
}

const QDate May1(2024, 5, 1);
const QDate May2(2024, 5, 2);

// ---- Schedule

TEST_F(UsbPageTest, ScheduleControlsAsBuilt)
{
    ASSERT_TRUE(link({.code = 192, .versionByte = 15}));
    showUsbPage();
    EXPECT_TRUE(page().isVisible());
    const char *const days[] = {"mondayButton", "tuesdayButton", "wednesdayButton", "thursdayButton",
                                "fridayButton", "saturdayButton", "sundayButton"};
    QString letters;
    for (const char *day : days) {
        QPushButton *button = control<QPushButton>(day);
        EXPECT_TRUE(button->isCheckable() && button->isChecked()) << day;
        letters += button->text();
    }
    EXPECT_EQ(letters, QStringLiteral("MTWTFSS"));
    EXPECT_EQ(control<QTimeEdit>("startTime")->time(), QTime(0, 0));
    EXPECT_EQ(control<QTimeEdit>("stopTime")->time(), QTime(23, 59));
    EXPECT_EQ(control<QTimeEdit>("startTime")->displayFormat(), QStringLiteral("HH:mm"));
    EXPECT_EQ(control<QDateEdit>("stopDate")->displayFormat(), QStringLiteral("yyyy/MM/dd"));
    EXPECT_EQ(control<QDateEdit>("startDate")->date(), QDate::currentDate());

    EXPECT_EQ(list()->columnCount(), 8);
    EXPECT_TRUE(list()->horizontalHeader()->isHidden());
    EXPECT_TRUE(list()->showGrid());
    EXPECT_EQ(list()->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(list()->selectionMode(), QAbstractItemView::ExtendedSelection);
    // A pixel of the layout's font: one or two, as the font in use is larger.
    EXPECT_LE(list()->columnWidth(0), 2);
    EXPECT_EQ(list()->columnWidth(1), list()->columnWidth(4));
    EXPECT_GT(list()->columnWidth(7), list()->columnWidth(5));
    EXPECT_GT(list()->columnWidth(5), list()->columnWidth(4));
    // Nothing selected: nothing to delete.
    EXPECT_FALSE(control<QPushButton>("deleteEntriesButton")->isEnabled());
}

TEST_F(UsbPageTest, StopMayEqualTheStartButNotPrecedeIt)
{
    ASSERT_TRUE(link({.code = 192, .versionByte = 15}, withStorage({QStringLiteral("clip.ts")})));
    showUsbPage();
    BeepRecorder beeper;
    addEntry("addPlayEntryButton", QStringLiteral("clip.ts"), May1, QTime(10, 0), May1, QTime(10, 0));
    EXPECT_EQ(panel().model().ScheduleCount, 1);
    EXPECT_TRUE(beeper.beeps.isEmpty());
    EXPECT_EQ(panel().model().CommitCountdown, 10);

    setPeriod(May1, QTime(10, 0), May1, QTime(9, 59));
    click("addPlayEntryButton");
    EXPECT_EQ(panel().model().ScheduleCount, 1);
    EXPECT_EQ(beeper.beeps, (QList<QPair<int, int>>{{800, 200}}));

    setPeriod(May1, QTime(10, 0), May2, QTime(9, 59));
    click("addRecordEntryButton");
    EXPECT_EQ(panel().model().ScheduleCount, 2);
    EXPECT_EQ(column(1), QStringList({"2024/05/01", "2024/05/01"}));
    EXPECT_EQ(column(2), QStringList({"10:00", "10:00"}));
    EXPECT_EQ(column(3), QStringList({"2024/05/01", "2024/05/02"}));
    EXPECT_EQ(column(4), QStringList({"10:00", "9:59"}));
    EXPECT_EQ(column(6), QStringList({"Play", "Rec"}));
    // Play rows in dark blue, record rows in dark red.
    EXPECT_EQ(list()->item(0, 7)->foreground().color(), QColor(0, 0, 128));
    EXPECT_EQ(list()->item(1, 1)->foreground().color(), QColor(128, 0, 0));

    // No file, or no day: refused too.
    typeMediaFile(QString());
    click("addPlayEntryButton");
    typeMediaFile(QStringLiteral("clip.ts"));
    for (const char *day : {"mondayButton", "tuesdayButton", "wednesdayButton", "thursdayButton", "fridayButton",
                            "saturdayButton", "sundayButton"})
        click(day);
    click("addPlayEntryButton");
    EXPECT_EQ(panel().model().ScheduleCount, 2);
    EXPECT_EQ(beeper.beeps.size(), 3);
}

TEST_F(UsbPageTest, NewEntryGoesAfterTheExistingEqualStart)
{
    ASSERT_TRUE(link({.code = 192, .versionByte = 15}, withStorage({QStringLiteral("clip.ts")})));
    showUsbPage();
    addEntry("addPlayEntryButton", QStringLiteral("ten.ts"), May1, QTime(10, 0), May1, QTime(11, 0));
    addEntry("addPlayEntryButton", QStringLiteral("noon.ts"), May1, QTime(12, 0), May1, QTime(13, 0));
    addEntry("addRecordEntryButton", QStringLiteral("again.ts"), May1, QTime(10, 0), May1, QTime(10, 30));
    EXPECT_EQ(column(7), QStringList({"ten.ts", "again.ts", "noon.ts"}));
    EXPECT_EQ(column(4), QStringList({"11:00", "10:30", "13:00"}));
    EXPECT_EQ(panel().model().ScheduleEntries[1].File, QStringLiteral("again.ts"));
    EXPECT_EQ(panel().model().ScheduleEntries[1].Action, 1u);
}

TEST_F(UsbPageTest, TheEleventhEntryIsRefusedUntilOneIsDeleted)
{
    ASSERT_TRUE(link({.code = 192, .versionByte = 15}));
    showUsbPage();
    BeepRecorder beeper;
    for (int hour = 0; hour < 10; ++hour)
        addEntry("addPlayEntryButton", QStringLiteral("clip.ts"), May1, QTime(hour, 0), May1, QTime(hour, 30));
    ASSERT_EQ(panel().model().ScheduleCount, 10);
    EXPECT_FALSE(control<QPushButton>("addPlayEntryButton")->isEnabled());
    EXPECT_TRUE(control<QPushButton>("addRecordEntryButton")->isEnabled());
    // Typing into the media field does not bring the full list's play button back.
    typeMediaFile(QStringLiteral("other.ts"));
    EXPECT_FALSE(control<QPushButton>("addPlayEntryButton")->isEnabled());

    click("addRecordEntryButton");
    EXPECT_EQ(panel().model().ScheduleCount, 10);
    EXPECT_EQ(beeper.beeps, (QList<QPair<int, int>>{{800, 200}}));

    list()->selectRow(9);
    EXPECT_TRUE(control<QPushButton>("deleteEntriesButton")->isEnabled());
    click("deleteEntriesButton");
    EXPECT_EQ(panel().model().ScheduleCount, 9);
    EXPECT_TRUE(control<QPushButton>("addPlayEntryButton")->isEnabled());
    EXPECT_FALSE(control<QPushButton>("deleteEntriesButton")->isEnabled());
    click("addRecordEntryButton");
    EXPECT_EQ(panel().model().ScheduleCount, 10);
    EXPECT_EQ(beeper.beeps.size(), 1);
}

TEST_F(UsbPageTest, AnEntryTheRecordHasNoRoomForIsRefused)
{
    ASSERT_TRUE(link({.code = 131}, withStorage({QStringLiteral("clip.ts")})));
    showUsbPage();
    BeepRecorder beeper;
    // Ten entries with a name of 100 characters would not fit into the
    // device's record of 1024 bytes.
    const QString longName(100, QLatin1Char('n'));
    for (int hour = 0; hour < 10; ++hour)
        addEntry("addRecordEntryButton", longName, May1, QTime(hour, 0), May1, QTime(hour, 30));
    const int taken = panel().model().ScheduleCount;
    EXPECT_LT(taken, 10);
    EXPECT_EQ(beeper.beeps.size(), 10 - taken);
    EXPECT_EQ(beeper.beeps.value(0), (QPair<int, int>(800, 200)));

    // What was taken reaches the device whole.
    writeNow();
    EXPECT_EQ(panel().model().ScheduleCount, taken);
    EXPECT_EQ(inProcess->device().configRecord().count(longName.toLatin1() + '\0'), taken);
}

TEST_F(UsbPageTest, DeletesRowsTwoAndFourOfFive)
{
    ASSERT_TRUE(link({.code = 192, .versionByte = 15}, withStorage({QStringLiteral("clip.ts")})));
    showUsbPage();
    const QStringList files{"a.ts", "b.ts", "c.ts", "d.ts", "e.ts"};
    for (int i = 0; i < files.size(); ++i)
        addEntry("addPlayEntryButton", files[i], May1, QTime(8 + i, 0), May1, QTime(8 + i, 30));
    ASSERT_EQ(column(7), files);

    QWidget *viewport = list()->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, list()->visualItemRect(list()->item(1, 3)).center());
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ControlModifier,
                      list()->visualItemRect(list()->item(3, 3)).center());
    ASSERT_EQ(list()->selectionModel()->selectedRows().size(), 2);
    EXPECT_TRUE(control<QPushButton>("deleteEntriesButton")->isEnabled());
    panel().model().CommitCountdown = 0;
    click("deleteEntriesButton");
    EXPECT_EQ(column(7), QStringList({"a.ts", "c.ts", "e.ts"}));
    EXPECT_EQ(panel().model().ScheduleCount, 3);
    EXPECT_EQ(panel().model().ScheduleEntries[2].File, QStringLiteral("e.ts"));
    EXPECT_EQ(panel().model().CommitCountdown, 10);
    EXPECT_TRUE(list()->selectionModel()->selectedRows().isEmpty());
}

TEST_F(UsbPageTest, FrenchWeekTextAndDayCaptions)
{
    LanguageIndex = 1;
    ASSERT_TRUE(link({.code = 131}));
    showUsbPage();
    QString letters;
    for (const char *day : {"mondayButton", "tuesdayButton", "wednesdayButton", "thursdayButton", "fridayButton",
                            "saturdayButton", "sundayButton"})
        letters += control<QPushButton>(day)->text();
    EXPECT_EQ(letters, QStringLiteral("LMMJVSD"));
    click("saturdayButton");
    click("sundayButton");
    addEntry("addPlayEntryButton", QStringLiteral("clip.ts"), May1, QTime(10, 0), May1, QTime(11, 0));
    EXPECT_EQ(column(5), QStringList({"LMMJV--"}));
    EXPECT_EQ(panel().model().ScheduleEntries[0].WeekMask, 0x1Fu);
}

TEST_F(UsbPageTest, EntriesReachTheDeviceRecord)
{
    ASSERT_TRUE(link({.code = 131}, withStorage({QStringLiteral("clip.ts")})));
    showUsbPage();
    const char *const weekdays[] = {"mondayButton", "tuesdayButton", "wednesdayButton", "thursdayButton",
                                    "fridayButton"};
    // A weekend recording first, then a weekday playback that starts earlier.
    for (const char *day : weekdays)
        click(day);
    addEntry("addRecordEntryButton", QStringLiteral("rec.ts"), May2, QTime(8, 5), QDate(2024, 5, 3), QTime(9, 0));
    for (const char *day : weekdays)
        click(day);
    click("saturdayButton");
    click("sundayButton");
    addEntry("addPlayEntryButton", QStringLiteral("clip.ts"), May1, QTime(10, 0), May1, QTime(12, 30));
    ASSERT_EQ(column(7), QStringList({"clip.ts", "rec.ts"}));

    writeNow();
    // Layout 1: the media file name, the USB capability byte, then the count
    // and the entries in list order.
    const QByteArray expected = QByteArray::fromHex("636c69702e74730001" "02") + PlayEntryBytes + RecordEntryBytes;
    EXPECT_TRUE(inProcess->device().configRecord().contains(expected))
        << inProcess->device().configRecord().toHex().toStdString();
    // Read back from the device, the list is the same.
    EXPECT_EQ(column(7), QStringList({"clip.ts", "rec.ts"}));
    EXPECT_EQ(column(5), QStringList({"MTWTF--", "-----SS"}));
}

TEST_F(UsbPageTest, AScheduleReadFromTheDeviceKeepsTheDeviceOrder)
{
    ASSERT_TRUE(link({.code = 176}, [this](SimDevice &device) {
        device.setStatusOptions(storageOptions({QStringLiteral("clip.ts")}));
        // Layout 2: the count follows the media file name; the noon entry
        // comes first on the device.
        QByteArray record = device.configRecord();
        const qsizetype name = record.indexOf(QByteArray("clip.ts", 8));
        ASSERT_GT(name, 0);
        ASSERT_EQ(record[name + 8], '\0');
        record.replace(name + 8, 1, QByteArray::fromHex("02") + NoonEntryBytes + PlayEntryBytes);
        device.setConfigRecord(record);
    }));
    showUsbPage();
    EXPECT_EQ(column(2), QStringList({"12:00", "10:00"}));
    EXPECT_EQ(column(7), QStringList({"noon.ts", "clip.ts"}));
    EXPECT_EQ(column(5), QStringList({"MTWTFSS", "MTWTF--"}));
    // An entry added now goes into start order among them as they stand.
    addEntry("addPlayEntryButton", QStringLiteral("late.ts"), May1, QTime(11, 0), May1, QTime(11, 30));
    EXPECT_EQ(column(7), QStringList({"late.ts", "noon.ts", "clip.ts"}));
}

TEST_F(UsbPageTest, HardwareWithoutPlayRecIgnoresTheSchedule)
{
    ASSERT_TRUE(link({.code = 132}, [](SimDevice &device) {
        // Layout 1 without the capability: name, capability 0, then a count
        // of one entry.
        QByteArray record = device.configRecord();
        const qsizetype name = record.indexOf(QByteArray("clip.ts\0\0\0", 10));
        ASSERT_GT(name, 0);
        record.replace(name + 9, 1, QByteArray::fromHex("01") + NoonEntryBytes);
        device.setConfigRecord(record);
    }));
    showUsbPage();
    EXPECT_EQ(panel().model().ScheduleCount, 1);
    EXPECT_EQ(list()->rowCount(), 0);
    EXPECT_FALSE(control<QPushButton>("addPlayEntryButton")->isEnabled());
    EXPECT_FALSE(control<QTableWidget>("scheduleList")->isEnabled());
    EXPECT_FALSE(control<QToolButton>("clockIcon")->isEnabled());
}

// ---- Player and lamps

TEST_F(UsbPageTest, PlayThenStopWithinOnePeriodSendsOnlyStop)
{
    ASSERT_TRUE(link({.code = 131}));
    setStorage({QStringLiteral("clip.ts")});
    showUsbPage();
    ASSERT_TRUE(QTest::qWaitFor([&] { return control<QPushButton>("playButton")->isEnabled(); }, 5000));
    click("playButton");
    click("stopButton");
    EXPECT_EQ(panel().synchronizer().PendingMediaCommand, 3);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !payloadsOf(QStringLiteral("CMD_MEDIA_CONTROL")).isEmpty(); }, 5000));
    QTest::qWait(500);
    EXPECT_EQ(payloadsOf(QStringLiteral("CMD_MEDIA_CONTROL")), QStringList({"03"}));
    EXPECT_EQ(panel().synchronizer().PendingMediaCommand, 0);
}

TEST_F(UsbPageTest, APendingEditIsWrittenBeforeThePlayerCommand)
{
    ASSERT_TRUE(link({.code = 131}));
    setStorage({QStringLiteral("clip.ts")});
    showUsbPage();
    ASSERT_TRUE(QTest::qWaitFor([&] { return control<QPushButton>("recordButton")->isEnabled(); }, 5000));
    typeMediaFile(QStringLiteral("news.ts"));
    EXPECT_EQ(panel().model().CommitCountdown, 10);
    click("recordButton");
    ASSERT_TRUE(QTest::qWaitFor([&] { return commands().contains(QStringLiteral("CMD_MEDIA_CONTROL")); }, 5000));
    const QStringList logged = commands();
    const qsizetype media = logged.indexOf(QStringLiteral("CMD_MEDIA_CONTROL"));
    EXPECT_EQ(logged.mid(media - 2, 3),
              QStringList({"CMD_WRITE_CONFIG", "CMD_READ_CONFIG", "CMD_MEDIA_CONTROL"}));
    EXPECT_EQ(payloadsOf(QStringLiteral("CMD_MEDIA_CONTROL")), QStringList({"02"}));
    EXPECT_TRUE(inProcess->device().configRecord().contains(QByteArray("news.ts", 8)));
}

TEST_F(UsbPageTest, LampsFollowThePlayerAndTheInput)
{
    ASSERT_TRUE(link({.code = 176}));
    setStorage({QStringLiteral("clip.ts")}, {}, 0, 4);
    showUsbPage();
    QLabel *play = control<QLabel>("playLamp");
    QLabel *rec = control<QLabel>("recLamp");
    QLabel *hdmi = control<QLabel>("hdmiLamp");
    QLabel *autoLamp = control<QLabel>("autoLamp");
    EXPECT_EQ(rec->text(), QStringLiteral(" REC"));
    EXPECT_EQ(hdmi->text(), QStringLiteral(" HDMI"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return autoLamp->text() == QStringLiteral("AP"); }, 5000));
    EXPECT_TRUE(hdmi->isEnabled());
    EXPECT_FALSE(play->isEnabled());
    EXPECT_FALSE(rec->isEnabled());

    click("playButton");
    ASSERT_TRUE(QTest::qWaitFor([&] { return play->isEnabled(); }, 5000));
    EXPECT_EQ(autoLamp->text(), QStringLiteral("MP"));
    EXPECT_TRUE(hdmi->isEnabled());
    EXPECT_FALSE(rec->isEnabled());

    click("recordButton");
    ASSERT_TRUE(QTest::qWaitFor([&] { return rec->isEnabled(); }, 5000));
    EXPECT_EQ(autoLamp->text(), QStringLiteral("MR"));
    EXPECT_FALSE(hdmi->isEnabled()); // recording: dark although a picture arrives
    EXPECT_FALSE(play->isEnabled());

    click("stopButton");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !rec->isEnabled(); }, 5000));
    EXPECT_TRUE(hdmi->isEnabled());
    EXPECT_EQ(autoLamp->text(), QStringLiteral("AP"));

    // The HDMI cable pulled: no lines on the first input.
    setStorage({QStringLiteral("clip.ts")}, {}, 4, 1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !hdmi->isEnabled(); }, 5000));
    EXPECT_EQ(autoLamp->text(), QStringLiteral("---"));
    // The lit lamps keep their colours.
    EXPECT_EQ(play->palette().color(QPalette::Active, QPalette::WindowText), QColor(0, 0, 128));
    EXPECT_EQ(rec->palette().color(QPalette::Active, QPalette::WindowText), QColor(128, 0, 0));
    EXPECT_EQ(autoLamp->palette().color(QPalette::Active, QPalette::WindowText), QColor(64, 64, 64));
}

TEST_F(UsbPageTest, MediaAndLogoListsFollowTheStorage)
{
    ASSERT_TRUE(link({.code = 192, .versionByte = 15}));
    setStorage({QStringLiteral("b.ts"), QStringLiteral("a.ts")},
               {QStringLiteral("logo1.dg1"), QStringLiteral("logo2.dg1")});
    showUsbPage();
    QComboBox *media = control<QComboBox>("mediaFileList");
    QComboBox *logos = control<QComboBox>("overlayLogoBox");
    QLineEdit *field = control<QLineEdit>("mediaFileField");
    ASSERT_TRUE(QTest::qWaitFor([&] { return media->count() == 2 && logos->count() == 2; }, 5000));
    EXPECT_EQ(media->itemText(0), QStringLiteral("a.ts"));
    EXPECT_EQ(media->itemText(1), QStringLiteral("b.ts"));
    // The field holds the record's "clip.ts": nothing in the list matches.
    EXPECT_EQ(field->text(), QStringLiteral("clip.ts"));
    EXPECT_EQ(media->currentIndex(), -1);
    EXPECT_TRUE(field->isEnabled() && media->isEnabled());

    media->setFocus();
    QTest::keyClick(media, Qt::Key_Down);
    QTest::keyClick(media, Qt::Key_Down);
    EXPECT_EQ(field->text(), QStringLiteral("b.ts"));
    EXPECT_EQ(panel().model().MediaFileName, QStringLiteral("b.ts"));

    logos->setCurrentIndex(1);
    emit logos->activated(1);
    EXPECT_EQ(panel().model().OverlayLogoFile, QStringLiteral("logo2.dg1"));

    // The selected names disappear from the storage.
    QFile::remove(storage.filePath(QStringLiteral("media/b.ts")));
    QFile::remove(storage.filePath(QStringLiteral("logos/logo2.dg1")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return media->count() == 1 && logos->count() == 1; }, 5000));
    EXPECT_EQ(media->currentIndex(), -1);
    EXPECT_EQ(field->text(), QStringLiteral("b.ts"));
    EXPECT_EQ(logos->currentIndex(), -1);
    EXPECT_EQ(logos->currentText(), QStringLiteral("logo2.dg1"));
    EXPECT_EQ(panel().model().OverlayLogoFile, QStringLiteral("logo2.dg1"));

    // An exact name only: the case counts.
    typeMediaFile(QStringLiteral("A.TS"));
    PutEmptyFiles(storage.filePath(QStringLiteral("media")), {QStringLiteral("c.ts")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return media->count() == 2; }, 5000));
    EXPECT_EQ(media->currentIndex(), -1);
    typeMediaFile(QStringLiteral("c.ts"));
    PutEmptyFiles(storage.filePath(QStringLiteral("media")), {QStringLiteral("d.ts")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return media->count() == 3; }, 5000));
    EXPECT_EQ(media->currentText(), QStringLiteral("c.ts"));

    // The stick pulled: no media and no logo files; the player cannot be used.
    SimStatusOptions none;
    inProcess->device().setStatusOptions(none);
    ASSERT_TRUE(QTest::qWaitFor([&] { return media->count() == 0; }, 5000));
    for (const char *name : {"mediaFileList", "mediaFileField", "playButton", "recordButton", "stopButton"})
        EXPECT_FALSE(control<QWidget>(name)->isEnabled()) << name;
    EXPECT_TRUE(control<QPushButton>("addPlayEntryButton")->isEnabled()); // the schedule stays usable
}

// ---- Logo overlay

TEST_F(UsbPageTest, LogoPlacementReachesTheRecord)
{
    ASSERT_TRUE(link({.code = 192, .versionByte = 15}));
    showUsbPage();
    QCheckBox *centre = control<QCheckBox>("logoPosition5");
    click("logoPosition5");
    EXPECT_EQ(panel().model().OverlayLogoPosition, 5);
    for (int p = 1; p <= 9; ++p)
        EXPECT_EQ(control<QCheckBox>(QByteArray("logoPosition" + QByteArray::number(p)).constData())->isChecked(),
                  p == 5)
            << p;
    click("logoPosition5");
    EXPECT_EQ(panel().model().OverlayLogoPosition, 0);
    EXPECT_FALSE(centre->isChecked());
    click("logoPosition9");
    EXPECT_EQ(panel().model().OverlayLogoPosition, 9);
    EXPECT_TRUE(control<QCheckBox>("logoPosition9")->isChecked());

    QLineEdit *x = control<QLineEdit>("logoXField");
    QLineEdit *y = control<QLineEdit>("logoYField");
    x->selectAll();
    QTest::keyClicks(x, QStringLiteral("1200"));
    EXPECT_EQ(panel().model().OverlayLogoX, 0);
    EXPECT_EQ(x->text(), QStringLiteral("1200"));
    x->selectAll();
    QTest::keyClicks(x, QStringLiteral("1000"));
    EXPECT_EQ(panel().model().OverlayLogoX, 1000);
    y->selectAll();
    QTest::keyClick(y, Qt::Key_Delete);
    EXPECT_EQ(panel().model().OverlayLogoY, 0);
    QTest::keyClicks(y, QStringLiteral("250"));
    EXPECT_EQ(panel().model().OverlayLogoY, 250);
    QComboBox *box = control<QComboBox>("overlayLogoBox");
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), QStringLiteral("logo1.dg1"));
    EXPECT_EQ(panel().model().OverlayLogoFile, QStringLiteral("logo1.dg1"));

    writeNow();
    // Layout 3 ends with the logo group: file, position, X, Y.
    EXPECT_TRUE(inProcess->device().configRecord().endsWith(QByteArray::fromHex("6c6f676f312e64673100" "09" "e803" "fa00")))
        << inProcess->device().configRecord().toHex().toStdString();
    // Read back and filled again, the page shows what the device holds.
    showUsbPage();
    EXPECT_EQ(x->text(), QStringLiteral("1000"));
    EXPECT_EQ(box->currentText(), QStringLiteral("logo1.dg1"));
    EXPECT_TRUE(control<QCheckBox>("logoPosition9")->isChecked());
}

TEST_F(UsbPageTest, LogoControlsDisabledBelowVersion15)
{
    ASSERT_TRUE(link({.code = 192, .versionByte = 14}));
    showUsbPage();
    // Version 14 has no USB capability: the page content stays hidden.
    EXPECT_FALSE(page().isVisible());
    for (const char *name : {"overlayLogoBox", "logoXField", "logoYField"})
        EXPECT_FALSE(control<QWidget>(name)->isEnabled()) << name;
    for (int p = 1; p <= 9; ++p)
        EXPECT_TRUE(control<QCheckBox>(QByteArray("logoPosition" + QByteArray::number(p)).constData())->isHidden());
    // The schedule is there for code 192 whatever its version.
    EXPECT_TRUE(control<QPushButton>("addPlayEntryButton")->isEnabled());
}

TEST_F(UsbPageTest, LogoControlsFromVersion15)
{
    ASSERT_TRUE(link({.code = 192, .versionByte = 15}));
    showUsbPage();
    EXPECT_TRUE(page().isVisible());
    for (const char *name : {"overlayLogoBox", "logoXField", "logoYField", "logoPosition1", "logoPosition9"})
        EXPECT_TRUE(control<QWidget>(name)->isEnabled() && control<QWidget>(name)->isVisible()) << name;
}

// ---- Clock

TEST_F(UsbPageTest, ClockDialogSendsTheFullDateWithSecondsZeroOnlyOnAChange)
{
    ASSERT_TRUE(link({.code = 131}));
    showUsbPage();
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel().synchronizer().PolledStatus.DeviceClock.Year != 0; }, 5000));
    QLineEdit *field = control<QLineEdit>("clockField");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !field->text().isEmpty(); }, 5000));
    const DeviceDateTime &latest = panel().synchronizer().PolledStatus.DeviceClock;
    EXPECT_EQ(field->text(), QStringLiteral("%1:%2").arg(latest.Hour, 2, 10, QLatin1Char('0')).arg(latest.Minute, 2, 10, QLatin1Char('0')));
    QToolButton *icon = control<QToolButton>("clockIcon");

    // OK without a change: nothing sent.
    bool done = false;
    const DeviceDateTime polled = panel().synchronizer().PolledStatus.DeviceClock;
    ClockFields shown;
    OnClockDialog(
        [&](CRTC &dialog) {
            shown = dialog.Clock;
            EXPECT_EQ(dialog.datePicker()->date(), QDate(polled.Year, polled.Month, polled.Day));
            EXPECT_EQ(dialog.timePicker()->time().toString(QStringLiteral("HH:mm")),
                      QTime(polled.Hour, polled.Minute).toString(QStringLiteral("HH:mm")));
            EXPECT_EQ(dialog.timePicker()->displayFormat(), QStringLiteral("HH:mm"));
            SaveScreenshot(dialog, QStringLiteral("clock-dialog"));
            PressOk(dialog);
        },
        &done);
    QTest::mouseClick(icon, Qt::LeftButton);
    ASSERT_TRUE(done);
    EXPECT_EQ(shown, (ClockFields{polled.Year, polled.Month, polled.Day, polled.Hour, polled.Minute, polled.Second}));
    EXPECT_TRUE(payloadsOf(QStringLiteral("CMD_SET_CLOCK")).isEmpty());

    // Both pickers changed, then Cancel: nothing sent.
    done = false;
    OnClockDialog(
        [&](CRTC &dialog) {
            dialog.datePicker()->setDate(QDate(2024, 2, 29));
            dialog.timePicker()->setTime(QTime(10, 16));
            PressCancel(dialog);
        },
        &done);
    QTest::mouseClick(icon, Qt::LeftButton);
    ASSERT_TRUE(done);
    EXPECT_TRUE(payloadsOf(QStringLiteral("CMD_SET_CLOCK")).isEmpty());

    // A changed date and time: sent at once with the seconds at 0.
    done = false;
    OnClockDialog(
        [&](CRTC &dialog) {
            dialog.datePicker()->setDate(QDate(2024, 2, 29));
            dialog.timePicker()->setTime(QTime(10, 16));
            PressOk(dialog);
        },
        &done);
    QTest::mouseClick(icon, Qt::LeftButton);
    ASSERT_TRUE(done);
    EXPECT_EQ(payloadsOf(QStringLiteral("CMD_SET_CLOCK")), QStringList({"00e807021d0a1000"}));
    // The device's clock now runs from there, and the field follows.
    ASSERT_TRUE(QTest::qWaitFor([&] { return field->text() == QStringLiteral("10:16"); }, 5000));
    EXPECT_EQ(panel().synchronizer().PolledStatus.DeviceClock.Day, 29);
}

TEST_F(UsbPageTest, BeforeAnyClockIsPolledTheDialogStartsFromNow)
{
    // Every poll is refused, so the device clock is never known.
    ASSERT_TRUE(link({.code = 131, .faults = {QStringLiteral("CMD_GET_STATUS:refuse")}}));
    showUsbPage();
    ASSERT_TRUE(waitForPoll());
    QLineEdit *field = control<QLineEdit>("clockField");
    EXPECT_TRUE(field->text().isEmpty());

    bool done = false;
    QDateTime started;
    OnClockDialog(
        [&](CRTC &dialog) {
            started = QDateTime(dialog.datePicker()->date(), dialog.timePicker()->time());
            PressOk(dialog);
        },
        &done);
    // Focusing the clock field opens the dialog and hands the focus on.
    QFocusEvent focusIn(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(field, &focusIn);
    ASSERT_TRUE(QTest::qWaitFor([&] { return done; }, 5000));
    EXPECT_LE(std::abs(started.secsTo(QDateTime::currentDateTime())), 120);
    EXPECT_FALSE(field->hasFocus());
    QTest::qWait(100);
    EXPECT_TRUE(payloadsOf(QStringLiteral("CMD_SET_CLOCK")).isEmpty());
}

TEST_F(UsbPageTest, AClockThePickersCannotShowIsNotSentBackUnchanged)
{
    ASSERT_TRUE(link({.code = 131}));
    bool done = false;
    QDate shown;
    OnClockDialog(
        [&](CRTC &dialog) {
            shown = dialog.datePicker()->date();
            PressOk(dialog);
        },
        &done);
    // The year 40000 lies beyond the pickers: the dialog starts from now.
    const QDateTime now(QDate(2025, 3, 14), QTime(15, 9, 26));
    EXPECT_FALSE(OpenClockDialog(window.get(), xmit, ClockFields{40000, 5, 1, 10, 15, 42}, now));
    ASSERT_TRUE(done);
    EXPECT_EQ(shown, QDate(2025, 3, 14));
    EXPECT_TRUE(payloadsOf(QStringLiteral("CMD_SET_CLOCK")).isEmpty());
}

TEST_F(UsbPageTest, TheClockFieldOpensTheDialogOnlyOutsideAnExchange)
{
    // The device takes its time over each poll, so that the tool waits.
    ASSERT_TRUE(link({.code = 131, .faults = {QStringLiteral("CMD_GET_STATUS:delay:1000")}}));
    showUsbPage();
    QLineEdit *field = control<QLineEdit>("clockField");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !field->text().isEmpty(); }, 5000));

    bool done = false;
    OnClockDialog(
        [&](CRTC &dialog) {
            dialog.timePicker()->setTime(dialog.timePicker()->time().addSecs(3600));
            PressOk(dialog);
        },
        &done);
    // The field is focused just before a panel tick polls the device: the
    // dialog, and the clock it sends, must wait until that exchange is over.
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&] {
        QFocusEvent focusIn(QEvent::FocusIn, Qt::MouseFocusReason);
        QApplication::sendEvent(field, &focusIn);
        panel().synchronizer().PanelTimerTick(true);
        loop.quit();
    });
    loop.exec();
    ASSERT_TRUE(QTest::qWaitFor([&] { return done; }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !payloadsOf(QStringLiteral("CMD_SET_CLOCK")).isEmpty(); }, 5000));
    EXPECT_EQ(payloadsOf(QStringLiteral("CMD_SET_CLOCK")).size(), 1);
}

// ---- The page as a whole

TEST_F(UsbPageTest, ScreenshotWithEntriesAndStorage)
{
    ASSERT_TRUE(link({.code = 192, .versionByte = 15},
                     withStorage({QStringLiteral("clip.ts"), QStringLiteral("news.ts"), QStringLiteral("weekend.ts")},
                                 {QStringLiteral("channel.dg1"), QStringLiteral("promo.dg1")}, 0, 4)));
    showUsbPage();
    addEntry("addPlayEntryButton", QStringLiteral("news.ts"), May1, QTime(7, 30), May1, QTime(8, 0));
    addEntry("addPlayEntryButton", QStringLiteral("clip.ts"), May1, QTime(12, 0), QDate(2024, 6, 30), QTime(12, 30));
    click("saturdayButton");
    addEntry("addRecordEntryButton", QStringLiteral("weekend.ts"), May2, QTime(20, 0), May2, QTime(22, 15));
    click("logoPosition3");
    QComboBox *logos = control<QComboBox>("overlayLogoBox");
    ASSERT_TRUE(QTest::qWaitFor([&] { return logos->count() == 2; }, 5000));
    logos->setCurrentIndex(0);
    emit logos->activated(0);
    click("playButton");
    ASSERT_TRUE(QTest::qWaitFor([&] { return control<QLabel>("playLamp")->isEnabled(); }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !control<QLineEdit>("clockField")->text().isEmpty(); }, 5000));
    EXPECT_EQ(column(7), QStringList({"news.ts", "clip.ts", "weekend.ts"}));
    SaveScreenshot(*window, QStringLiteral("usb-page"));
}

} // namespace
