#include "pagetest.h"

#include "panel/gui/csetting.h"
#include "panel/gui/ownerdrawntabbar.h"
#include "panel/gui/settingspage.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

QWidget *PageTest::findControl(const char *name) const
{
    return panel().findChild<QWidget *>(QLatin1String(name));
}

void PageTest::typeInto(QLineEdit *edit, const QString &text)
{
    ASSERT_TRUE(edit);
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Backspace);
    else
        QTest::keyClicks(edit, text);
}

void PageTest::chooseItem(QComboBox *box, int index)
{
    ASSERT_TRUE(box);
    ASSERT_LT(index, box->count());
    box->showPopup();
    QAbstractItemView *list = box->view();
    list->setCurrentIndex(box->model()->index(index, box->modelColumn()));
    QTest::keyClick(list->viewport(), Qt::Key_Return);
    box->hidePopup();
}

void PageTest::clickTab(QWidget *tabs, int index)
{
    auto *strip = qobject_cast<OwnerDrawnTabBar *>(tabs);
    ASSERT_TRUE(strip);
    QTest::mouseClick(strip, Qt::LeftButton, {}, strip->tabRect(index).center());
}

void PageTest::switchPage(int page)
{
    clickTab(panel().pageTabs(), page);
}

QByteArray PageTest::writeNow()
{
    panel().model().CommitCountdown = 1;
    panel().synchronizer().PanelTimerTick(false);
    return inProcess ? inProcess->device().configRecord() : QByteArray();
}

bool PageTest::waitForPoll()
{
    const qsizetype polls = commands().count(QStringLiteral("CMD_GET_STATUS"));
    // The in-process device answers within the panel's tick: once the poll
    // is logged, its reply has reached the pages.
    return QTest::qWaitFor([&] { return commands().count(QStringLiteral("CMD_GET_STATUS")) > polls; }, 5000);
}
