#pragma once
#include <QProxyStyle>

namespace gravlin::ui {

// Fusion with menu check marks as a plain tick that appears only on checked items.
class GravlinStyle : public QProxyStyle {
  public:
    GravlinStyle();
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
};

}  // namespace gravlin::ui
