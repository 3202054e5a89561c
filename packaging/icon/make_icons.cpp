// Writes the program's icon files into the folder given as the only argument:
// hicolor PNGs at every installed size, a scalable SVG and a Windows .ico.
#include "app_icon.h"
#include "ico_file.h"
#include "icon_design.h"

#include <QDir>
#include <QFile>
#include <QString>

#include <cstdio>
#include <string>

namespace {

constexpr int kPngSizes[] = {16, 24, 32, 48, 64, 128, 256};

QString hexColour(dbmconv::icon::Rgb rgb)
{
    return QStringLiteral("#%1%2%3")
        .arg(rgb.red, 2, 16, QLatin1Char('0'))
        .arg(rgb.green, 2, 16, QLatin1Char('0'))
        .arg(rgb.blue, 2, 16, QLatin1Char('0'));
}

QByteArray svg()
{
    const auto& g = dbmconv::icon::kCentredGeometry;
    const QString text = QStringLiteral(
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"32\" height=\"32\" viewBox=\"0 0 32 32\">\n"
        "  <circle cx=\"%1\" cy=\"%1\" r=\"%2\" fill=\"%3\"/>\n"
        "  <rect x=\"%4\" y=\"%5\" width=\"%6\" height=\"%7\" fill=\"%8\"/>\n"
        "  <rect x=\"%5\" y=\"%4\" width=\"%7\" height=\"%6\" fill=\"%8\"/>\n"
        "</svg>\n")
                             .arg(g.centre)
                             .arg(g.radius)
                             .arg(hexColour(dbmconv::icon::kDiscColour))
                             .arg(g.barStart)
                             .arg(g.barOffset)
                             .arg(g.barLength)
                             .arg(g.barThickness)
                             .arg(hexColour(dbmconv::icon::kPlusColour));
    return text.toUtf8();
}

bool write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER BASENAME\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const QString base = QString::fromLocal8Bit(argv[2]);
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }

    bool ok = true;
    for (const int size : kPngSizes) {
        const QString path = folder.filePath(QStringLiteral("%1-%2.png").arg(base).arg(size));
        ok = dbmconv::renderedIconImage(size).save(path, "PNG") && ok;
    }
    ok = write(folder.filePath(base + QStringLiteral(".svg")), svg()) && ok;
    const auto ico = dbmconv::icon::icoFile({16, 32});
    ok = write(folder.filePath(base + QStringLiteral(".ico")),
               QByteArray(reinterpret_cast<const char*>(ico.data()), static_cast<qsizetype>(ico.size())))
        && ok;
    if (!ok) {
        std::fprintf(stderr, "could not write every icon file into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
