// The MULTIPLEX page in the real window, linked to a simulated device:
// typed values reach the model and, after the write, the device's record;
// controls follow the hardware and the output kind.

#include "layoutrecords.h"
#include "guitestsupport.h"
#include "pagetest.h"

#include "auxiliary/texttable.h"
#include "panel/gui/csetting.h"
#include "panel/gui/ownerdrawntabbar.h"
#include "panel/gui/settingspage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class MultiplexPageTest : public PageTest
{
};

// A point on the slider's groove, a little before its far end.
QPoint GrooveNearEnd(const QSlider &slider)
{
    QStyleOptionSlider option;
    option.initFrom(&slider);
    option.subControls = QStyle::SC_All;
    option.orientation = slider.orientation();
    option.minimum = slider.minimum();
    option.maximum = slider.maximum();
    option.sliderPosition = slider.sliderPosition();
    option.sliderValue = slider.value();
    option.tickPosition = slider.tickPosition();
    option.tickInterval = slider.tickInterval();
    const QRect groove = slider.style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, &slider);
    return QPoint(groove.right() - 3, groove.center().y());
}

struct TypedCase
{
    const char *typed;
    qint32 stored;
};

TEST_F(MultiplexPageTest, FrequencyWithinTheVhfUhfBand)
{
    ASSERT_TRUE(linkInProcess({.code = 131, .versionByte = 9}));
    QLineEdit *frequency = control<QLineEdit>("frequencyEdit");
    // The range itself is checked without the window; here, that the field stores through it.
    const TypedCase cases[] = {{"862000", 862000}, {"862001", 474000}};
    for (const TypedCase &c : cases) {
        typeInto(frequency, QString::fromLatin1(c.typed));
        EXPECT_EQ(panel().model().Mux[0].FreqKHz, c.stored) << c.typed;
        EXPECT_EQ(panel().model().CommitCountdown, 10);
        const RecordFields record = ReadLayout1(writeNow(), 1);
        ASSERT_FALSE(record.Failed);
        EXPECT_EQ(record.Muxes[0].FreqKHz, quint32(c.stored)) << c.typed;
        // The field keeps what was typed until the page is filled again.
        EXPECT_EQ(frequency->text(), QString::fromLatin1(c.typed));
    }
    switchPage(CSetting::ServicePage);
    switchPage(CSetting::MultiplexPage);
    EXPECT_EQ(frequency->text(), QStringLiteral("474000"));
}

TEST_F(MultiplexPageTest, FrequencyAndSymbolRateOfTheSatelliteModel)
{
    ASSERT_TRUE(linkInProcess({.code = 156, .versionByte = 4}));
    EXPECT_TRUE(control<QRadioButton>("dvbSRadio")->isChecked());
    const TypedCase frequencies[] = {{"1150000", 1150000}, {"474000", 960000}};
    for (const TypedCase &c : frequencies) {
        typeInto(control<QLineEdit>("frequencyEdit"), QString::fromLatin1(c.typed));
        EXPECT_EQ(panel().model().Mux[0].FreqKHz, c.stored) << c.typed;
        EXPECT_EQ(ReadLayout1(writeNow(), 1).Muxes[0].FreqKHz, quint32(c.stored)) << c.typed;
    }
    const TypedCase symbolRates[] = {{"2500", 2500}, {"2499", 22000}};
    for (const TypedCase &c : symbolRates) {
        typeInto(control<QLineEdit>("symbolRateEdit"), QString::fromLatin1(c.typed));
        EXPECT_EQ(panel().model().Mux[0].SymbolRate, c.stored) << c.typed;
        EXPECT_EQ(ReadLayout1(writeNow(), 1).Muxes[0].SymbolRate, quint32(c.stored)) << c.typed;
    }
}

TEST_F(MultiplexPageTest, SymbolRateOfACableOutput)
{
    ASSERT_TRUE(linkInProcess({.code = 147, .versionByte = 9}));
    ClickButton(control<QRadioButton>("dvbCRadio"));
    EXPECT_EQ(panel().model().Mux[0].Mode, 2);
    const TypedCase cases[] = {{"6960", 6960}, {"6961", 6875}};
    for (const TypedCase &c : cases) {
        typeInto(control<QLineEdit>("symbolRateEdit"), QString::fromLatin1(c.typed));
        EXPECT_EQ(panel().model().Mux[0].SymbolRate, c.stored) << c.typed;
        const RecordFields record = ReadLayout1(writeNow(), 1);
        EXPECT_NE(record.Muxes[0].ModeByte, 0) << "the record says DVB-C";
        EXPECT_EQ(record.Muxes[0].SymbolRate, quint32(c.stored)) << c.typed;
    }
}

