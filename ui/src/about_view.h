#pragma once
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "gravlin/info/frm_about.h"
#include "view.h"

namespace gravlin::ui {

class AboutView : public DialogView {
  public:
    AboutView(QtHost& host, frmAbout& about, QWidget* parent);
    void sync() override;

  private:
    frmAbout& d_;
    QLabel *icon_, *title_, *version_, *disclaimer_;
    QPlainTextEdit* history_;
    QPushButton *ok_, *sysInfo_;
    std::string drawnHistory_;
    Picture drawnPicture_ = Picture::None;
};

}  // namespace gravlin::ui
