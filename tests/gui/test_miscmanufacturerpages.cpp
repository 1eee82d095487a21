// The MISC. and MANUFACTURER pages in the real window, linked to a simulated
// device: their enable rules by model, firmware and mode flag files, typed
// values, the 4K reboot, configuration files and the action buttons, checked
// against what the device received. Expected bytes are written by hand.

#include "answeringprompts.h"
#include "guitestsupport.h"
#include "linkedwindow.h"
#include "testfiles.h"

#include "app/connectionsupervisor.h"
#include "auxiliary/beep.h"
#include "auxiliary/gui/cinfo.h"
#include "panel/gui/controlids.h"
#include "panel/gui/csetting.h"
#include "panel/gui/manufacturerpage.h"
#include "panel/gui/miscpage.h"
#include "panel/gui/ownerdrawntabbar.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class PagesTest : public LinkedWindowTest
{
protected:
    PagesTest()
    {
        useFastTimers();
        m_previousSink = SetBeepSink([this](int frequency, int duration) { beeps << frequency << duration; });
    }
    ~PagesTest() override { SetBeepSink(m_previousSink); }

    // The flag files beside the tool, read as start-up reads them.
    void useFlagFiles(bool advanced, bool manufacturer)
    {
        if (advanced)
            WriteAll(folder.filePath("firmware/advanced.txt"), {});
        if (manufacturer)
            WriteAll(folder.filePath("firmware/manufacturer.txt"), {});
        const StartupValues read = ReadSideFiles(folder.path());
        startup.AdvancedMode = read.AdvancedMode;
        startup.ManufacturerMode = read.ManufacturerMode;
    }

    bool link(int code, int versionByte, bool advanced, bool manufacturer, QStringList faults = {})
    {
        useFlagFiles(advanced, manufacturer);
        return linkInProcess({.code = code, .versionByte = versionByte, .faults = faults});
    }

    CMiscPage &misc() const { return *static_cast<CMiscPage *>(panel().page(CSetting::MiscPage)); }
    CManufacturerPage &manufacturer() const
    {
        return *static_cast<CManufacturerPage *>(panel().page(CSetting::ManufacturerPage));
    }
    template <typename Control>
    Control *miscControl(int id) const
    {
        return qobject_cast<Control *>(misc().controls().byId(id));
    }
    template <typename Control>
    Control *manufacturerControl(int id) const
    {
        return qobject_cast<Control *>(manufacturer().controls().byId(id));
    }
    QPushButton *button(int id) const { return manufacturerControl<QPushButton>(id); }

    void showPage(int page)
    {
        OwnerDrawnTabBar &tabs = *panel().pageTabs();
        QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(page).center());
        ASSERT_EQ(panel().CurrentPage, page);
    }

    // Replaces the text of an edit by typing, as the user does.
    static void retype(QLineEdit *edit, const QString &text)
    {
        edit->setFocus();
        edit->selectAll();
        if (text.isEmpty())
            QTest::keyClick(edit, Qt::Key_Backspace);
        else
            QTest::keyClicks(edit, text);
    }

    bool waitForCommand(const QString &command, qsizetype occurrences = 1, int timeoutMs = 8000) const
    {
        return QTest::qWaitFor([&] { return commands().count(command) >= occurrences; }, timeoutMs);
    }

    // The payloads (hex) the device received with a command, in order.
    QList<QByteArray> payloadsOf(const QString &command) const
    {
        QList<QByteArray> payloads;
        for (const QString &line : inProcess->requestLog()) {
            const QStringList fields = line.split(QLatin1Char(' '));
            if (fields.value(3) == command)
                payloads << QByteArray::fromHex(fields.value(4).toLatin1());
        }
        return payloads;
    }

    QString statusText() const { return window->statusStrip()->statusText(); }

    QList<int> beeps;

private:
    BeepSink m_previousSink;
};

// ---------------------------------------------------------------- enable rules

