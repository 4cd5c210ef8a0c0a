// Writes the program icon into a hicolor icon theme tree, from the artwork the windows use:
//   <dir>/hicolor/scalable/apps/<name>.svg and <dir>/hicolor/<n>x<n>/apps/<name>.png.
// Usage: hygrova_write_icons <dir> <name> <size>...; runs on any Qt platform (offscreen at
// build time).

#include "shell/widgets/artwork.h"

#include <cstdio>

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <QTemporaryDir>

namespace {

// The side, in user units, the artwork is drawn on; the SVG's view box.
constexpr int kScalableSide = 48;

bool WritePng(const QString& folder, const QString& name, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    hygrova::PaintProgramIcon(painter, size);
    painter.end();
    return QDir().mkpath(folder) &&
           image.save(QStringLiteral("%1/%2.png").arg(folder, name), "PNG");
}

bool WriteSvg(const QString& folder, const QString& name)
{
    if (!QDir().mkpath(folder)) {
        return false;
    }
    QSvgGenerator svg;
    svg.setFileName(QStringLiteral("%1/%2.svg").arg(folder, name));
    svg.setSize(QSize(kScalableSide, kScalableSide));
    svg.setViewBox(QRect(0, 0, kScalableSide, kScalableSide));
    svg.setTitle(QStringLiteral("Hygrova"));
    svg.setDescription(QStringLiteral("The program icon of Hygrova: a small h-d chart"));
    QPainter painter;
    if (!painter.begin(&svg)) {
        return false;
    }
    hygrova::PaintProgramIcon(painter, kScalableSide);
    return painter.end();
}

}  // namespace

int main(int argc, char* argv[])
{
    // Qt wants a private runtime folder, which a build step does not have.
    const QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtime.isValid()) {
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    }
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: hygrova_write_icons <dir> <name> <size>...\n");
        return 2;
    }
    const QString theme = args[1] + QStringLiteral("/hicolor");
    const QString& name = args[2];
    bool ok = WriteSvg(theme + QStringLiteral("/scalable/apps"), name);
    for (qsizetype i = 3; i < args.size(); ++i) {
        const int size = args[i].toInt();
        ok =
            size > 0 && WritePng(theme + QStringLiteral("/%1x%1/apps").arg(size), name, size) && ok;
    }
    if (!ok) {
        std::fprintf(stderr, "hygrova_write_icons: could not write the icons into %s\n",
                     qPrintable(theme));
        return 1;
    }
    return 0;
}
