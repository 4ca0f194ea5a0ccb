#include "cell_button.h"

#include <QMouseEvent>
#include <QPainter>

#include "twips.h"

namespace gravlin::ui {

CellButton::CellButton(int index, QWidget* parent) : QPushButton(parent), index_(index) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    hide();
}

bool CellButton::apply(const CommandButton& data) {
    if (!first_ && data == drawn_) return false;
    const bool firstTime = first_;
    first_ = false;
    if (firstTime || data.geometry != drawn_.geometry) setGeometry(pxRect(data.geometry));
    if (firstTime || data.toolTip != drawn_.toolTip) setToolTip(QString::fromStdString(data.toolTip));
    if (firstTime || data.font != drawn_.font) setFont(toQFont(data.font));
    if (firstTime || data.caption != drawn_.caption) setText(QString::fromStdString(data.caption));
    if (firstTime || data.enabled != drawn_.enabled) setEnabled(data.enabled);
    background_ = toQColor(data.backColor);
    const bool visibilityChanged = firstTime || data.visible != drawn_.visible;
    drawn_ = data;
    if (visibilityChanged) setVisible(data.visible);
    update();
    return true;
}

// Neighbouring cells overlap by one pixel: each cell draws its outline on its full square,
// so the shared lines fall together, and the bevel inside the visible part.
void CellButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int w = width();
    const int h = height();
    p.fillRect(rect(), background_);
    const QColor grid(0x80, 0x80, 0x80);
    p.setPen(grid);
    p.drawRect(0, 0, w - 1, h - 1);
    if (drawn_.raised) {
        p.setPen(Qt::white);
        p.drawLine(1, 1, w - 3, 1);
        p.drawLine(1, 2, w - 4, 2);
        p.drawLine(1, 1, 1, h - 3);
        p.drawLine(2, 1, 2, h - 4);
        p.setPen(grid);
        p.drawLine(w - 2, 1, w - 2, h - 2);
        p.drawLine(w - 3, 2, w - 3, h - 2);
        p.drawLine(1, h - 2, w - 2, h - 2);
        p.drawLine(2, h - 3, w - 2, h - 3);
    }
    const QString caption = text();
    if (!caption.trimmed().isEmpty()) {
        p.setFont(font());
        p.setPen(isEnabled() ? Qt::black : QColor(0x80, 0x80, 0x80));
        // Centre on the visible square (the last pixel row and column belong to the neighbour).
        p.drawText(QRect(0, 0, w - 1, h - 1), Qt::AlignCenter, caption);
    }
}

void CellButton::mousePressEvent(QMouseEvent* event) {
    event->accept();
    int button = 0;
    switch (event->button()) {
        case Qt::LeftButton:
            button = 1;
            break;
        case Qt::RightButton:
            button = 2;
            break;
        case Qt::MiddleButton:
            button = 4;
            break;
        default:
            return;
    }
    if (pressed) pressed(index_, button);
}

void CellButton::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}

}  // namespace gravlin::ui