struct EnableCase
{
    int code;
    int versionByte;
    bool advancedMode;
    bool manufacturerMode;
    // MISC.: 4K, infrared, EDID repair, encoder tuning.
    std::array<bool, 4> misc;
    // MANUFACTURER: actions, logo list, hardware type, MAC, Play/Rec USB, HDCP, infrared, 4K, snapshot shown.
    std::array<bool, 9> manufacturer;
};

void PrintTo(const EnableCase &c, std::ostream *out)
{
    *out << "code " << c.code << " version " << c.versionByte << (c.advancedMode ? " advanced" : "")
         << (c.manufacturerMode ? " manufacturer" : "");
}

class EnableRulesTest : public PagesTest, public ::testing::WithParamInterface<EnableCase>
{
};

TEST_P(EnableRulesTest, ControlsFollowModelFirmwareAndFlagFiles)
{
    const EnableCase &c = GetParam();
    ASSERT_TRUE(link(c.code, c.versionByte, c.advancedMode, c.manufacturerMode));

    showPage(CSetting::MiscPage);
    EXPECT_EQ(miscControl<QComboBox>(IDC_MISC_4K_MODE)->isEnabled(), c.misc[0]);
    EXPECT_EQ(miscControl<QWidget>(IDC_MISC_4K_LABEL)->isEnabled(), c.misc[0]);
    EXPECT_EQ(miscControl<QComboBox>(IDC_MISC_IR_FREQUENCY)->isEnabled(), c.misc[1]);
    EXPECT_EQ(miscControl<QWidget>(IDC_MISC_IR_LABEL)->isEnabled(), c.misc[1]);
    EXPECT_EQ(miscControl<QPushButton>(IDC_MISC_EDID_REPAIR)->isEnabled(), c.misc[2]);
    for (int id : {IDC_MISC_H264_PROFILE, IDC_MISC_ALLOW_VBR, IDC_MISC_STRICT_CBR, IDC_MISC_PCM_VOLUME})
        EXPECT_EQ(misc().controls().byId(id)->isEnabled(), c.misc[3]) << id;
    EXPECT_TRUE(miscControl<QWidget>(IDC_MISC_PCM_VOLUME_LABEL)->isEnabled());

    showPage(CSetting::ManufacturerPage);
    const bool content = c.advancedMode || c.manufacturerMode;
    EXPECT_EQ(manufacturer().isVisible(), content);
    const auto enabled = [&](int id) { return manufacturer().controls().byId(id)->isEnabled(); };
    for (int id : {IDC_MANUFACTURER_LOAD, IDC_MANUFACTURER_SAVE, IDC_MANUFACTURER_FIRMWARE_RELOAD,
                   IDC_MANUFACTURER_LOGO_LABEL, IDC_MANUFACTURER_CLOCK_SET, IDC_MANUFACTURER_RESET,
                   IDC_MANUFACTURER_SNAPSHOT})
        EXPECT_EQ(enabled(id), c.manufacturer[0]) << id;
    EXPECT_EQ(enabled(IDC_PANEL_LOGO_LIST), c.manufacturer[1]);
    EXPECT_EQ(enabled(IDC_MANUFACTURER_HARDWARE_TYPE), c.manufacturer[2]);
    EXPECT_EQ(enabled(IDC_MANUFACTURER_HARDWARE_TYPE_LABEL), c.manufacturer[2]);
    for (int id : {IDC_MANUFACTURER_MAC_LABEL, IDC_MANUFACTURER_MAC_0, IDC_MANUFACTURER_MAC_1, IDC_MANUFACTURER_MAC_2,
                   IDC_MANUFACTURER_MAC_3, IDC_MANUFACTURER_MAC_4, IDC_MANUFACTURER_MAC_5})
        EXPECT_EQ(enabled(id), c.manufacturer[3]) << id;
    EXPECT_EQ(enabled(IDC_MANUFACTURER_PLAY_REC_USB), c.manufacturer[4]);
    EXPECT_EQ(enabled(IDC_MANUFACTURER_HDCP), c.manufacturer[5]);
    EXPECT_EQ(enabled(IDC_MANUFACTURER_INFRARED), c.manufacturer[6]);
    EXPECT_EQ(enabled(IDC_MANUFACTURER_4K), c.manufacturer[7]);
    EXPECT_EQ(button(IDC_MANUFACTURER_SNAPSHOT)->isVisible(), c.manufacturer[8]);
    for (int id : {IDC_MANUFACTURER_REFERENCE, IDC_MANUFACTURER_COUNTRY, IDC_MANUFACTURER_FACTORY_DEFAULT})
        EXPECT_TRUE(enabled(id)) << id;
}

