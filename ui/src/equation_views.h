#pragma once
#include <QPlainTextEdit>
#include <QPushButton>

#include "gravlin/equations/windows.h"
#include "view.h"

namespace gravlin::ui {

class QtHost;

// The equation system, the not-uniquely-solvable notice and the probabilities: a text box
// whose text can be selected and copied, and one button that closes the window.
class TextWindowView : public DialogView {
  public:
    TextWindowView(QtHost& host, TextWindow& window, QWidget* parent);
    void sync() override;

  private:
    void fitText(const QString& text);

    TextWindow& w_;
    QPlainTextEdit* text_;
    QPushButton* ok_;
    std::string drawnText_;
    bool first_ = true;
};

void registerEquationViews(QtHost& host);

}  // namespace gravlin::ui
