#include "gui/widgetprompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace {

QMessageBox::Icon BoxIcon(PromptIcon icon)
{
    switch (icon) {
    case PromptIcon::Warning:
        return QMessageBox::Warning;
    case PromptIcon::Error:
        return QMessageBox::Critical;
    case PromptIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

PromptAnswer WidgetPrompts::ShowMessage(const MessagePrompt &prompt)
{
    const bool withCancel = prompt.Buttons == PromptButtons::OkCancel;
    QMessageBox box(BoxIcon(prompt.Icon), prompt.Caption, prompt.Text,
                    withCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("promptMessage"));
    if (withCancel)
        box.setDefaultButton(prompt.CancelIsDefault ? QMessageBox::Cancel : QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? PromptAnswer::Ok : PromptAnswer::Cancel;
}

QString WidgetPrompts::AskFileName(const FilePrompt &prompt)
{
    const QString filter = prompt.FilterCaption + QStringLiteral(" (") + prompt.Pattern + QLatin1Char(')');
    QWidget *parent = QApplication::activeWindow();
    if (prompt.Mode == FilePrompt::Kind::Save)
        return QFileDialog::getSaveFileName(parent, prompt.Title, prompt.Folder, filter);
    return QFileDialog::getOpenFileName(parent, prompt.Title, prompt.Folder, filter);
}