// The simulated device's record holds no infrared or 4K capability; where the
// record does not carry them they keep the hardware's reset values (infrared
// on 158 and 159 below version 14, 4K on 192).
INSTANTIATE_TEST_SUITE_P(
    Pages, EnableRulesTest,
    ::testing::Values(
        EnableCase{121, 23, false, false, {false, false, false, true},
                   {false, false, false, false, false, false, false, false, false}},
        EnableCase{121, 23, true, false, {false, false, false, true},
                   {false, false, true, true, false, false, false, false, false}},
        EnableCase{121, 23, false, true, {false, false, false, true},
                   {true, true, true, true, false, false, false, false, false}},
        EnableCase{192, 15, true, false, {true, false, false, false},
                   {false, false, false, true, false, false, false, false, true}},
        EnableCase{192, 15, false, true, {true, false, false, false},
                   {true, false, false, true, false, false, false, false, true}},
        EnableCase{157, 9, false, true, {false, false, true, false},
                   {true, true, false, false, true, false, false, false, false}},
        EnableCase{157, 10, false, true, {false, false, true, false},
                   {true, true, false, false, true, true, false, false, false}},
        EnableCase{158, 13, false, true, {false, true, false, false},
                   {true, true, false, false, true, true, false, false, false}},
        EnableCase{158, 14, false, true, {false, false, false, false},
                   {true, true, false, false, true, true, true, false, false}},
        EnableCase{158, 15, false, true, {false, false, false, false},
                   {true, true, false, false, true, true, true, true, false}},
        EnableCase{159, 13, true, true, {false, true, false, false},
                   {true, true, false, false, true, true, false, false, true}},
        EnableCase{159, 14, true, true, {false, false, false, false},
                   {true, true, false, false, true, true, true, false, true}},
        EnableCase{159, 15, true, true, {false, false, false, false},
                   {true, true, false, false, true, true, true, true, true}}));

// ---------------------------------------------------------------- MISC. page

TEST_F(PagesTest, CapabilityTickedOnTheManufacturerPageEnablesTheMiscList)
{
    ASSERT_TRUE(link(158, 15, false, true));
    QCheckBox *capability4K = manufacturerControl<QCheckBox>(IDC_MANUFACTURER_4K);
    ClickButton(capability4K);
    EXPECT_EQ(panel().model().Capability4K, 1);
    ClickButton(manufacturerControl<QCheckBox>(IDC_MANUFACTURER_INFRARED));
    EXPECT_EQ(panel().model().CapabilityIr, 1);
    showPage(CSetting::MiscPage);
    EXPECT_TRUE(miscControl<QComboBox>(IDC_MISC_4K_MODE)->isEnabled());
    EXPECT_TRUE(miscControl<QComboBox>(IDC_MISC_IR_FREQUENCY)->isEnabled());
}

TEST_F(PagesTest, FourKOnIsWrittenThenTheDeviceReboots)
{
    ASSERT_TRUE(link(192, 15, false, false));
    showPage(CSetting::MiscPage);
    QComboBox *mode4K = miscControl<QComboBox>(IDC_MISC_4K_MODE);
    ASSERT_TRUE(mode4K->isEnabled());
    EXPECT_EQ(mode4K->itemText(1), QStringLiteral("ON"));
    // "OFF" chosen again from the open list changes nothing.
    emit mode4K->activated(0);
    EXPECT_EQ(panel().model().CommitCountdown, 0);
    EXPECT_EQ(panel().synchronizer().RebootAfterWrite, 0);
    mode4K->setFocus();
    QTest::keyClick(mode4K, Qt::Key_Down);
    EXPECT_EQ(panel().model().Mode4K, 1);

    ASSERT_TRUE(waitForCommand("CMD_REBOOT"));
    const QStringList logged = commands();
    const qsizetype write = logged.lastIndexOf("CMD_WRITE_CONFIG");
    ASSERT_GE(write, 0);
    EXPECT_EQ(logged.mid(write, 3), (QStringList{"CMD_WRITE_CONFIG", "CMD_READ_CONFIG", "CMD_REBOOT"}));

    // Layout 3: LCN country, reference, country, LCN type, two 16-bit
    // network ids, network name, NIT version and spare, then the 4K byte.
    const QByteArray record = payloadsOf("CMD_WRITE_CONFIG").last();
    qsizetype at = 1;
    at = record.indexOf('\0', at) + 1 + 1 + 1 + 4;
    at = record.indexOf('\0', at) + 1 + 2;
    EXPECT_EQ(record.at(at), 1);
    EXPECT_EQ(panel().synchronizer().RebootAfterWrite, 0);
}