TEST_F(MultiplexPageTest, NetworkAndStreamIdentifiers)
{
    ASSERT_TRUE(linkInProcess({.code = 131, .versionByte = 9}));
    typeInto(control<QLineEdit>("nitVersionEdit"), QStringLiteral("32"));
    typeInto(control<QLineEdit>("networkIdEdit"), QStringLiteral("65535"));
    typeInto(control<QLineEdit>("originalNetworkIdEdit"), QStringLiteral("65535"));
    typeInto(control<QLineEdit>("tsIdEdit"), QStringLiteral("65535"));
    RecordFields record = ReadLayout1(writeNow(), 1);
    EXPECT_EQ(record.NitVersion, 32);
    EXPECT_EQ(record.NetworkId, 65535);
    EXPECT_EQ(record.OriginalNetworkId, 65535);
    EXPECT_EQ(record.Muxes[0].TsId, 65535);

    typeInto(control<QLineEdit>("nitVersionEdit"), QStringLiteral("33"));
    typeInto(control<QLineEdit>("networkIdEdit"), QStringLiteral("65536"));
    typeInto(control<QLineEdit>("originalNetworkIdEdit"), QStringLiteral("65536"));
    typeInto(control<QLineEdit>("tsIdEdit"), QStringLiteral("65536"));
    typeInto(control<QLineEdit>("networkNameEdit"), QStringLiteral("A network name longer than thirty-two"));
    const ConfigModel &model = panel().model();
    EXPECT_EQ(model.NitVersion, 1);
    EXPECT_EQ(model.NetworkId, 100);
    EXPECT_EQ(model.OriginalNetworkId, 8442);
    EXPECT_EQ(model.Mux[0].TsId, 8442);
    record = ReadLayout1(writeNow(), 1);
    EXPECT_EQ(record.NitVersion, 1);
    EXPECT_EQ(record.NetworkId, 100);
    EXPECT_EQ(record.OriginalNetworkId, 8442);
    EXPECT_EQ(record.Muxes[0].TsId, 8442);
    EXPECT_EQ(record.NetworkName, QByteArray("A network name longer than thirt"));
}

TEST_F(MultiplexPageTest, IpOutputTimeToLiveAndPort)
{
    ASSERT_TRUE(linkInProcess({.code = 121, .versionByte = 42}));
    QLineEdit *ttl = control<QLineEdit>("ttlEdit");
    EXPECT_FALSE(ttl->isEnabled()) << "TTL belongs to the IP output";
    ClickButton(control<QRadioButton>("ipRadio"));
    EXPECT_EQ(panel().model().Mux[0].Mode, 0);
    ASSERT_TRUE(ttl->isEnabled());
    EXPECT_FALSE(control<QLineEdit>("frequencyEdit")->isEnabled());

    const TypedCase ttls[] = {{"0", 128}, {"1", 1}};
    for (const TypedCase &c : ttls) {
        typeInto(ttl, QString::fromLatin1(c.typed));
        EXPECT_EQ(panel().model().Ttl, c.stored) << c.typed;
        const RecordFields record = ReadLayout0(writeNow());
        ASSERT_FALSE(record.Failed);
        EXPECT_EQ(record.Ttl, c.stored) << c.typed;
        EXPECT_EQ(record.Muxes[0].ModeByte, 0);
    }
    const TypedCase ports[] = {{"65536", 5004}, {"1234", 1234}};
    for (const TypedCase &c : ports) {
        typeInto(control<QLineEdit>("ipPortEdit"), QString::fromLatin1(c.typed));
        EXPECT_EQ(panel().model().Service[0].IpPort, c.stored) << c.typed;
        EXPECT_EQ(ReadLayout0(writeNow()).Services[0].IpPort, c.stored) << c.typed;
    }
    typeInto(control<QLineEdit>("ipAddressEdit"), QStringLiteral("239.100.200.250:99"));
    EXPECT_EQ(ReadLayout0(writeNow()).Services[0].IpAddress, QByteArray("239.100.200.250:"));
}

