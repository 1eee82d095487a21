#include "gui/dialogunits.h"

#include <QFontMetrics>
#include <QWidget>

DialogUnits::DialogUnits(const QWidget &widget)
{
    const QFontMetrics metrics(widget.font());
    // Windows measures the average width over the alphabet, rounded.
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    m_baseWidth = (metrics.horizontalAdvance(alphabet) / 26 + 1) / 2;
    m_baseHeight = metrics.height();
}

void DialogUnits::place(QWidget &child, int left, int top, int width, int height) const
{
    child.setGeometry(rect(left, top, width, height));
}