TEST_F(PagesTest, MiscSettingsOfCode121AreCommitted)
{
    ASSERT_TRUE(link(121, 23, false, false));
    showPage(CSetting::MiscPage);
    EXPECT_EQ(miscControl<QComboBox>(IDC_MISC_H264_PROFILE)->itemText(1), QStringLiteral(" HIGH"));
    QComboBox *volume = miscControl<QComboBox>(IDC_MISC_PCM_VOLUME);
    volume->setFocus();
    QTest::keyClick(volume, Qt::Key_End);
    ClickButton(miscControl<QCheckBox>(IDC_MISC_ALLOW_VBR));
    const ConfigModel &model = panel().model();
    EXPECT_EQ(model.PcmVolume, 2);
    EXPECT_EQ(model.AllowVbr, 1);
    EXPECT_EQ(model.CommitCountdown, 10);
    EXPECT_EQ(panel().synchronizer().RebootAfterWrite, 0);
}

// ---------------------------------------------------------------- MANUFACTURER page

TEST_F(PagesTest, MacEditsTakeHexadecimalTexts)
{
    ASSERT_TRUE(link(192, 15, false, true));
    const int ids[] = {IDC_MANUFACTURER_MAC_0, IDC_MANUFACTURER_MAC_1, IDC_MANUFACTURER_MAC_2,
                       IDC_MANUFACTURER_MAC_3, IDC_MANUFACTURER_MAC_4, IDC_MANUFACTURER_MAC_5};
    const QString typed[] = {"1G", "", "A5", "fe", "DC", "ba"};
    for (int i = 0; i < 6; ++i)
        retype(manufacturerControl<QLineEdit>(ids[i]), typed[i]);
    const ConfigModel &model = panel().model();
    EXPECT_EQ(model.Mac, (std::array<qint32, 6>{16, 0, 165, 254, 220, 186}));
    // The edit keeps what was typed until the page is filled again.
    EXPECT_EQ(manufacturerControl<QLineEdit>(ids[0])->text(), QStringLiteral("1G"));

    panel().DeactivatePanel();
    EXPECT_TRUE(inProcess->device().configRecord().contains(QByteArray::fromHex("1000a5fedcba")));
    panel().SwitchPage(CSetting::ManufacturerPage);
    EXPECT_EQ(manufacturerControl<QLineEdit>(ids[0])->text(), QStringLiteral("10"));
    EXPECT_EQ(manufacturerControl<QLineEdit>(ids[1])->text(), QStringLiteral("00"));
    EXPECT_EQ(manufacturerControl<QLineEdit>(ids[2])->text(), QStringLiteral("a5"));
}

TEST_F(PagesTest, ReferenceAndCountryAreCommitted)
{
    ASSERT_TRUE(link(158, 15, false, true));
    QLineEdit *reference = manufacturerControl<QLineEdit>(IDC_MANUFACTURER_REFERENCE);
    retype(reference, QStringLiteral("0123456789ABCDEFGHIJKLMN"));
    EXPECT_EQ(panel().model().Reference, QStringLiteral("0123456789ABCDEFGHIJ"));

    QComboBox *country = manufacturerControl<QComboBox>(IDC_MANUFACTURER_COUNTRY);
    EXPECT_EQ(country->count(), 7);
    country->setFocus();
    QTest::keyClick(country, Qt::Key_Home);
    QTest::keyClick(country, Qt::Key_Down);
    QTest::keyClick(country, Qt::Key_Down);
    QTest::keyClick(country, Qt::Key_Down);
    EXPECT_EQ(country->currentText(), QStringLiteral("DEUTSCH"));
    EXPECT_EQ(panel().model().DefaultCountry, 3);
    EXPECT_EQ(panel().model().CountryCopy, 3);
}