TEST_F(MultiplexPageTest, IpBesideRfOffersRtpFirstAndStaysEditable)
{
    ASSERT_TRUE(linkInProcess({.code = 192, .versionByte = 15}));
    QComboBox *protocols = control<QComboBox>("ipProtocolList");
    ASSERT_EQ(protocols->count(), 4);
    EXPECT_EQ(protocols->itemText(0), QStringLiteral("RTP"));
    EXPECT_EQ(protocols->itemText(3), QStringLiteral("HLS"));
    EXPECT_FALSE(control<QRadioButton>("ipRadio")->isVisible());
    EXPECT_TRUE(control<QLabel>("ipLabel")->isVisible());
    EXPECT_NE(panel().model().Mux[0].Mode, 0);
    EXPECT_TRUE(protocols->isEnabled()) << "whatever the output kind";

    typeInto(control<QLineEdit>("ipPortEdit"), QStringLiteral("65536"));
    EXPECT_EQ(panel().model().Service[0].IpPort, 5004);
    typeInto(control<QLineEdit>("ipPortEdit"), QStringLiteral("6000"));
    EXPECT_EQ(ReadLayout3(writeNow()).Services[0].IpPort, 6000);

    chooseItem(protocols, 2); // RTSP: the device serves the stream itself
    EXPECT_EQ(panel().model().IpProtocol, 2);
    EXPECT_FALSE(control<QLineEdit>("ipAddressEdit")->isEnabled());
    EXPECT_FALSE(control<QLineEdit>("ipPortEdit")->isEnabled());
    chooseItem(protocols, 1);
    EXPECT_TRUE(control<QLineEdit>("ipPortEdit")->isEnabled());
}

TEST_F(MultiplexPageTest, IpProtocolsAreRebuiltForEachDeviceLinked)
{
    ASSERT_TRUE(linkInProcess({.code = 192, .versionByte = 15}));
    QComboBox *protocols = control<QComboBox>("ipProtocolList");
    ASSERT_EQ(protocols->itemText(0), QStringLiteral("RTP"));

    // The same window links another model.
    panel().DeactivatePanel();
    auto second = std::make_unique<InProcessDevice>(InProcessDevice::Options{.code = 121, .versionByte = 42});
    second->plugInto(xmit);
    xmit.ListSerialPorts = [path = second->portPath()] { return QStringList{path}; };
    ASSERT_NE(xmit.ConnectDevice(), 0);
    ASSERT_TRUE(panel().ActivatePanel());
    ASSERT_EQ(protocols->count(), 2);
    EXPECT_EQ(protocols->itemText(0), QStringLiteral("UDP"));
    EXPECT_EQ(protocols->itemText(1), QStringLiteral("RTP"));
    EXPECT_TRUE(control<QRadioButton>("ipRadio")->isVisible());
    EXPECT_FALSE(control<QLabel>("ipLabel")->isVisible());
    EXPECT_EQ(control<QSlider>("levelSlider")->maximum(), 29);
    panel().DeactivatePanel();
}

struct HardwareRow
{
    int code;
    bool dvbT, dvbC, dvbS;
    bool ipEnabled;      // only a FULL unit, and only layout 0 carries the type
    bool ipRadioShown;   // else the "IP :" label
    bool lcnCountry;
    bool networkIdsShown;
    bool lcnIdShown;
    bool bitrateShown;
    int levelMax;
};

