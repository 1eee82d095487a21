#include "manual/bashcompletion.h"

#include <QRegularExpression>
#include <QTextStream>

namespace {

// Text inside a single-quoted shell word.
QString Quoted(const QString &text)
{
    QString quoted = text;
    return QLatin1Char('\'') + quoted.replace(QLatin1Char('\''), QLatin1String("'\\''")) + QLatin1Char('\'');
}

QString FunctionName(const QString &program)
{
    QString name = program;
    static const QRegularExpression notWord(QStringLiteral("[^A-Za-z0-9_]"));
    return QLatin1Char('_') + name.replace(notWord, QStringLiteral("_"));
}

// The shell words that complete one value: compgen's arguments.
QString CompgenArguments(const QString &valueName)
{
    const QString kind = CompletionOf(valueName);
    if (kind == QLatin1String("file"))
        return QStringLiteral("-f");
    if (kind == QLatin1String("directory"))
        return QStringLiteral("-d");
    return QStringLiteral("-W ") + Quoted(kind);
}

} // namespace

QString CompletionOf(const QString &valueName)
{
    if (valueName.contains(QLatin1Char('|'))) {
        // Alternatives written in lower case are words to type; a pattern
        // such as YYYY-MM-DD is not. "tcp:HOST" offers "tcp:".
        static const QRegularExpression word(QStringLiteral("^[a-z][a-z0-9-]*:?"));
        QStringList words;
        for (const QString &alternative : valueName.split(QLatin1Char('|'))) {
            const QRegularExpressionMatch match = word.match(alternative);
            if (match.hasMatch())
                words << match.captured();
        }
        return words.join(QLatin1Char(' '));
    }
    if (valueName.contains(QLatin1String("DIR")))
        return QStringLiteral("directory");
    if (valueName.contains(QLatin1String("FILE")) || valueName.contains(QLatin1String("PATH"))
        || valueName == QLatin1String("OUT"))
        return QStringLiteral("file");
    return {};
}

QString BashCompletion::script() const
{
    QString text;
    QTextStream out(&text);
    QStringList allOptions;
    for (const Option &option : options)
        allOptions << option.name;

    out << "# bash completion for " << program << ", written from its own option table\n"
        << FunctionName(program) << "()\n{\n"
        << "    local cur=${COMP_WORDS[COMP_CWORD]} prev=\n"
        << "    ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}\n"
        << "    COMPREPLY=()\n"
        << "    case $prev in\n";
    QStringList valued;
    for (const Option &option : options) {
        if (option.valueName.isEmpty())
            continue;
        valued << option.name;
        out << "        " << option.name << ")\n"
            << "            COMPREPLY=($(compgen " << CompgenArguments(option.valueName) << " -- \"$cur\"))\n"
            << "            return ;;\n";
    }
    out << "    esac\n";
    if (commands.isEmpty()) {
        out << "    COMPREPLY=($(compgen -W " << Quoted(allOptions.join(QLatin1Char(' '))) << " -- \"$cur\"))\n"
            << "}\n";
    } else {
        // The words typed so far that are neither options nor their values
        // choose the command; the longest command they begin with wins.
        QStringList names, commandOptions, operands;
        for (const Command &command : commands) {
            names << Quoted(command.words.join(QLatin1Char(' ')));
            commandOptions << Quoted(command.options.join(QLatin1Char(' ')));
            QStringList kinds;
            for (const QString &operand : command.operands) {
                const QString kind = CompletionOf(operand);
                kinds << (kind.isEmpty() ? QStringLiteral("-") : QString(kind).replace(QLatin1Char(' '), QLatin1Char(',')));
            }
            operands << Quoted(kinds.join(QLatin1Char(' ')));
        }
        out << "    local commands=(" << names.join(QLatin1Char(' ')) << ")\n"
            << "    local options=(" << commandOptions.join(QLatin1Char(' ')) << ")\n"
            << "    local operands=(" << operands.join(QLatin1Char(' ')) << ")\n"
            << "    local typed=() i\n"
            << "    for ((i = 1; i < COMP_CWORD; i++)); do\n"
            << "        case ${COMP_WORDS[i]} in\n";
        if (!valued.isEmpty())
            out << "            " << valued.join(QLatin1Char('|')) << ") ((i++)) ;;\n";
        out << "            -*) ;;\n"
            << "            *) typed+=(\"${COMP_WORDS[i]}\") ;;\n"
            << "        esac\n"
            << "    done\n"
            << "    local n=${#typed[@]} chosen=-1 length=0 next=() c words\n"
            << "    for c in \"${!commands[@]}\"; do\n"
            << "        read -ra words <<< \"${commands[c]}\"\n"
            << "        if ((n >= ${#words[@]})) && [[ \"${typed[*]:0:${#words[@]}}\" == \"${commands[c]}\" ]]; then\n"
            << "            ((${#words[@]} > length)) && chosen=$c length=${#words[@]}\n"
            << "        elif ((n < ${#words[@]})) && [[ \"${words[*]:0:n}\" == \"${typed[*]}\" ]]; then\n"
            << "            [[ \" ${next[*]} \" == *\" ${words[n]} \"* ]] || next+=(\"${words[n]}\")\n"
            << "        fi\n"
            << "    done\n"
            << "    if [[ $cur == -* ]]; then\n"
            << "        if ((chosen >= 0)); then\n"
            << "            COMPREPLY=($(compgen -W \"${options[chosen]}\" -- \"$cur\"))\n"
            << "        else\n"
            << "            COMPREPLY=($(compgen -W " << Quoted(allOptions.join(QLatin1Char(' '))) << " -- \"$cur\"))\n"
            << "        fi\n"
            << "    elif ((chosen < 0)); then\n"
            << "        COMPREPLY=($(compgen -W \"${next[*]}\" -- \"$cur\"))\n"
            << "    else\n"
            << "        local kinds\n"
            << "        read -ra kinds <<< \"${operands[chosen]}\"\n"
            << "        case ${kinds[n - length]} in\n"
            << "            '' | -) ;;\n"
            << "            file) COMPREPLY=($(compgen -f -- \"$cur\")) ;;\n"
            << "            directory) COMPREPLY=($(compgen -d -- \"$cur\")) ;;\n"
            << "            *) COMPREPLY=($(compgen -W \"${kinds[n - length]//,/ }\" -- \"$cur\")) ;;\n"
            << "        esac\n"
            << "    fi\n"
            << "}\n";
    }
    out << "complete -F " << FunctionName(program) << " -o filenames " << program << "\n";
    return text;
}
