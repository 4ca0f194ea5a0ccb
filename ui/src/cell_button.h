#pragma once
#include <QPushButton>
#include <functional>

#include "gravlin/controls.h"

namespace gravlin::ui {

// One cell of the field. It paints its own face (raised bevel or flat, background colour,
// caption) and reports every mouse press, the right button included.
class CellButton : public QPushButton {
  public:
    CellButton(int index, QWidget* parent);

    // Applies the data; returns whether anything changed.
    bool apply(const CommandButton& data);

    // index, button (1 left, 2 right, 4 middle)
    std::function<void(int, int)> pressed;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    int index_;
    CommandButton drawn_;
    bool first_ = true;
    QColor background_;
};

}  // namespace gravlin::ui
