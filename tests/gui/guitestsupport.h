#pragma once

#include <QString>

class QWidget;

// Saves a PNG of the widget under build/screenshots/NAME.png.
void SaveScreenshot(QWidget &widget, const QString &name);
