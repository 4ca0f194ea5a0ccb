// Writes the program's icon as a square PNG: render_icon FILE SIZE
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>

#include "pictures.h"

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    bool ok = false;
    const int size = args.size() == 3 ? args[2].toInt(&ok) : 0;
    if (!ok || size < 16 || size > 1024) {
        std::fprintf(stderr, "Aufruf: render_icon DATEI GRÖSSE (16 bis 1024 Pixel)\n");
        return 2;
    }
    const QPixmap picture = gravlin::ui::drawPicture(gravlin::Picture::AppIcon, size / 28.0);
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(QRect(0, 0, size, size), picture);
    p.end();
    if (!image.save(args[1], "PNG")) {
        std::fprintf(stderr, "Das Bild %s konnte nicht geschrieben werden.\n", qPrintable(args[1]));
        return 1;
    }
    return 0;
}