TEST_F(MultiplexPageTest, ControlsFollowTheHardware)
{
    const HardwareRow rows[] = {
        // code  T      C      S      IP     radio  country ids    lcnId  bitrate level
        {121, true, true, false, true, true, false, true, true, false, 29},
        {131, true, false, false, false, true, false, true, true, false, 15},
        {147, true, true, false, false, true, false, true, true, false, 15},
        {156, false, false, true, false, true, false, true, false, false, 15},
        {158, true, true, false, false, true, true, false, false, false, 15},
        {176, true, true, false, false, true, true, false, false, true, 15},
        {178, true, true, false, false, true, true, false, false, true, 15},
        {192, true, true, false, false, false, true, false, false, false, 15},
    };
    for (const HardwareRow &row : rows) {
        SCOPED_TRACE(row.code);
        window.reset();
        ASSERT_TRUE(linkInProcess({.code = row.code, .versionByte = 15}));
        EXPECT_EQ(control<QRadioButton>("dvbTRadio")->isEnabled(), row.dvbT);
        EXPECT_EQ(control<QRadioButton>("dvbCRadio")->isEnabled(), row.dvbC);
        EXPECT_EQ(control<QRadioButton>("dvbSRadio")->isEnabled(), row.dvbS);
        EXPECT_EQ(control<QRadioButton>("ipRadio")->isEnabled(), row.ipEnabled);
        EXPECT_EQ(control<QRadioButton>("ipRadio")->isVisible(), row.ipRadioShown);
        EXPECT_EQ(control<QLabel>("ipLabel")->isVisible(), !row.ipRadioShown);
        EXPECT_EQ(control<QComboBox>("lcnCountryList")->isEnabled(), row.lcnCountry);
        EXPECT_EQ(control<QLineEdit>("networkIdEdit")->isVisible(), row.networkIdsShown);
        EXPECT_EQ(control<QLineEdit>("originalNetworkIdEdit")->isVisible(), row.networkIdsShown);
        EXPECT_EQ(control<QComboBox>("lcnIdTypeList")->isVisible(), row.lcnIdShown);
        EXPECT_EQ(control<QLabel>("lcnIdTypeLabel")->isVisible(), row.lcnIdShown);
        EXPECT_EQ(control<QLabel>("bitrateText")->isVisible(), row.bitrateShown);
        EXPECT_EQ(control<QProgressBar>("bitrateBar")->isVisible(), row.bitrateShown);
        EXPECT_EQ(control<QSlider>("levelSlider")->maximum(), row.levelMax);
        EXPECT_FALSE(control<QCheckBox>("dhcpCheck")->isEnabled()) << "DHCP only in the advanced modes";
        EXPECT_EQ(panel().muxTabs()->count(), row.code == 176 ? 2 : 1);
        EXPECT_EQ(panel().muxTabs()->tabText(0).left(2), QStringLiteral("M1"));
    }
}

TEST_F(MultiplexPageTest, DeviceAddressOfTheFirstModelInAdvancedMode)
{
    startup.AdvancedMode = 1;
    ASSERT_TRUE(linkInProcess({.code = 121, .versionByte = 42}));
    QCheckBox *dhcp = control<QCheckBox>("dhcpCheck");
    ASSERT_TRUE(dhcp->isEnabled());
    ASSERT_TRUE(dhcp->isChecked());
    EXPECT_FALSE(control<QLineEdit>("deviceIpEdit")->isEnabled());
    ClickButton(dhcp);
    EXPECT_EQ(panel().model().Dhcp, 0);
    ASSERT_TRUE(control<QLineEdit>("deviceIpEdit")->isEnabled());
    typeInto(control<QLineEdit>("deviceIpEdit"), QStringLiteral("10.1.2.3"));
    EXPECT_EQ(panel().model().DeviceIp, QStringLiteral("10.1.2.3"));
}

TEST_F(MultiplexPageTest, OutputKindSwitchesTheModulationControls)
{
    ASSERT_TRUE(linkInProcess({.code = 158, .versionByte = 15}));
    QComboBox *tConstellation = control<QComboBox>("dvbTConstellationList");
    QComboBox *cConstellation = control<QComboBox>("dvbCConstellationList");
    EXPECT_TRUE(tConstellation->isVisible());
    EXPECT_FALSE(cConstellation->isVisible());
    EXPECT_FALSE(control<QLineEdit>("symbolRateEdit")->isEnabled());
    EXPECT_TRUE(control<QComboBox>("guardList")->isEnabled());

    ClickButton(control<QRadioButton>("dvbCRadio"));
    EXPECT_EQ(panel().model().Mux[0].Mode, 2);
    EXPECT_FALSE(tConstellation->isVisible());
    EXPECT_TRUE(cConstellation->isVisible());
    EXPECT_TRUE(cConstellation->isEnabled());
    EXPECT_TRUE(control<QLineEdit>("symbolRateEdit")->isEnabled());
    EXPECT_FALSE(control<QComboBox>("guardList")->isEnabled());
    EXPECT_FALSE(control<QComboBox>("codeRateList")->isEnabled());
    EXPECT_TRUE(control<QComboBox>("bandwidthList")->isEnabled());
    EXPECT_NE(ReadLayout1(writeNow(), 1).Muxes[0].ModeByte, 0);

    ClickButton(control<QRadioButton>("dvbTRadio"));
    EXPECT_EQ(panel().model().Mux[0].Mode, 1);
    EXPECT_TRUE(tConstellation->isVisible());
    EXPECT_FALSE(cConstellation->isVisible());
    EXPECT_EQ(ReadLayout1(writeNow(), 1).Muxes[0].ModeByte, 0);
}

