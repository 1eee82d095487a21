#pragma once

#include "auxiliary/userprompts.h"

// The desktop tool's prompts: a modal message box or file dialog over the
// active window.
class WidgetPrompts final : public UserPrompts
{
public:
    PromptAnswer ShowMessage(const MessagePrompt &prompt) override;
    QString AskFileName(const FilePrompt &prompt) override;
};
