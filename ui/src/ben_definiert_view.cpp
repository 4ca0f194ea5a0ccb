#include "ben_definiert_view.h"

#include <QSignalBlocker>

#include "qt_host.h"
#include "twips.h"

namespace gravlin::ui {

BenDefiniertView::BenDefiniertView(QtHost& host, BenDefiniert& dialog, QWidget* parent)
    : DialogView(host, dialog, parent), d_(dialog) {
    setClientSize(d_.geometry.width, d_.geometry.height);
    label1_ = makeLabel(d_.Label1, "Label1");
    y_ = makeEdit(d_.y_input, "y_input", &BenDefiniert::y_input_Change);
    labelY_ = makeLabel(d_.Label_y, "Label_y");
    label2_ = makeLabel(d_.Label2, "Label2");
    x_ = makeEdit(d_.x_input, "x_input", &BenDefiniert::x_input_Change);
    labelX_ = makeLabel(d_.Label_x, "Label_x");
    label3_ = makeLabel(d_.Label3, "Label3");
    m_ = makeEdit(d_.m_input, "m_input", &BenDefiniert::m_input_Change);
    labelM_ = makeLabel(d_.Label_m, "Label_m");

    ok_ = makeButton(d_.OKButton, "OKButton", [this] { d_.OKButton_Click(); });
    cancel_ = makeButton(d_.CancelButton, "CancelButton", [this] { d_.CancelButton_Click(); });

    // Tab order: OK, Abbrechen, then the height, width and mines fields.
    setTabOrder(ok_, cancel_);
    setTabOrder(cancel_, y_);
    setTabOrder(y_, x_);
    setTabOrder(x_, m_);
    ok_->setDefault(true);
    ok_->setFocus(Qt::OtherFocusReason);
}

QLabel* BenDefiniertView::makeLabel(const Label& data, const char* name) {
    auto* l = new QLabel(QString::fromStdString(data.caption), this);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(pxRect(data.geometry));
    // A caption wider than its twips box in this font grows into the gap to its right.
    if (l->sizeHint().width() > l->width()) l->resize(l->sizeHint().width(), l->height());
    l->setAutoFillBackground(true);
    return l;
}

QLineEdit* BenDefiniertView::makeEdit(TextBox& data, const char* name, void (BenDefiniert::*changed)()) {
    auto* e = new QLineEdit(this);
    e->setObjectName(QLatin1String(name));
    e->setGeometry(pxRect(data.geometry));
    connect(e, &QLineEdit::textChanged, this, [this, &data, changed](const QString& text) {
        host_.invoke([this, &data, changed, text] {
            data.text = text.toStdString();
            (d_.*changed)();
        });
    });
    return e;
}

void BenDefiniertView::syncLabel(QLabel* label, const Label& data) {
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, toQColor(data.backColor));
    label->setPalette(pal);
}

void BenDefiniertView::syncEdit(QLineEdit* edit, const TextBox& data) {
    const QString text = QString::fromStdString(data.text);
    if (edit->text() != text) {
        const QSignalBlocker block(edit);
        edit->setText(text);
    }
    QPalette pal = edit->palette();
    pal.setColor(QPalette::Base, toQColor(data.backColor));
    edit->setPalette(pal);
}

void BenDefiniertView::sync() {
    syncLabel(label1_, d_.Label1);
    syncLabel(label2_, d_.Label2);
    syncLabel(label3_, d_.Label3);
    syncLabel(labelX_, d_.Label_x);
    syncLabel(labelY_, d_.Label_y);
    syncLabel(labelM_, d_.Label_m);
    syncEdit(x_, d_.x_input);
    syncEdit(y_, d_.y_input);
    syncEdit(m_, d_.m_input);
}

void BenDefiniertView::closeBoxUsed() {
    host_.invoke([this] { d_.CancelButton_Click(); });
}

}  // namespace gravlin::ui