TEST_F(MultiplexPageTest, ACountryHidesTheNetworkIdentifiers)
{
    ASSERT_TRUE(linkInProcess({.code = 158, .versionByte = 15}));
    QComboBox *country = control<QComboBox>("lcnCountryList");
    ASSERT_EQ(country->count(), 28);
    EXPECT_FALSE(control<QLineEdit>("networkIdEdit")->isVisible());
    chooseItem(country, 27);
    EXPECT_EQ(panel().model().LcnCountry, 27);
    EXPECT_TRUE(control<QLineEdit>("networkIdEdit")->isVisible());
    EXPECT_TRUE(control<QLineEdit>("originalNetworkIdEdit")->isVisible());
    EXPECT_TRUE(control<QComboBox>("lcnIdTypeList")->isVisible());
    chooseItem(country, 5);
    EXPECT_EQ(panel().model().LcnCountry, 5);
    EXPECT_FALSE(control<QLineEdit>("networkIdEdit")->isVisible());
    EXPECT_FALSE(control<QComboBox>("lcnIdTypeList")->isVisible());
}

TEST_F(MultiplexPageTest, LevelCommitsWhenTheMouseLetsTheSliderGo)
{
    ASSERT_TRUE(linkInProcess({.code = 131, .versionByte = 9}));
    QSlider *slider = control<QSlider>("levelSlider");
    QLabel *level = control<QLabel>("levelText");
    ASSERT_EQ(slider->value(), 0);
    EXPECT_EQ(level->text(), QStringLiteral("0dB"));

    // Keys move the slider but commit nothing...
    slider->setFocus();
    for (int step = 0; step < 3; ++step)
        QTest::keyClick(slider, Qt::Key_Right);
    EXPECT_EQ(slider->value(), 3);
    EXPECT_EQ(panel().model().Mux[0].LevelAttDb, 0);
    EXPECT_EQ(level->text(), QStringLiteral("0dB"));
    // ... until another control of the page commits.
    typeInto(control<QLineEdit>("tsIdEdit"), QStringLiteral("7"));
    EXPECT_EQ(panel().model().Mux[0].LevelAttDb, 3);
    EXPECT_EQ(level->text(), QStringLiteral("3dB"));

    // A click on the groove near its end pages the handle towards it.
    const QPoint nearEnd = GrooveNearEnd(*slider);
    QTest::mousePress(slider, Qt::LeftButton, {}, nearEnd);
    EXPECT_EQ(panel().model().Mux[0].LevelAttDb, 3);
    QTest::mouseRelease(slider, Qt::LeftButton, {}, nearEnd);
    ASSERT_GT(slider->value(), 3);
    EXPECT_EQ(panel().model().Mux[0].LevelAttDb, slider->value());
    EXPECT_EQ(level->text(), QStringLiteral("%1dB").arg(slider->value()));
    EXPECT_EQ(ReadLayout1(writeNow(), 1).Muxes[0].LevelAttDb, slider->value());
}

