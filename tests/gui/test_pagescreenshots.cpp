// Pictures of the MULTIPLEX and SERVICE pages linked to a simulated device,
// for a look by eye at the layout: one service on code 131, two multiplexes
// with four services on code 176.

#include "guitestsupport.h"
#include "linkedwindow.h"

#include "panel/gui/csetting.h"
#include "panel/gui/ownerdrawntabbar.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {

class PageScreenshots : public LinkedWindowTest
{
protected:
    // Shows a page after the first status poll reached the tabs.
    void showAfterFirstPoll(int page)
    {
        ASSERT_TRUE(QTest::qWaitFor([&] { return commands().contains(QStringLiteral("CMD_GET_STATUS")); }, 5000));
        QTest::qWait(50);
        OwnerDrawnTabBar &tabs = *panel().pageTabs();
        QTest::mouseClick(&tabs, Qt::LeftButton, {}, tabs.tabRect(page).center());
        ASSERT_EQ(panel().CurrentPage, page);
    }
};

TEST_F(PageScreenshots, OneServiceCode)
{
    ASSERT_TRUE(linkInProcess({.code = 131, .versionByte = 9}));
    showAfterFirstPoll(CSetting::MultiplexPage);
    SaveScreenshot(*window, QStringLiteral("multiplex-page-131"));
    showAfterFirstPoll(CSetting::ServicePage);
    SaveScreenshot(*window, QStringLiteral("service-page-131"));
}

TEST_F(PageScreenshots, TwoMultiplexesFourServices)
{
    ASSERT_TRUE(linkInProcess({.code = 176, .versionByte = 15}));
    showAfterFirstPoll(CSetting::MultiplexPage);
    SaveScreenshot(*window, QStringLiteral("multiplex-page-176"));
    showAfterFirstPoll(CSetting::ServicePage);
    SaveScreenshot(*window, QStringLiteral("service-page-176"));
}

} // namespace
