#pragma once
#include <QObject>

namespace gravlin::ui {

// Keeps every window of the program within the available area of its screen: a window that
// is shown, or resized by the program (a larger field), partly outside it is moved in,
// keeping its size. Installed on the application, it sees the windows of Qt's own dialogs
// and message boxes too. Popups and tooltips are Qt's to place.
class WindowsOnScreen : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* object, QEvent* event) override;
};

}  // namespace gravlin::ui
