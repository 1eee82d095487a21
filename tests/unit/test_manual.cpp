// The manual pages and the bash completion written from the option tables:
// roff that shows the text as written, and completions that bash offers.

#include "commandline.h"
#include "manual/bashcompletion.h"
#include "manual/manpage.h"

#include "testfiles.h"

#include <QProcess>
#include <QTemporaryDir>

#include <QOperatingSystemVersion>

#include <gtest/gtest.h>

namespace {

// What bash offers for the command line `line` (the word under the cursor
// is its last word, empty after a trailing blank), run in folder.
QStringList Completions(const QString &script, const QString &function, const QString &line, const QString &folder)
{
    QProcess bash;
    bash.setWorkingDirectory(folder);
    bash.start(QStringLiteral("bash"),
               {QStringLiteral("--norc"), QStringLiteral("--noprofile"), QStringLiteral("-c"),
                script + QStringLiteral("\nread -ra COMP_WORDS <<< \"$1\"\n"
                                        "[[ $1 == *' ' ]] && COMP_WORDS+=('')\n"
                                        "COMP_CWORD=$((${#COMP_WORDS[@]} - 1))\n")
                    + function + QStringLiteral("\nprintf '%s\\n' \"${COMPREPLY[@]}\" | sort"),
                QStringLiteral("bash"), line});
    EXPECT_TRUE(bash.waitForFinished(10000));
    EXPECT_EQ(bash.exitCode(), 0) << bash.readAllStandardError().toStdString();
    return QString::fromUtf8(bash.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

TEST(ManPage, TextIsEscapedSoThatRoffShowsItAsWritten)
{
    EXPECT_EQ(RoffText(QStringLiteral("--raw FILE")), QStringLiteral("\\-\\-raw FILE"));
    EXPECT_EQ(RoffText(QStringLiteral(".itc files\n'quoted' C:\\config")),
              QStringLiteral("\\&.itc files\n\\&'quoted' C:\\econfig"));

    ManPage page;
    page.name = QStringLiteral("tool");
    page.summary = QStringLiteral("does things");
    page.version = QStringLiteral("1.2");
    page.synopsis << QStringLiteral("[--x N]");
    page.sections << ManPage::Section{QStringLiteral("OPTIONS"), {QStringLiteral("Some.")},
                                      {{QStringLiteral("--x N"), QStringLiteral("the \"x\".")}}};
    EXPECT_EQ(page.roff(), QStringLiteral(".TH \"TOOL\" 1 \"\" \"rerudad 1.2\" \"User Commands\"\n"
                                          ".SH NAME\ntool \\- does things\n"
                                          ".SH SYNOPSIS\n.B tool\n[\\-\\-x N]\n.br\n"
                                          ".SH OPTIONS\n.PP\nSome.\n.TP\n.B \\-\\-x N\nthe \"x\".\n"));
}

TEST(BashCompletion, TheCliCompletesCommandWordsOptionsAndOperandsFromItsTable)
{
    if (QOperatingSystemVersion::currentType() == QOperatingSystemVersion::Windows)
        GTEST_SKIP() << "bash completion is for the Linux package";
    QTemporaryDir folder;
    WriteAll(folder.filePath(QStringLiteral("record.itc")), "R");
    const QString script = CliBashCompletion();
    struct Case
    {
        QString line;
        QStringList offered;
    };
    const QList<Case> cases = {
        {"rerudad-cli fi", {"firmware"}},
        {"rerudad-cli con", {"config"}},
        {"rerudad-cli config get --", {"--device", "--help", "--listen", "--raw", "--verbose"}},
        {"rerudad-cli clock set ", {"now"}},
        {"rerudad-cli clock set now ", {}},
        {"rerudad-cli --device ", {"auto", "serial:", "tcp:"}},
        // An option's value is no command word.
        {"rerudad-cli --listen 5 config s", {"save", "set"}},
        {"rerudad-cli decode --code 158 rec", {"record.itc"}},
        {"rerudad-cli factory-default --program-folder ", {}},
    };
    for (const Case &item : cases) {
        SCOPED_TRACE(item.line.toStdString());
        EXPECT_EQ(Completions(script, QStringLiteral("_rerudad_cli"), item.line, folder.path()), item.offered);
    }
}

TEST(BashCompletion, AProgramOfOptionsOnlyCompletesThemAndTheirFiles)
{
    if (QOperatingSystemVersion::currentType() == QOperatingSystemVersion::Windows)
        GTEST_SKIP() << "bash completion is for the Linux package";
    QTemporaryDir folder;
    WriteAll(folder.filePath(QStringLiteral("state/config.bin")), "C");
    WriteAll(folder.filePath(QStringLiteral("record.bin")), "R");
    BashCompletion completion;
    completion.program = QStringLiteral("rerudad-devsim");
    completion.options = {{"--code", "N"}, {"--record", "FILE"}, {"--state", "DIR"}, {"--no-tcp", ""}};
    const QString script = completion.script();
    EXPECT_EQ(Completions(script, "_rerudad_devsim", "rerudad-devsim --", folder.path()),
              QStringList({"--code", "--no-tcp", "--record", "--state"}));
    EXPECT_EQ(Completions(script, "_rerudad_devsim", "rerudad-devsim --record r", folder.path()),
              QStringList({"record.bin"}));
    EXPECT_EQ(Completions(script, "_rerudad_devsim", "rerudad-devsim --state ", folder.path()),
              QStringList({"state"}));
    EXPECT_EQ(Completions(script, "_rerudad_devsim", "rerudad-devsim --code ", folder.path()), QStringList());
}
