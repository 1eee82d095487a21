#include "auxiliary/userprompts.h"

#include <cstdio>

namespace {

class ConsolePrompts final : public UserPrompts
{
public:
    PromptAnswer ShowMessage(const MessagePrompt &prompt) override
    {
        const QString line = prompt.Caption.isEmpty() ? prompt.Text : prompt.Caption + QStringLiteral(": ") + prompt.Text;
        std::fprintf(stderr, "%s\n", qPrintable(line));
        return prompt.Buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Cancel;
    }

    QString AskFileName(const FilePrompt &) override { return {}; }
};

ConsolePrompts Console;
UserPrompts *Current = &Console;

} // namespace

UserPrompts &Prompts()
{
    return *Current;
}

UserPrompts *SetPrompts(UserPrompts *prompts)
{
    UserPrompts *previous = Current == &Console ? nullptr : Current;
    Current = prompts ? prompts : &Console;
    return previous;
}
