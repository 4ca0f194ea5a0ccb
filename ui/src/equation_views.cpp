#include "equation_views.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

#include "qt_host.h"
#include "twips.h"

namespace gravlin::ui {

TextWindowView::TextWindowView(QtHost& host, TextWindow& window, QWidget* parent)
    : DialogView(host, window, parent), w_(window) {
    setClientSize(w_.geometry.width, w_.geometry.height);
    if (w_.geometry.left != 0 || w_.geometry.top != 0) move(px(w_.geometry.left), px(w_.geometry.top));
    text_ = new QPlainTextEdit(this);
    text_->setObjectName("Text1");
    text_->setReadOnly(true);
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text_->setGeometry(pxRect(w_.Text1.geometry));
    text_->setLineWrapMode(w_.Text1.horizontalScrollBar ? QPlainTextEdit::NoWrap
                                                        : QPlainTextEdit::WidgetWidth);
    text_->setHorizontalScrollBarPolicy(w_.Text1.horizontalScrollBar ? Qt::ScrollBarAlwaysOn
                                                                     : Qt::ScrollBarAlwaysOff);
    text_->setVerticalScrollBarPolicy(w_.Text1.verticalScrollBar ? Qt::ScrollBarAlwaysOn
                                                                 : Qt::ScrollBarAsNeeded);
    if (!w_.Text1.font.name.empty()) text_->setFont(toQFont(w_.Text1.font));
    QPalette pal = text_->palette();
    pal.setColor(QPalette::Base, toQColor(w_.Text1.backColor));
    text_->setPalette(pal);

    ok_ = makeButton(w_.OKButton, "OKButton", [this] { w_.OKButton_Click(); });
    ok_->setDefault(true);
}

void TextWindowView::sync() {
    setWindowTitle(QString::fromStdString(w_.caption));
    if (first_ || w_.Text1.text != drawnText_) {
        const QString t = plainLines(w_.Text1.text);
        text_->setPlainText(t);
        drawnText_ = w_.Text1.text;
        first_ = false;
        if (!w_.Text1.horizontalScrollBar && !w_.Text1.verticalScrollBar) fitText(t);
    }
}

void TextWindowView::fitText(const QString& text) {
    // The layout in twips was made for one font on one system; with another font (or
    // another scale) the text may need more room. The box, and the window with it, then
    // grow to the text; they never shrink below the layout.
    const QFontMetricsF metrics(text_->font());
    qreal widest = 0;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
    const qreal margins = 2 * (text_->document()->documentMargin() + text_->frameWidth());
    // Room for the text cursor at the end of the longest line, so that it does not wrap.
    const int needWidth = static_cast<int>(std::ceil(widest + margins + metrics.averageCharWidth()));
    const int needHeight = static_cast<int>(std::ceil(lines.size() * metrics.lineSpacing() + margins + 2));

    const QRect box = pxRect(w_.Text1.geometry);
    const int dw = std::max(0, needWidth - box.width());
    const int dh = std::max(0, needHeight - box.height());
    text_->setGeometry(box.adjusted(0, 0, dw, dh));
    ok_->setGeometry(pxRect(w_.OKButton.geometry).translated(dw / 2, dh));
    setFixedSize(px(w_.geometry.width) + dw, px(w_.geometry.height) + dh);
}

void registerEquationViews(QtHost& host) {
    host.registerDialog<frmGleichungssystem, TextWindowView>();
    host.registerDialog<KeineLoesung, TextWindowView>();
    host.registerDialog<frmWahrscheinlichkeit, TextWindowView>();
}

}  // namespace gravlin::ui
