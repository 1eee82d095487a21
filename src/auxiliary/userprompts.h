#pragma once

#include <QString>

// The questions the tool asks the user: message boxes and the Open / Save As
// file dialogs. Logic below the windows asks through Prompts(); the desktop
// tool installs the widget implementation at start, the CLI keeps the
// console one, and tests install their own that answer without a person.

enum class PromptIcon { None, Warning, Error };
enum class PromptButtons { Ok, OkCancel };
enum class PromptAnswer { Ok, Cancel };

struct MessagePrompt
{
    QString Text;
    QString Caption;
    PromptIcon Icon = PromptIcon::None;
    PromptButtons Buttons = PromptButtons::Ok;
    // With OkCancel: Enter answers Cancel unless the user moves to OK.
    bool CancelIsDefault = false;
};

struct FilePrompt
{
    enum class Kind { Open, Save };
    Kind Mode = Kind::Open;
    QString Title;
    QString Folder;        // where the dialog starts
    QString FilterCaption; // e.g. "Config."
    QString Pattern;       // e.g. "*.itc"
};

class UserPrompts
{
public:
    virtual ~UserPrompts() = default;

    virtual PromptAnswer ShowMessage(const MessagePrompt &prompt) = 0;
    // The chosen path; empty when the user cancelled.
    virtual QString AskFileName(const FilePrompt &prompt) = 0;
};

// Where prompts go now. Without an installed implementation: the console,
// which prints messages on stderr, answers Cancel to every question and
// chooses no file, so that nothing irreversible happens unasked.
UserPrompts &Prompts();
// Installs prompts (nullptr: the console again); returns the previous ones.
UserPrompts *SetPrompts(UserPrompts *prompts);

// Installs prompts for one scope and puts the previous ones back at its end,
// also when a test fails half-way.
class ScopedPrompts
{
public:
    explicit ScopedPrompts(UserPrompts &prompts) : m_previous(SetPrompts(&prompts)) {}
    ~ScopedPrompts() { SetPrompts(m_previous); }
    ScopedPrompts(const ScopedPrompts &) = delete;
    ScopedPrompts &operator=(const ScopedPrompts &) = delete;

private:
    UserPrompts *m_previous;
};
