#pragma once
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "gravlin/info/www.h"
#include "view.h"

namespace gravlin::ui {

class WwwView : public DialogView {
  public:
    WwwView(QtHost& host, WWW& hints, QWidget* parent);
    void sync() override;

  private:
    WWW& d_;
    QPlainTextEdit* text_;
    QLabel *label1_, *host_label_;
    QPushButton* ok_;
    std::string drawnText_;
};

}  // namespace gravlin::ui
