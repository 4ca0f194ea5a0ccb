// Writes the program's icon as a square PNG: render_icon FILE SIZE
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <cstdio>

#include "pictures.h"

namespace {
// The picture is 28 units square. It is drawn four times as large as asked and scaled down:
// drawn below 28 pixels it would be cut off, and the scaling smooths its edges at any size.
constexpr int kPictureUnits = 28;
constexpr int kOversampling = 4;
}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    bool ok = false;
    const int size = args.size() == 3 ? args[2].toInt(&ok) : 0;
    if (!ok || size < 16 || size > 1024) {
        std::fprintf(stderr, "Aufruf: render_icon DATEI GRÖSSE (16 bis 1024 Pixel)\n");
        return 2;
    }
    const qreal scale = static_cast<qreal>(size * kOversampling) / kPictureUnits;
    const QImage drawn = gravlin::ui::drawPicture(gravlin::Picture::AppIcon, scale).toImage();
    QImage image = drawn.convertToFormat(QImage::Format_ARGB32)
                       .scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.setDevicePixelRatio(1.0);
    if (!image.save(args[1], "PNG")) {
        std::fprintf(stderr, "Das Bild %s konnte nicht geschrieben werden.\n", qPrintable(args[1]));
        return 1;
    }
    return 0;
}
