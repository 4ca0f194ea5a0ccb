#pragma once
#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>
#include <cmath>
#include <string>

#include "gravlin/controls.h"

namespace gravlin::ui {

// 15 twips are one logical pixel; Qt scales logical pixels by the screen's device pixel
// ratio, so what is drawn in logical pixels stays crisp on high-dpi screens.
inline constexpr double kTwipsPerPixel = 15.0;

inline int px(float twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

inline QRect pxRect(const Geometry& g) {
    return QRect(px(g.left), px(g.top), px(g.width), px(g.height));
}

// 0x00BBGGRR to a colour; system colours come from the application palette.
QColor toQColor(Color c);

QFont toQFont(const Font& f);

QPalette classicPalette();

// The window's text for a Qt text box: Qt breaks lines at LF alone.
QString plainLines(const std::string& crlfText);

}  // namespace gravlin::ui
