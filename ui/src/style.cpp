#include "style.h"

#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QStyleFactory>
#include <QStyleOption>

namespace gravlin::ui {

GravlinStyle::GravlinStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void GravlinStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const {
    if (element == PE_IndicatorCheckBox && qobject_cast<const QMenu*>(widget)) {
        if (!(option->state & State_On)) return;
        const QRectF r = option->rect;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(
            QPen(option->palette.color(QPalette::Text), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPainterPath tick;
        tick.moveTo(r.left() + r.width() * 0.2, r.top() + r.height() * 0.55);
        tick.lineTo(r.left() + r.width() * 0.42, r.top() + r.height() * 0.78);
        tick.lineTo(r.left() + r.width() * 0.82, r.top() + r.height() * 0.25);
        painter->drawPath(tick);
        painter->restore();
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

// The menu bar is laid out tightly so that its four menus fit the narrowest window (3 x 3).
int GravlinStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    if (metric == PM_MenuBarItemSpacing || metric == PM_MenuBarHMargin) return 0;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

QSize GravlinStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                     const QWidget* widget) const {
    QSize s = QProxyStyle::sizeFromContents(type, option, size, widget);
    if (type == CT_MenuBarItem) s.setWidth(s.width() - 1);
    return s;
}

}  // namespace gravlin::ui
