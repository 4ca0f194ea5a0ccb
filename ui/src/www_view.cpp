#include "www_view.h"

#include <algorithm>

#include "qt_host.h"
#include "twips.h"

namespace gravlin::ui {

WwwView::WwwView(QtHost& host, WWW& hints, QWidget* parent) : DialogView(host, hints, parent), d_(hints) {
    setClientSize(d_.geometry.width, d_.geometry.height);
    text_ = new QPlainTextEdit(this);
    text_->setObjectName(QStringLiteral("Text1"));
    text_->setGeometry(pxRect(d_.Text1.geometry));
    text_->setFont(toQFont(d_.Text1.font));
    // A page is shown as the characters it consists of, markup included, one line per line.
    text_->setReadOnly(true);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    label1_ = new QLabel(this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setGeometry(pxRect(d_.Label1.geometry));
    label1_->setTextFormat(Qt::PlainText);
    host_label_ = new QLabel(this);
    host_label_->setObjectName(QStringLiteral("host"));
    host_label_->setGeometry(pxRect(d_.host.geometry));
    host_label_->setTextFormat(Qt::PlainText);

    ok_ = makeButton(d_.cmdOK, "cmdOK", [this] { d_.cmdOK_Click(); });
    setTabOrder(ok_, text_);
    ok_->setDefault(true);
    ok_->setFocus(Qt::OtherFocusReason);
}

void WwwView::sync() {
    setWindowTitle(QString::fromStdString(d_.caption));
    label1_->setText(QString::fromStdString(d_.Label1.caption));
    host_label_->setText(QString::fromStdString(d_.host.caption));
    // Fonts here run wider than the layout was drawn for: keep the caption whole and move
    // the host name along rather than clip either.
    const QRect label1 = pxRect(d_.Label1.geometry);
    const int needed = label1_->sizeHint().width();
    label1_->resize(std::max(label1.width(), needed), label1.height());
    QRect hostRect = pxRect(d_.host.geometry);
    hostRect.moveLeft(std::max(hostRect.left(), label1_->geometry().right() + 5));
    host_label_->setGeometry(hostRect);
    if (drawnText_ != d_.Text1.text) {
        drawnText_ = d_.Text1.text;
        text_->setPlainText(plainLines(drawnText_));
    }
}

}  // namespace gravlin::ui