// Counts the times a widget is shown.
struct ShowCounter : QObject
{
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            ++shows;
        return false;
    }
    int shows = 0;
};

TEST_F(PagesTest, PlayRecUsbPassesThroughTheUsbPageAndComesBack)
{
    ASSERT_TRUE(link(158, 15, false, true));
    ASSERT_EQ(panel().model().CapabilityUsb, 1);
    QCheckBox *usb = manufacturerControl<QCheckBox>(IDC_MANUFACTURER_PLAY_REC_USB);
    ShowCounter usbPageShown;
    panel().page(CSetting::UsbPage)->installEventFilter(&usbPageShown);

    // Off: the USB page has no content to show on the way.
    QTest::mouseClick(usb, Qt::LeftButton);
    EXPECT_EQ(panel().model().CapabilityUsb, 0);
    EXPECT_EQ(usbPageShown.shows, 0);
    EXPECT_EQ(panel().CurrentPage, CSetting::ManufacturerPage);
    EXPECT_EQ(panel().pageTabs()->currentIndex(), CSetting::ManufacturerPage);
    EXPECT_TRUE(manufacturer().isVisible());

    // On again: it is shown and filled on the way, and hidden again.
    QTest::mouseClick(usb, Qt::LeftButton);
    EXPECT_EQ(panel().model().CapabilityUsb, 1);
    EXPECT_EQ(usbPageShown.shows, 1);
    EXPECT_FALSE(panel().page(CSetting::UsbPage)->isVisible());
    EXPECT_EQ(panel().CurrentPage, CSetting::ManufacturerPage);
    EXPECT_TRUE(manufacturer().isVisible());
    EXPECT_EQ(panel().model().CommitCountdown, 10);
    panel().page(CSetting::UsbPage)->removeEventFilter(&usbPageShown);
}

// ---------------------------------------------------------------- configuration files

