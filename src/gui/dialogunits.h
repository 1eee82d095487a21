#pragma once

#include <QRect>

class QWidget;

// Converts the window layouts' dialog units into pixels with the base units
// of the dialog font: x * averageCharWidth / 4, y * charHeight / 8.
class DialogUnits
{
public:
    explicit DialogUnits(const QWidget &widget);
    DialogUnits(int baseWidth, int baseHeight) : m_baseWidth(baseWidth), m_baseHeight(baseHeight) {}

    int x(int units) const { return units * m_baseWidth / 4; }
    int y(int units) const { return units * m_baseHeight / 8; }
    QRect rect(int left, int top, int width, int height) const
    {
        return QRect(x(left), y(top), x(width), y(height));
    }

    // Places a child where the layout says.
    void place(QWidget &child, int left, int top, int width, int height) const;

private:
    int m_baseWidth;
    int m_baseHeight;
};
