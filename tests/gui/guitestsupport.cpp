#include "guitestsupport.h"

#include <QDir>
#include <QPixmap>
#include <QWidget>

void SaveScreenshot(QWidget &widget, const QString &name)
{
    QDir().mkpath(QStringLiteral(RERUDAD_SCREENSHOT_DIR));
    widget.grab().save(QDir(QStringLiteral(RERUDAD_SCREENSHOT_DIR)).filePath(name + QStringLiteral(".png")));
}
