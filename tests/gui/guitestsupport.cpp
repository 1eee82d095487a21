#include "guitestsupport.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPixmap>
#include <QTest>
#include <QWidget>

void SaveScreenshot(QWidget &widget, const QString &name)
{
    QDir().mkpath(QStringLiteral(RERUDAD_SCREENSHOT_DIR));
    widget.grab().save(QDir(QStringLiteral(RERUDAD_SCREENSHOT_DIR)).filePath(name + QStringLiteral(".png")));
}

QString CloseActiveMessageBox(int timeoutMs)
{
    QMessageBox *box = nullptr;
    const bool opened = QTest::qWaitFor([&] {
        box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        return box != nullptr;
    }, timeoutMs);
    if (!opened)
        return {};
    const QString text = box->text();
    box->accept();
    return text;
}
