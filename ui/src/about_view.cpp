#include "about_view.h"

#include "pictures.h"
#include "qt_host.h"
#include "twips.h"

namespace gravlin::ui {

namespace {

QLabel* makeLabel(const Label& data, QWidget* parent, const char* name) {
    auto* l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(pxRect(data.geometry));
    l->setFont(toQFont(data.font));
    l->setTextFormat(Qt::PlainText);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

}  // namespace

AboutView::AboutView(QtHost& host, frmAbout& about, QWidget* parent)
    : DialogView(host, about, parent), d_(about) {
    setClientSize(d_.geometry.width, d_.geometry.height);
    icon_ = new QLabel(this);
    icon_->setObjectName(QStringLiteral("picIcon"));
    icon_->setGeometry(pxRect(d_.picIcon.geometry));
    icon_->setAlignment(Qt::AlignCenter);
    title_ = makeLabel(d_.lblTitle, this, "lblTitle");
    version_ = makeLabel(d_.lblVersion, this, "lblVersion");

    history_ = new QPlainTextEdit(this);
    history_->setObjectName(QStringLiteral("Beschreibung"));
    history_->setGeometry(pxRect(d_.Beschreibung.geometry));
    history_->setFont(toQFont(d_.Beschreibung.font));
    history_->setReadOnly(true);
    history_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    history_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    history_->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    disclaimer_ = makeLabel(d_.lblDisclaimer, this, "lblDisclaimer");
    disclaimer_->setWordWrap(true);

    ok_ = makeButton(d_.cmdOK, "cmdOK", [this] { d_.cmdOK_Click(); });
    sysInfo_ = makeButton(d_.cmdSysInfo, "cmdSysInfo", [this] { d_.cmdSysInfo_Click(); });

    setTabOrder(ok_, sysInfo_);
    setTabOrder(sysInfo_, history_);
    ok_->setDefault(true);
    ok_->setFocus(Qt::OtherFocusReason);
}

void AboutView::sync() {
    setWindowTitle(QString::fromStdString(d_.caption));
    title_->setText(QString::fromStdString(d_.lblTitle.caption));
    version_->setText(QString::fromStdString(d_.lblVersion.caption));
    disclaimer_->setText(QString::fromStdString(d_.lblDisclaimer.caption));
    if (drawnHistory_ != d_.Beschreibung.text) {
        drawnHistory_ = d_.Beschreibung.text;
        history_->setPlainText(plainLines(drawnHistory_));
    }
    if (drawnPicture_ != d_.picIcon.picture) {
        drawnPicture_ = d_.picIcon.picture;
        if (drawnPicture_ == Picture::None) {
            icon_->clear();
        } else {
            icon_->setPixmap(drawPicture(drawnPicture_, devicePixelRatioF()));
        }
    }
}

}  // namespace gravlin::ui