TEST_F(PagesTest, SaveThenLoadRoundTripsAndStoresTheFactoryDefault)
{
    WriteAll(folder.filePath("logos/boot.dg1"), QByteArray(600, 'L'));
    WriteAll(folder.filePath("logos/other.dg1"), QByteArray(3, 'O'));
    QDir(folder.path()).mkpath("config");
    ASSERT_TRUE(link(158, 15, false, true));
    QComboBox *logos = manufacturerControl<QComboBox>(IDC_PANEL_LOGO_LIST);
    EXPECT_EQ(logos->count(), 2);
    logos->setCurrentIndex(logos->findText("boot.dg1"));

    AnsweringPrompts prompts;
    prompts.Paths << folder.filePath("config/unit1");
    QTest::mouseClick(button(IDC_MANUFACTURER_SAVE), Qt::LeftButton);
    ASSERT_EQ(prompts.FileRequests.size(), 1);
    EXPECT_EQ(prompts.FileRequests[0].Title, QStringLiteral("Save Configuration"));
    EXPECT_EQ(prompts.FileRequests[0].Pattern, QStringLiteral("*.itc"));
    EXPECT_EQ(statusText(), QStringLiteral("Saved"));
    const QByteArray saved = ReadAll(folder.filePath("config/unit1.itc"));
    // Layout 1 opens with the reference; the logo of the list is in the file,
    // while the model keeps the device's (none).
    EXPECT_TRUE(saved.startsWith(QByteArray("SIM-158\0", 8)));
    EXPECT_TRUE(saved.contains(QByteArray("\0boot.dg1\0", 10)));
    EXPECT_TRUE(panel().model().LogoName.isEmpty());

    retype(manufacturerControl<QLineEdit>(IDC_MANUFACTURER_REFERENCE), QStringLiteral("CHANGED"));
    panel().DeactivatePanel();
    ASSERT_TRUE(inProcess->device().configRecord().startsWith("CHANGED"));
    ASSERT_TRUE(panel().ActivatePanel());
    EXPECT_EQ(panel().model().Reference, QStringLiteral("CHANGED"));

    const qsizetype before = commands().size();
    prompts.Paths << folder.filePath("config/unit1");
    QTest::mouseClick(button(IDC_MANUFACTURER_LOAD), Qt::LeftButton);
    EXPECT_EQ(prompts.FileRequests.last().Title, QStringLiteral("Load Configuration"));
    EXPECT_EQ(statusText(), QStringLiteral("Loaded"));
    EXPECT_EQ(panel().model().Reference, QStringLiteral("SIM-158"));
    EXPECT_EQ(manufacturerControl<QLineEdit>(IDC_MANUFACTURER_REFERENCE)->text(), QStringLiteral("SIM-158"));
    EXPECT_EQ(logos->currentText(), QStringLiteral("boot.dg1"));

    ASSERT_TRUE(waitForCommand("CMD_FLASH_END"));
    EXPECT_EQ(commands().mid(before, 6), (QStringList{"CMD_WRITE_CONFIG", "CMD_READ_CONFIG", "CMD_SAVE_DEFAULT",
                                                       "CMD_FLASH_BEGIN", "CMD_FLASH_DATA", "CMD_FLASH_DATA"}));
    EXPECT_EQ(payloadsOf("CMD_WRITE_CONFIG").last(), saved);
    EXPECT_EQ(inProcess->device().configRecord(), saved);
    EXPECT_EQ(payloadsOf("CMD_FLASH_BEGIN").last(), QByteArray::fromHex("00fd03")); // block 1021
    EXPECT_EQ(inProcess->device().flashArea(1021), QByteArray(600, 'L'));
    EXPECT_TRUE(beeps.isEmpty());
}

TEST_F(PagesTest, ExtensionRuleOnCode121)
{
    QDir(folder.path()).mkpath("config/my.dir");
    ASSERT_TRUE(link(121, 23, false, true));
    AnsweringPrompts prompts;
    prompts.Paths << folder.filePath("config/unit1") << folder.filePath("config/unit2.TMC")
                  << folder.filePath("config/unit3.itc") << folder.filePath("config/my.dir/unit4.tmc");
    for (int save = 0; save < 4; ++save) {
        QTest::mouseClick(button(IDC_MANUFACTURER_SAVE), Qt::LeftButton);
        EXPECT_EQ(statusText(), QStringLiteral("Saved")) << save;
    }
    EXPECT_EQ(prompts.FileRequests[0].Pattern, QStringLiteral("*.tmc"));
    EXPECT_EQ(QDir(folder.filePath("config")).entryList(QDir::Files),
              (QStringList{"unit1.tmc", "unit2.TMC", "unit3.itc.tmc"}));
    EXPECT_EQ(QDir(folder.filePath("config/my.dir")).entryList(QDir::Files), QStringList{"unit4.tmc"});
}

struct RefusedLoad
{
    int code;
    QByteArray file;
};

void PrintTo(const RefusedLoad &c, std::ostream *out)
{
    *out << "code " << c.code << " file " << c.file.left(5).toHex().constData();
}

class RefusedLoadTest : public PagesTest, public ::testing::WithParamInterface<RefusedLoad>
{
};

TEST_P(RefusedLoadTest, ForeignFileIsRefusedAndNothingIsWritten)
{
    const RefusedLoad &c = GetParam();
    WriteAll(folder.filePath("config/foreign.itc"), c.file);
    ASSERT_TRUE(link(c.code, 15, false, true));
    const ConfigModel before = panel().model();
    const qsizetype requests = commands().size();

    AnsweringPrompts prompts;
    prompts.Paths << folder.filePath("config/foreign.itc");
    QTest::mouseClick(button(IDC_MANUFACTURER_LOAD), Qt::LeftButton);
    EXPECT_EQ(statusText(), QStringLiteral("Config. file not compatible !"));
    EXPECT_EQ(beeps, (QList<int>{440, 250}));
    EXPECT_EQ(panel().model(), before);
    QTest::qWait(600);
    EXPECT_FALSE(commands().mid(requests).contains("CMD_WRITE_CONFIG"));
}

