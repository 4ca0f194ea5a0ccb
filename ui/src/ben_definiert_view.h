#pragma once
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "gravlin/field/ben_definiert.h"
#include "view.h"

namespace gravlin::ui {

class BenDefiniertView : public DialogView {
  public:
    BenDefiniertView(QtHost& host, BenDefiniert& dialog, QWidget* parent);
    void sync() override;

  protected:
    void closeBoxUsed() override;

  private:
    QLabel* makeLabel(const Label& data, const char* name);
    QLineEdit* makeEdit(TextBox& data, const char* name, void (BenDefiniert::*changed)());
    void syncLabel(QLabel* label, const Label& data);
    void syncEdit(QLineEdit* edit, const TextBox& data);

    BenDefiniert& d_;
    QLabel *label1_, *labelY_, *label2_, *labelX_, *label3_, *labelM_;
    QLineEdit *y_, *x_, *m_;
    QPushButton *ok_, *cancel_;
};

}  // namespace gravlin::ui
