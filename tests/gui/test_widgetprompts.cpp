// The desktop tool's message boxes and file dialogs, answered by a test that
// polls for the open dialog instead of a person.

#include "guitestsupport.h"

#include "gui/widgetprompts.h"

#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

TEST(WidgetPrompts, QuestionShowsItsTextAndDefaultsToCancel)
{
    WidgetPrompts prompts;
    QString text;
    QString caption;
    bool cancelIsDefault = false;
    DialogAnswerer answerer([&](QWidget &dialog) {
        auto &box = static_cast<QMessageBox &>(dialog);
        text = box.text();
        caption = box.windowTitle();
        cancelIsDefault = box.defaultButton() == box.button(QMessageBox::Cancel);
        box.defaultButton()->click();
    });
    const PromptAnswer answer = prompts.ShowMessage({.Text = QStringLiteral("Please confirm."),
                                                     .Caption = QStringLiteral("RERUDAD"),
                                                     .Icon = PromptIcon::Warning,
                                                     .Buttons = PromptButtons::OkCancel,
                                                     .CancelIsDefault = true});
    EXPECT_EQ(answer, PromptAnswer::Cancel);
    EXPECT_EQ(text, QStringLiteral("Please confirm."));
    EXPECT_EQ(caption, QStringLiteral("RERUDAD"));
    EXPECT_TRUE(cancelIsDefault);
}

TEST(WidgetPrompts, OkAnswersOk)
{
    WidgetPrompts prompts;
    DialogAnswerer answerer([](QWidget &dialog) {
        static_cast<QMessageBox &>(dialog).button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(prompts.ShowMessage({.Text = QStringLiteral("MD5 Error"), .Buttons = PromptButtons::OkCancel}),
              PromptAnswer::Ok);
}

} // namespace
