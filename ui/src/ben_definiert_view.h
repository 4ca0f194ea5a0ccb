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

    QLineEdit* xInput() const { return x_; }
    QLineEdit* yInput() const { return y_; }
    QLineEdit* mInput() const { return m_; }
    QLabel* rangeX() const { return labelX_; }
    QLabel* rangeY() const { return labelY_; }
    QLabel* rangeM() const { return labelM_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

  protected:
    void closeBoxUsed() override;

  private:
    QLabel* makeLabel(const Label& data);
    QLineEdit* makeEdit(TextBox& data, void (BenDefiniert::*changed)());
    void syncLabel(QLabel* label, const Label& data);
    void syncEdit(QLineEdit* edit, const TextBox& data);

    BenDefiniert& d_;
    QLabel *label1_, *labelY_, *label2_, *labelX_, *label3_, *labelM_;
    QLineEdit *y_, *x_, *m_;
    QPushButton *ok_, *cancel_;
};

}  // namespace gravlin::ui
