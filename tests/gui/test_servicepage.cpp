// The SERVICE page in the real window, linked to a simulated device: typed
// values reach the model and, after the write, the device's record; the
// tabs show the inputs; controls follow the hardware.

#include "layoutrecords.h"
#include "guitestsupport.h"
#include "pagetest.h"

#include "app/sidefiles.h"
#include "panel/gui/csetting.h"
#include "panel/gui/ownerdrawntabbar.h"
#include "panel/gui/settingspage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class ServicePageTest : public PageTest
{
protected:
    // Links the device and shows the SERVICE page.
    bool linkOnServicePage(const InProcessDevice::Options &options)
    {
        if (!linkInProcess(options))
            return false;
        switchPage(CSetting::ServicePage);
        return panel().CurrentPage == CSetting::ServicePage;
    }
};

struct TypedCase
{
    const char *field;
    const char *typed;
    qint32 stored;
};

TEST_F(ServicePageTest, IdentifiersPidsAndBitrate)
{
    ASSERT_TRUE(linkOnServicePage({.code = 131, .versionByte = 9}));
    const ServiceSettings &service = panel().model().Service[0];
    const struct
    {
        const char *field;
        const char *typed;
        qint32 ServiceSettings::*member;
        quint32 RecordFields::Service::*recorded;
        qint32 stored;
    } cases[] = {
        // The ranges are checked without the window; here, that each field stores through its own.
        {"serviceIdEdit", "65536", &ServiceSettings::ServiceId, nullptr, 100},
        {"lcnEdit", "7", &ServiceSettings::Lcn, nullptr, 7},
        {"pmtPidEdit", "20", &ServiceSettings::PmtPid, nullptr, 32},
        {"videoPidEdit", "20", &ServiceSettings::VideoPid, nullptr, 33},
        {"audioPidEdit", "9000", &ServiceSettings::AudioPid, nullptr, 9000},
        {"videoBitrateEdit", "15001", &ServiceSettings::VideoBitrate, &RecordFields::Service::VideoBitrate, 9000},
        {"videoBitrateEdit", "500", &ServiceSettings::VideoBitrate, &RecordFields::Service::VideoBitrate, 500},
    };
    for (const auto &c : cases) {
        typeInto(control<QLineEdit>(c.field), QString::fromLatin1(c.typed));
        EXPECT_EQ(service.*c.member, c.stored) << c.field << " " << c.typed;
        const RecordFields record = ReadLayout1(writeNow(), 1);
        ASSERT_FALSE(record.Failed);
        if (c.recorded) {
            EXPECT_EQ(record.Services[0].*c.recorded, quint32(c.stored)) << c.typed;
        }
    }
    const RecordFields::Service record = ReadLayout1(writeNow(), 1).Services[0];
    EXPECT_EQ(record.ServiceId, 100);
    EXPECT_EQ(record.Lcn, 7);
    EXPECT_EQ(record.PmtPid, 32);
    EXPECT_EQ(record.VideoPid, 33);
    EXPECT_EQ(record.AudioPid, 9000);
    // The fields keep what was typed until the page is filled again.
    EXPECT_EQ(control<QLineEdit>("serviceIdEdit")->text(), QStringLiteral("65536"));
    switchPage(CSetting::MultiplexPage);
    switchPage(CSetting::ServicePage);
    EXPECT_EQ(control<QLineEdit>("serviceIdEdit")->text(), QStringLiteral("100"));
}

TEST_F(ServicePageTest, AudioDelayRange)
{
    ASSERT_TRUE(linkOnServicePage({.code = 132, .versionByte = 14}));
    QLineEdit *delay = control<QLineEdit>("delayEdit");
    ASSERT_TRUE(delay->isEnabled());
    const struct
    {
        const char *typed;
        qint32 stored;
        quint16 recorded; // sign and magnitude
    } cases[] = {{"-999", -999, 0x83E7}, {"999", 999, 0x03E7}, {"-1000", 0, 0}};
    for (const auto &c : cases) {
        typeInto(delay, QString::fromLatin1(c.typed));
        EXPECT_EQ(panel().model().Service[0].AudioDelayMs, c.stored) << c.typed;
        EXPECT_EQ(ReadLayout1(writeNow(), 1).Services[0].DelayRaw, c.recorded) << c.typed;
    }
}

