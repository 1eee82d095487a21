#pragma once

#include "auxiliary/userprompts.h"

#include <QList>
#include <QStringList>

// Prompts that a test answers in advance: every message box and file dialog
// is recorded, message boxes take the queued answers in turn (OK when the
// queue is empty), file dialogs the queued paths (cancelled when empty).
// Installed for the lifetime of the object.
class AnsweringPrompts final : public UserPrompts
{
public:
    AnsweringPrompts() : m_scope(*this) {}

    PromptAnswer ShowMessage(const MessagePrompt &prompt) override
    {
        Messages.append(prompt);
        return Answers.isEmpty() ? PromptAnswer::Ok : Answers.takeFirst();
    }

    QString AskFileName(const FilePrompt &prompt) override
    {
        FileRequests.append(prompt);
        return Paths.isEmpty() ? QString() : Paths.takeFirst();
    }

    QStringList messageTexts() const
    {
        QStringList texts;
        for (const MessagePrompt &message : Messages)
            texts << message.Text;
        return texts;
    }

    QList<PromptAnswer> Answers;
    QStringList Paths;
    QList<MessagePrompt> Messages;
    QList<FilePrompt> FileRequests;

private:
    ScopedPrompts m_scope;
};
