// Writes the application icon as the build installs it: a scalable SVG and
// PNG files of the given sizes, all painted by the code that paints the
// window's icon.
//   rerudad-icon-writer FOLDER NAME SIZE...
// gives FOLDER/scalable/apps/NAME.svg and FOLDER/SIZExSIZE/apps/NAME.png.

#include "gui/artwork.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgGenerator>
#include <QTextStream>

namespace {

bool WriteSvg(const QString &path)
{
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(32, 32));
    svg.setViewBox(QRect(0, 0, 32, 32));
    svg.setTitle(QStringLiteral("RERUDAD"));
    svg.setDescription(QStringLiteral("A modulator box with an antenna and a signal wave"));
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    PaintApplicationIcon(painter, 32);
    return painter.end();
}

} // namespace

int main(int argc, char **argv)
{
    // A build machine has no display; the pixmaps need none.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    QTextStream err(stderr);
    if (arguments.size() < 3) {
        err << "usage: rerudad-icon-writer FOLDER NAME SIZE...\n";
        return 2;
    }
    const QDir folder(arguments[1]);
    const QString name = arguments[2];
    const QString scalable = folder.filePath(QStringLiteral("scalable/apps"));
    if (!QDir().mkpath(scalable) || !WriteSvg(scalable + QLatin1Char('/') + name + QStringLiteral(".svg"))) {
        err << "rerudad-icon-writer: cannot write the SVG icon in " << scalable << "\n";
        return 1;
    }
    for (const QString &sizeText : arguments.mid(3)) {
        bool ok = false;
        const int size = sizeText.toInt(&ok);
        const QString apps = folder.filePath(QStringLiteral("%1x%1/apps").arg(sizeText));
        if (!ok || size < 1 || size > 1024 || !QDir().mkpath(apps)
            || !ApplicationPixmap(size).save(apps + QLatin1Char('/') + name + QStringLiteral(".png"))) {
            err << "rerudad-icon-writer: cannot write the " << sizeText << " px icon in " << apps << "\n";
            return 1;
        }
    }
    return 0;
}