// A layout-2 header (50 46 5A 4A, then code 176) before fields that a
// layout-1 device would read in full: only the header makes it foreign.
QByteArray Code176File()
{
    QByteArray r = QByteArray::fromHex("50465a4ab0");
    const auto text = [&](const char *value) { r.append(value).append('\0'); };
    text("PEDISA");
    r.append(QByteArray::fromHex("0101" "503b0700" "020102000003")); // countries, 474000 kHz, bandwidth .. level
    r.append(QByteArray::fromHex("01" "0100" "0200"));               // NIT version, network ids
    text("NET");
    r.append(QByteArray::fromHex("0300" "1000" "00" "0700"));         // TS id, service id, LCN type, LCN
    text("SVC");
    r.append(QByteArray::fromHex("6400" "6500" "6600" "7017" "01" "00")); // PIDs, 6000 kbit/s, audio
    text("E");
    text("T");
    text("logo.dg1");
    r.append('\0');
    text("clip.ts");
    r.append('\1');
    return r;
}

INSTANTIATE_TEST_SUITE_P(Pages, RefusedLoadTest,
                         ::testing::Values(RefusedLoad{131, Code176File()}, RefusedLoad{178, Code176File()}));

// ---------------------------------------------------------------- actions

TEST_F(PagesTest, SnapshotButtonSavesTheDisplayByteExact)
{
    ASSERT_TRUE(link(176, 15, false, true));
    QByteArray picture(1024, '\0');
    picture[0] = char(0x01);
    inProcess->device().setSnapshotPicture(picture);
    AnsweringPrompts prompts;
    prompts.Paths << folder.filePath("display");
    QTest::mouseClick(button(IDC_MANUFACTURER_SNAPSHOT), Qt::LeftButton);

    const QByteArray file = ReadAll(folder.filePath("display.bmp"));
    ASSERT_EQ(file.size(), 1086);
    EXPECT_EQ(file.left(62), QByteArray::fromHex("424d3e04000000000000" "3e000000" "28000000" "80000000" "40000000"
                                                 "0100" "0100" "00000000" "00040000" "00000000" "00000000"
                                                 "00000000" "00000000" "00000000" "ffffff00"));
    QByteArray pixels(1024, '\0');
    pixels[63 * 16] = char(0x80); // last row, byte 0, bit 7: the top-left pixel
    EXPECT_EQ(file.mid(62), pixels);
    EXPECT_EQ(payloadsOf("CMD_SNAPSHOT"), QList<QByteArray>{QByteArray::fromHex("02")});
}

TEST_F(PagesTest, SilentSnapshotBeepsAndOffersNoFile)
{
    ASSERT_TRUE(link(159, 15, false, true, {"CMD_SNAPSHOT:silence"}));
    AnsweringPrompts prompts;
    prompts.Paths << folder.filePath("display");
    QTest::mouseClick(button(IDC_MANUFACTURER_SNAPSHOT), Qt::LeftButton);
    EXPECT_TRUE(prompts.FileRequests.isEmpty());
    EXPECT_EQ(beeps.mid(0, 2), (QList<int>{440, 250}));
    EXPECT_FALSE(QFile::exists(folder.filePath("display.bmp")));
}

