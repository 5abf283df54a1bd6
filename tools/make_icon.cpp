// Draws the program's icon at every size from the stored colour thumbnail:
//   quillmere-icon data/pictures/vureg1.png dist/icons
// writes dist/icons/NxN.png (the install puts them in the hicolor theme).
#include <QGuiApplication>
#include <QDir>
#include <QImage>
#include <cstdio>

#include "app/appicon.h"

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: quillmere-icon THUMBNAIL.png OUTPUT-FOLDER\n");
        return 2;
    }
    const QImage thumbnail(QString::fromLocal8Bit(argv[1]));
    if (thumbnail.isNull()) {
        std::fprintf(stderr, "quillmere-icon: cannot read %s\n", argv[1]);
        return 1;
    }
    const QDir out(QString::fromLocal8Bit(argv[2]));
    QDir().mkpath(out.path());
    for (int size : quil2a::iconSizes()) {
        const QString path = out.filePath(QStringLiteral("%1x%1.png").arg(size));
        if (!quil2a::atlasIcon(thumbnail, size).save(path, "PNG")) {
            std::fprintf(stderr, "quillmere-icon: cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
