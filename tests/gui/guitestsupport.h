#pragma once

#include <QString>

class QWidget;

// Saves a PNG of the widget under build/screenshots/NAME.png.
void SaveScreenshot(QWidget &widget, const QString &name);

// Waits for a message box to open, presses its OK button and returns its text.
QString CloseActiveMessageBox(int timeoutMs = 10000);