TEST_F(PagesTest, CancelInEitherEdidQuestionSendsNothing)
{
    ASSERT_TRUE(link(132, 14, false, false));
    showPage(CSetting::MiscPage);
    QPushButton *edid = miscControl<QPushButton>(IDC_MISC_EDID_REPAIR);
    ASSERT_TRUE(edid->isEnabled());
    EXPECT_FALSE(edid->icon().isNull());
    for (const QList<PromptAnswer> &answers :
         {QList<PromptAnswer>{PromptAnswer::Cancel}, QList<PromptAnswer>{PromptAnswer::Ok, PromptAnswer::Cancel}}) {
        AnsweringPrompts prompts;
        prompts.Answers = answers;
        QTest::mouseClick(edid, Qt::LeftButton);
        EXPECT_EQ(prompts.Messages.size(), answers.size());
        EXPECT_FALSE(window->supervisor().Requests.EdidPending);
    }
    QTest::qWait(300);
    EXPECT_FALSE(commands().contains("CMD_EDID_REPAIR"));

    // Confirmed twice: the supervisor runs the repair and links again.
    AnsweringPrompts prompts;
    QTest::mouseClick(edid, Qt::LeftButton);
    EXPECT_EQ(prompts.Messages.size(), 2);
    ASSERT_TRUE(waitForCommand("CMD_EDID_REPAIR"));
    ASSERT_TRUE(waitForCommand("CMD_IDENTIFY", 2));
}

TEST_F(PagesTest, DirectEdidRepairInManufacturerMode)
{
    ASSERT_TRUE(link(132, 14, false, true));
    showPage(CSetting::MiscPage);
    AnsweringPrompts prompts;
    QTest::mouseClick(miscControl<QPushButton>(IDC_MISC_EDID_REPAIR), Qt::LeftButton);
    EXPECT_TRUE(prompts.Messages.isEmpty());
    EXPECT_EQ(commands().last(), QStringLiteral("CMD_EDID_REPAIR"));
    EXPECT_FALSE(window->supervisor().Requests.EdidPending);
}

TEST_F(PagesTest, FactoryDefaultClockSetResetAndReload)
{
    ASSERT_TRUE(link(158, 15, false, true));
    qsizetype before = commands().size();
    QTest::mouseClick(button(IDC_MANUFACTURER_FACTORY_DEFAULT), Qt::LeftButton);
    ASSERT_TRUE(waitForCommand("CMD_SAVE_DEFAULT"));
    EXPECT_EQ(commands().mid(before, 3), (QStringList{"CMD_WRITE_CONFIG", "CMD_READ_CONFIG", "CMD_SAVE_DEFAULT"}));

    const QDate today = QDate::currentDate();
    QTest::mouseClick(button(IDC_MANUFACTURER_CLOCK_SET), Qt::LeftButton);
    const QByteArray clock = payloadsOf("CMD_SET_CLOCK").value(0);
    ASSERT_EQ(clock.size(), 8);
    EXPECT_EQ(clock[0], 0x00);
    EXPECT_EQ(quint8(clock[1]) | quint8(clock[2]) << 8, today.year());
    EXPECT_EQ(clock[3], today.month());

    // Reset drops the serial link: the supervisor finds the device again.
    QTest::mouseClick(button(IDC_MANUFACTURER_RESET), Qt::LeftButton);
    EXPECT_EQ(commands().last(), QStringLiteral("CMD_REBOOT"));
    ASSERT_TRUE(waitForCommand("CMD_IDENTIFY", 2));
    ASSERT_TRUE(waitForStatusText(QStringLiteral("Hardware connected")));

    // Firm. Reload only asks the supervisor, which drops the link and links again.
    QTest::mouseClick(button(IDC_MANUFACTURER_FIRMWARE_RELOAD), Qt::LeftButton);
    EXPECT_TRUE(window->supervisor().Requests.ForceReload);
    ASSERT_TRUE(waitForCommand("CMD_IDENTIFY", 3));
}

TEST_F(PagesTest, ScreenshotsInManufacturerMode)
{
    WriteAll(folder.filePath("logos/boot.dg1"), QByteArray(8, 'L'));
    ASSERT_TRUE(link(159, 15, true, true));
    panel().model().CapabilityIr = 1;
    panel().model().Capability4K = 1;
    panel().model().LogoName = QStringLiteral("boot.dg1");
    panel().SwitchPage(CSetting::ManufacturerPage);
    SaveScreenshot(*window, QStringLiteral("manufacturer-page-manufacturer-mode"));
    showPage(CSetting::MiscPage);
    SaveScreenshot(*window, QStringLiteral("misc-page-manufacturer-mode"));
}

} // namespace
