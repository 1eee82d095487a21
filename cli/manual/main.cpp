// Writes what the build installs beside rerudad-cli from its command table:
// "man" prints the manual page, "bash-completion" the completion script.

#include "commandline.h"

#include <QTextStream>

int main(int argc, char **argv)
{
    const QString what = argc == 2 ? QString::fromLocal8Bit(argv[1]) : QString();
    QTextStream out(stdout);
    if (what == QLatin1String("man")) {
        ManPage page = CliManPage();
        page.version = QStringLiteral(RERUDAD_VERSION);
        out << page.roff();
    } else if (what == QLatin1String("bash-completion")) {
        out << CliBashCompletion();
    } else {
        QTextStream(stderr) << "usage: rerudad-cli-manual man|bash-completion\n";
        return 2;
    }
    return 0;
}
