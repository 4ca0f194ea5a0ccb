#include "on_screen.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QMargins>
#include <QScreen>
#include <QWidget>

#include "gravlin/window.h"

namespace gravlin::ui {

namespace {

QMargins frameMargins(const QWidget& window) {
    const QRect inner = window.geometry();
    const QRect outer = window.frameGeometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

// The window's frame as the platform tells it. Until the window manager has framed a new
// window its frame is unknown; the frame of another window of the program stands in for
// it, as it does in Qt's own placing of dialogs.
QRect expectedFrame(const QWidget& window) {
    QMargins margins = frameMargins(window);
    if (margins.isNull()) {
        for (const QWidget* other : QApplication::topLevelWidgets()) {
            if (other == &window || !other->isVisible()) continue;
            margins = frameMargins(*other);
            if (!margins.isNull()) break;
        }
    }
    return window.geometry().marginsAdded(margins);
}

void moveOnScreen(QWidget& window) {
    const QRect frame = expectedFrame(window);
    QScreen* screen = QGuiApplication::screenAt(frame.center());
    if (!screen) screen = window.screen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const ScreenRect placed = placeWithin({frame.x(), frame.y(), frame.width(), frame.height()},
                                          {area.x(), area.y(), area.width(), area.height()});
    // move() places a window by the top-left corner of its frame.
    if (placed.left != frame.x() || placed.top != frame.y()) window.move(placed.left, placed.top);
}

}  // namespace

bool WindowsOnScreen::eventFilter(QObject* object, QEvent* event) {
    // Every event of the application passes here: the cheap tests first. Moves the user
    // makes come from the window system and are left alone.
    const QEvent::Type type = event->type();
    if ((type != QEvent::Show && type != QEvent::Move && type != QEvent::Resize) || event->spontaneous())
        return false;
    if (!object->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(object);
    const Qt::WindowType kind = widget->windowType();
    if (!widget->isWindow() || !widget->isVisible() || (kind != Qt::Window && kind != Qt::Dialog))
        return false;
    // A dialog without a place of its own is centred on its owner by its own show handling,
    // after this event and before it appears; the move that places it comes here. Moving it
    // now would take that place from it.
    if (type == QEvent::Show && qobject_cast<QDialog*>(widget) && !widget->testAttribute(Qt::WA_Moved))
        return false;
    moveOnScreen(*widget);
    return false;
}

}  // namespace gravlin::ui