TEST_F(MultiplexPageTest, EachMultiplexTabEditsItsOwnOutput)
{
    ASSERT_TRUE(linkInProcess({.code = 176, .versionByte = 15}));
    clickTab(panel().muxTabs(), 1);
    ASSERT_EQ(panel().CurrentMux, 1);
    EXPECT_EQ(control<QLineEdit>("frequencyEdit")->text(), QStringLiteral("482000"));
    typeInto(control<QLineEdit>("frequencyEdit"), QStringLiteral("858000"));
    ClickButton(control<QRadioButton>("dvbCRadio"));
    // The output kind rebuilds the tabs; the multiplex shown stays selected.
    EXPECT_EQ(panel().muxTabs()->currentIndex(), 1);
    EXPECT_EQ(panel().CurrentMux, 1);
    EXPECT_EQ(panel().model().Mux[1].FreqKHz, 858000);
    EXPECT_EQ(panel().model().Mux[0].FreqKHz, 474000);
    const RecordFields record = ReadLayout2(writeNow(), 2, 4);
    ASSERT_FALSE(record.Failed);
    EXPECT_EQ(record.Muxes[0].FreqKHz, 474000u);
    EXPECT_EQ(record.Muxes[1].FreqKHz, 858000u);
    EXPECT_EQ(record.Muxes[0].ModeByte, 0);
    EXPECT_EQ(record.Muxes[1].ModeByte, 1);

    // Each tab shows the constellation list of its own output kind.
    clickTab(panel().muxTabs(), 0);
    EXPECT_EQ(control<QLineEdit>("frequencyEdit")->text(), QStringLiteral("474000"));
    EXPECT_TRUE(control<QComboBox>("dvbTConstellationList")->isVisible());
    EXPECT_FALSE(control<QComboBox>("dvbCConstellationList")->isVisible());
    clickTab(panel().muxTabs(), 1);
    EXPECT_FALSE(control<QComboBox>("dvbTConstellationList")->isVisible());
    EXPECT_TRUE(control<QComboBox>("dvbCConstellationList")->isVisible());
}

TEST_F(MultiplexPageTest, BitrateInUseReadsInitUntilTheDeviceKnowsIt)
{
    for (int code : {176, 178}) {
        SCOPED_TRACE(code);
        window.reset();
        ASSERT_TRUE(linkInProcess({.code = code, .versionByte = 15}));
        inProcess->device().setStatusOptions({.bitrateSettleS = 3600});
        ASSERT_TRUE(waitForPoll());
        OwnerDrawnTabBar *tabs = panel().muxTabs();
        QLabel *text = control<QLabel>("bitrateText");
        EXPECT_EQ(tabs->tabText(0), QStringLiteral("M1 (Init...)"));
        EXPECT_EQ(text->text(), QStringLiteral("Init..."));
        EXPECT_EQ(control<QProgressBar>("bitrateBar")->maximum(), 100);

        inProcess->device().setStatusOptions({});
        ASSERT_TRUE(waitForPoll());
        EXPECT_EQ(tabs->tabText(0), QStringLiteral("M1"));
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+/31668 Kb/s$")).match(text->text()).hasMatch())
            << text->text().toStdString();
        EXPECT_EQ(control<QProgressBar>("bitrateBar")->maximum(), 31668);
        if (code == 176) {
            EXPECT_EQ(tabs->tabText(1), QStringLiteral("M2"));
            clickTab(tabs, 1);
            ASSERT_TRUE(waitForPoll());
            EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d+/24128 Kb/s$")).match(text->text()).hasMatch())
                << text->text().toStdString();
        }
    }
}

TEST_F(MultiplexPageTest, CaptionsInTheLanguageOfTheRun)
{
    struct French
    {
        French() { LanguageIndex = 1; }
        ~French() { LanguageIndex = 0; }
    } french;
    inProcess = std::make_unique<InProcessDevice>(InProcessDevice::Options{.code = 131, .versionByte = 9});
    inProcess->plugInto(xmit);
    open({inProcess->portPath()});
    ASSERT_TRUE(waitForStatusText(QStringLiteral("Matériel connecté")));
    EXPECT_EQ(control<QLabel>("frequencyLabel")->text(), QStringLiteral("Fréq. (kHz) :"));
    EXPECT_EQ(control<QLabel>("bandwidthLabel")->text(), QStringLiteral("L. Bande :"));
    EXPECT_EQ(control<QLabel>("levelLabel")->text(), QStringLiteral("Niveau Att. :"));
    EXPECT_EQ(control<QLabel>("networkLabel")->text(), QStringLiteral("Réseau"));
    EXPECT_EQ(control<QLabel>("symbolRateLabel")->text(), QStringLiteral("Débit Sym. :"));
    EXPECT_EQ(control<QLabel>("ipAddressLabel")->text(), QStringLiteral("Adresse :"));
    EXPECT_EQ(control<QLabel>("lcnIdTypeLabel")->text(), QStringLiteral("LCN Id. :"));
    EXPECT_EQ(control<QLabel>("serviceNameLabel")->text(), QStringLiteral("Nom :"));
    EXPECT_EQ(control<QLabel>("eitTextLabel")->text(), QStringLiteral("Texte :"));
    EXPECT_EQ(control<QLabel>("ttlLabel")->text(), QStringLiteral("TTL :"));
}

} // namespace