TEST_F(ServicePageTest, NoNegativeDelayOnTheIpModel)
{
    ASSERT_TRUE(linkOnServicePage({.code = 192, .versionByte = 15}));
    QLineEdit *delay = control<QLineEdit>("delayEdit");
    ASSERT_TRUE(delay->isEnabled());
    const struct
    {
        const char *typed;
        qint32 stored;
    } cases[] = {{"-5", 0}, {"250", 250}};
    for (const auto &c : cases) {
        typeInto(delay, QString::fromLatin1(c.typed));
        EXPECT_EQ(panel().model().Service[0].AudioDelayMs, c.stored) << c.typed;
        const RecordFields record = ReadLayout3(writeNow());
        ASSERT_FALSE(record.Failed);
        EXPECT_EQ(record.Services[0].DelayRaw, c.stored) << c.typed;
    }
}

TEST_F(ServicePageTest, ApplicationTableEditsAdvanceItsVersion)
{
    ASSERT_TRUE(linkOnServicePage({.code = 132, .versionByte = 14}));
    QCheckBox *ait = control<QCheckBox>("aitCheck");
    QLineEdit *pid = control<QLineEdit>("aitPidEdit");
    ASSERT_TRUE(ait->isEnabled());
    ASSERT_FALSE(ait->isChecked());
    EXPECT_FALSE(pid->isEnabled()) << "the fields follow the switch";
    const qint32 version = panel().model().Service[0].AitVersion;

    ClickButton(ait);
    EXPECT_EQ(panel().model().Service[0].AitEnabled, 1);
    ASSERT_TRUE(pid->isEnabled());
    typeInto(pid, QStringLiteral("20")); // two keystrokes, two edits
    EXPECT_EQ(panel().model().Service[0].AitPid, 100);
    EXPECT_EQ(panel().model().Service[0].AitVersion, version + 3);
    typeInto(control<QLineEdit>("aitOrgIdEdit"), QString());
    EXPECT_EQ(panel().model().Service[0].AitOrgId, 0) << "an organisation id without digits stores 0";
    EXPECT_EQ(panel().model().Service[0].AitVersion, version + 4);

    const RecordFields::Service record = ReadLayout1(writeNow(), 1).Services[0];
    EXPECT_EQ(record.AitEnabled, 1);
    EXPECT_EQ(record.AitPid, 100);
    EXPECT_EQ(record.AitOrgId, 0u);
    EXPECT_EQ(record.AitVersion, quint8(version + 4));

    ClickButton(ait);
    EXPECT_FALSE(pid->isEnabled());
}

class ChannelListTest : public ServicePageTest
{
protected:
    ChannelListTest() { Channels = {{QStringLiteral("News 24"), 101, 5}, {QStringLiteral("Sport"), 7, 12}}; }
    ~ChannelListTest() override { Channels.clear(); }
};

TEST_F(ChannelListTest, ChoosingAChannelFillsNameIdentifierAndLcn)
{
    ASSERT_TRUE(linkOnServicePage({.code = 131, .versionByte = 9}));
    QComboBox *name = control<QComboBox>("serviceNameList");
    ASSERT_EQ(name->count(), 2);
    EXPECT_EQ(name->itemText(0), QStringLiteral("News 24"));
    EXPECT_EQ(name->currentText(), QStringLiteral("SIM SERVICE 1"));

    chooseItem(name, 1);
    EXPECT_EQ(name->currentText(), QStringLiteral("Sport"));
    EXPECT_EQ(control<QLineEdit>("serviceIdEdit")->text(), QStringLiteral("7"));
    EXPECT_EQ(control<QLineEdit>("lcnEdit")->text(), QStringLiteral("12"));
    const ServiceSettings &service = panel().model().Service[0];
    EXPECT_EQ(service.ServiceName, QStringLiteral("Sport"));
    EXPECT_EQ(service.ServiceId, 7);
    EXPECT_EQ(service.Lcn, 12);
    const RecordFields::Service record = ReadLayout1(writeNow(), 1).Services[0];
    EXPECT_EQ(record.Name, QByteArray("Sport"));
    EXPECT_EQ(record.ServiceId, 7);
    EXPECT_EQ(record.Lcn, 12);

    // A typed name is kept as typed, cut to 32 characters, and chooses nothing.
    typeInto(name->lineEdit(), QStringLiteral("News 24 and a name far too long for the field"));
    EXPECT_EQ(service.ServiceName, QStringLiteral("News 24 and a name far too long "));
    EXPECT_EQ(service.ServiceId, 7);
    EXPECT_EQ(name->count(), 2);
}

