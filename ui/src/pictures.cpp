#include "pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace gravlin::ui {

namespace {
constexpr int kSize = 28;

void drawFaceBase(QPainter& p) {
    p.setPen(QPen(QColor(0x40, 0x30, 0x00), 1.2));
    p.setBrush(QColor(0xFF, 0xE0, 0x20));
    p.drawEllipse(QRectF(1.5, 1.5, 25, 25));
}

void drawEyes(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(QRectF(8.5, 9, 3, 3.5));
    p.drawEllipse(QRectF(16.5, 9, 3, 3.5));
}

void drawFace(QPainter& p, Picture picture) {
    drawFaceBase(p);
    QPen mouth(Qt::black, 1.6, Qt::SolidLine, Qt::RoundCap);
    switch (picture) {
        case Picture::FaceNormal: {
            drawEyes(p);
            p.setPen(mouth);
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(8, 10, 12, 10), 200 * 16, 140 * 16);
            break;
        }
        case Picture::FaceWorking: {
            drawEyes(p);
            p.setPen(QPen(Qt::black, 1.2));
            p.setBrush(QColor(0x60, 0x10, 0x10));
            p.drawEllipse(QRectF(11, 16, 6, 6));
            break;
        }
        case Picture::FaceWon: {
            // Sunglasses: two dark lenses joined by a bridge, and a broad smile.
            p.setPen(QPen(Qt::black, 1.2));
            p.setBrush(Qt::black);
            p.drawRoundedRect(QRectF(5.5, 8.5, 7.5, 5), 1.5, 1.5);
            p.drawRoundedRect(QRectF(15, 8.5, 7.5, 5), 1.5, 1.5);
            p.drawLine(QPointF(13, 10), QPointF(15, 10));
            p.drawLine(QPointF(3.5, 9.5), QPointF(5.5, 10));
            p.drawLine(QPointF(22.5, 10), QPointF(24.5, 9.5));
            p.setPen(mouth);
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(7.5, 10, 13, 11), 200 * 16, 140 * 16);
            break;
        }
        case Picture::FaceLost: {
            // Crossed-out eyes and a downturned mouth.
            p.setPen(QPen(Qt::black, 1.5, Qt::SolidLine, Qt::RoundCap));
            for (qreal cx : {10.0, 18.0}) {
                p.drawLine(QPointF(cx - 2, 8.5), QPointF(cx + 2, 12.5));
                p.drawLine(QPointF(cx + 2, 8.5), QPointF(cx - 2, 12.5));
            }
            p.setPen(mouth);
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(8.5, 17, 11, 8), 30 * 16, 120 * 16);
            break;
        }
        default:
            break;
    }
}

void drawQuestionMark(QPainter& p) {
    QFont f("DejaVu Sans");
    f.setStyleHint(QFont::SansSerif);
    f.setBold(true);
    f.setPixelSize(24);
    p.setFont(f);
    p.setPen(QColor(0x00, 0x00, 0xA0));
    p.drawText(QRectF(0, 0, kSize, kSize), Qt::AlignCenter, QStringLiteral("?"));
}

void drawHammer(QPainter& p) {
    // A green patch (a light green cell) and a hammer striking it.
    p.setPen(QPen(QColor(0x30, 0x80, 0x30), 1));
    p.setBrush(QColor(0xC0, 0xFF, 0xC0));
    p.drawRect(QRectF(3.5, 17.5, 21, 8));
    p.save();
    p.translate(14, 13);
    p.rotate(-35);
    p.setPen(QPen(QColor(0x50, 0x30, 0x10), 1));
    p.setBrush(QColor(0xA0, 0x70, 0x30));
    p.drawRect(QRectF(-1.5, -2, 3, 14));  // handle
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(0x70, 0x70, 0x78));
    p.drawRect(QRectF(-7, -8, 14, 6));  // head
    p.restore();
}
}  // namespace

QPixmap drawPicture(Picture picture, qreal devicePixelRatio) {
    const qreal dpr = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QPixmap pm(static_cast<int>(kSize * dpr), static_cast<int>(kSize * dpr));
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    if (picture == Picture::None) return pm;
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (picture) {
        case Picture::QuestionMark:
            drawQuestionMark(p);
            break;
        case Picture::Hammer:
            drawHammer(p);
            break;
        case Picture::AppIcon:
        case Picture::FaceNormal:
            drawFace(p, Picture::FaceNormal);
            break;
        default:
            drawFace(p, picture);
            break;
    }
    return pm;
}

QIcon appIcon() {
    QIcon icon;
    for (qreal dpr : {1.0, 2.0, 4.0}) icon.addPixmap(drawPicture(Picture::AppIcon, dpr));
    return icon;
}

}  // namespace gravlin::ui
