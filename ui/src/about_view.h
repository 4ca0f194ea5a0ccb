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

    QLabel* title() const { return title_; }
    QLabel* version() const { return version_; }
    QLabel* disclaimer() const { return disclaimer_; }
    QLabel* icon() const { return icon_; }
    QPlainTextEdit* history() const { return history_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* sysInfoButton() const { return sysInfo_; }

  private:
    frmAbout& d_;
    QLabel *icon_, *title_, *version_, *disclaimer_;
    QPlainTextEdit* history_;
    QPushButton *ok_, *sysInfo_;
    std::string drawnHistory_;
    Picture drawnPicture_ = Picture::None;
};

}  // namespace gravlin::ui