TEST_F(ChannelListTest, EnterAfterATypedNameChoosesNoChannel)
{
    ASSERT_TRUE(linkOnServicePage({.code = 131, .versionByte = 9}));
    QComboBox *name = control<QComboBox>("serviceNameList");
    typeInto(control<QLineEdit>("serviceIdEdit"), QStringLiteral("500"));
    typeInto(control<QLineEdit>("lcnEdit"), QStringLiteral("3"));
    // The typed name is a channel's, but only a pick from the list takes
    // that channel's identifier and LCN.
    typeInto(name->lineEdit(), QStringLiteral("Sport"));
    name->setFocus();
    QTest::keyClick(name, Qt::Key_Return);
    QTest::keyClick(name->lineEdit(), Qt::Key_Enter);
    const ServiceSettings &service = panel().model().Service[0];
    EXPECT_EQ(service.ServiceName, QStringLiteral("Sport"));
    EXPECT_EQ(service.ServiceId, 500);
    EXPECT_EQ(service.Lcn, 3);
    EXPECT_EQ(control<QLineEdit>("serviceIdEdit")->text(), QStringLiteral("500"));
    EXPECT_EQ(control<QLineEdit>("lcnEdit")->text(), QStringLiteral("3"));

    // Arrow keys step through the list, as a pick does.
    QTest::keyClick(name, Qt::Key_Down);
    EXPECT_EQ(service.ServiceId, 7);
    EXPECT_EQ(service.Lcn, 12);
}

TEST_F(ServicePageTest, TabsFollowTheInputsOfTheServices)
{
    ASSERT_TRUE(linkOnServicePage({.code = 176, .versionByte = 15}));
    OwnerDrawnTabBar *tabs = panel().serviceTabs();
    ASSERT_EQ(tabs->count(), 4);
    ASSERT_TRUE(waitForPoll());
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("M1A 1080i50 PCM"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("M1B 720P50 PCM"));
    EXPECT_EQ(tabs->tabText(2), QStringLiteral("M2A 1080P60 AC3"));
    EXPECT_EQ(tabs->tabText(3), QStringLiteral("M2B 576i50 PCM"));

    // A second later every source moves on; the fourth loses its picture.
    inProcess->device().setStatusOptions({.formatPeriodS = 1});
    ASSERT_TRUE(QTest::qWaitFor([&] { return tabs->tabText(3) == QStringLiteral("M2B"); }, 4000));
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("M1A 720P50 PCM"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("M1B 1080P60 AC3"));
    EXPECT_EQ(tabs->tabText(2), QStringLiteral("M2A 576i50 PCM"));
}

TEST_F(ServicePageTest, EachServiceTabEditsItsOwnService)
{
    ASSERT_TRUE(linkOnServicePage({.code = 176, .versionByte = 15}));
    clickTab(panel().serviceTabs(), 3);
    ASSERT_EQ(panel().CurrentService, 3);
    EXPECT_EQ(control<QComboBox>("serviceNameList")->currentText(), QStringLiteral("SIM SERVICE 4"));
    typeInto(control<QComboBox>("serviceNameList")->lineEdit(), QStringLiteral("Fourth"));
    typeInto(control<QLineEdit>("lcnEdit"), QStringLiteral("0"));
    typeInto(control<QLineEdit>("videoBitrateEdit"), QStringLiteral("15000"));
    const RecordFields record = ReadLayout2(writeNow(), 2, 4);
    ASSERT_FALSE(record.Failed);
    EXPECT_EQ(record.Services[3].Name, QByteArray("Fourth"));
    EXPECT_EQ(record.Services[3].Lcn, 801);
    EXPECT_EQ(record.Services[3].VideoBitrate, 15000u);
    EXPECT_EQ(record.Services[0].Name, QByteArray("SIM SERVICE 1"));
    EXPECT_EQ(record.Services[2].Lcn, 3);
}

TEST_F(ServicePageTest, HdLcnAndEventTextsOnTheFirstModel)
{
    ASSERT_TRUE(linkOnServicePage({.code = 121, .versionByte = 42}));
    ASSERT_TRUE(control<QLineEdit>("hdLcnEdit")->isEnabled());
    typeInto(control<QLineEdit>("hdLcnEdit"), QStringLiteral("0"));
    EXPECT_EQ(panel().model().HdLcn, 1);
    typeInto(control<QLineEdit>("eitNameEdit"), QString(45, u'e'));
    EXPECT_EQ(panel().model().Service[0].EitName, QString(40, u'e'));
    const RecordFields record = ReadLayout0(writeNow());
    ASSERT_FALSE(record.Failed);
    EXPECT_EQ(record.HdLcn, 1);
}

struct ServiceRow
{
    int code;
    int versionByte;
    int tabs;
    bool hdLcnAndEit, lcn, delay, videoPercent, aitSwitch, inputs;
    QStringList videoCodecs;
    QStringList audioCodecs;
};

TEST_F(ServicePageTest, ControlsFollowTheHardware)
{
    const QStringList h264{"H264"};
    const QStringList bothAudio{"AAC-LC", "MPEG1-L2"};
    const ServiceRow rows[] = {
        // code ver tabs  hd/eit lcn   delay  share  ait    inputs
        {121, 42, 1, true, true, false, false, false, true, {"H264", "MPEG2-SD", "MPEG2"}, bothAudio},
        {131, 9, 1, false, true, false, false, false, false, h264, bothAudio},
        {132, 14, 1, false, true, true, false, true, false, h264, bothAudio},
        {142, 6, 2, false, true, false, true, false, false, h264, bothAudio},
        {142, 7, 2, false, true, true, true, false, false, h264, bothAudio},
        {156, 4, 1, false, false, true, false, true, false, h264, bothAudio},
        {157, 9, 2, false, true, true, true, false, false, h264, bothAudio},
        {176, 15, 4, false, true, false, false, false, false, h264, bothAudio},
        {192, 15, 1, false, true, true, false, false, false, {"H264", "H265"}, {"AAC-LC"}},
    };
    for (const ServiceRow &row : rows) {
        SCOPED_TRACE(row.code * 1000 + row.versionByte);
        window.reset();
        ASSERT_TRUE(linkOnServicePage({.code = row.code, .versionByte = row.versionByte}));
        EXPECT_EQ(panel().serviceTabs()->count(), row.tabs);
        EXPECT_EQ(control<QLineEdit>("hdLcnEdit")->isEnabled(), row.hdLcnAndEit);
        EXPECT_EQ(control<QLineEdit>("eitTextEdit")->isEnabled(), row.hdLcnAndEit);
        EXPECT_EQ(control<QLineEdit>("lcnEdit")->isEnabled(), row.lcn);
        EXPECT_EQ(control<QLineEdit>("delayEdit")->isEnabled(), row.delay);
        EXPECT_EQ(control<QLineEdit>("videoPercentEdit")->isEnabled(), row.videoPercent);
        EXPECT_EQ(control<QCheckBox>("aitCheck")->isEnabled(), row.aitSwitch);
        EXPECT_EQ(control<QComboBox>("videoInputList")->isEnabled(), row.inputs);
        EXPECT_EQ(control<QComboBox>("audioInputList")->isEnabled(), row.inputs);
        EXPECT_TRUE(control<QComboBox>("videoCodecList")->isEnabled());
        QComboBox *video = control<QComboBox>("videoCodecList");
        QComboBox *audio = control<QComboBox>("audioCodecList");
        QStringList videoItems, audioItems;
        for (int i = 0; i < video->count(); ++i)
            videoItems << video->itemText(i);
        for (int i = 0; i < audio->count(); ++i)
            audioItems << audio->itemText(i);
        EXPECT_EQ(videoItems, row.videoCodecs);
        EXPECT_EQ(audioItems, row.audioCodecs);
        EXPECT_EQ(control<QComboBox>("audioBitrateList")->itemText(3), QStringLiteral("320  Kb/s"));
        if (row.tabs > 1) {
            // The application table is the first service's only.
            clickTab(panel().serviceTabs(), 1);
            EXPECT_FALSE(control<QCheckBox>("aitCheck")->isEnabled());
        }
    }
}

TEST_F(ServicePageTest, SharesTheOriginOfTheOtherPages)
{
    ASSERT_TRUE(linkOnServicePage({.code = 157, .versionByte = 9}));
    // Both pages sit just below the page tabs.
    EXPECT_EQ(panel().page(CSetting::ServicePage)->geometry().topLeft(), panel().page(CSetting::MultiplexPage)->geometry().topLeft());
}

} // namespace
