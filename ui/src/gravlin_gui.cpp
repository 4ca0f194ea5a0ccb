#include "gravlin_gui.h"

#include <QApplication>
#include <QFont>

#include "about_view.h"
#include "ben_definiert_view.h"
#include "equation_views.h"
#include "pictures.h"
#include "style.h"
#include "twips.h"
#include "www_view.h"

namespace gravlin::ui {

void setUpApplication() {
    QApplication::setApplicationName(QStringLiteral("Gravlin"));
    QApplication::setApplicationVersion(QStringLiteral(GRAVLIN_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(GRAVLIN_DESKTOP_ID));
    // The windows are laid out in twips for an 8-point sans-serif face; narrow faces keep
    // the captions inside their controls where that face is missing.
    QFont::insertSubstitutions(
        QStringLiteral("MS Sans Serif"),
        {QStringLiteral("Liberation Sans Narrow"), QStringLiteral("DejaVu Sans Condensed"),
         QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(
        QStringLiteral("Courier New"),
        {QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Noto Mono")});
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    QApplication::setFont(font);
    QApplication::setStyle(new GravlinStyle);
    QApplication::setPalette(classicPalette());
    QApplication::setWindowIcon(appIcon());
    QApplication::setQuitOnLastWindowClosed(false);
}

GravlinGui::GravlinGui() : program(host) {
    host.registerDialog<BenDefiniert, BenDefiniertView>();
    host.registerDialog<frmAbout, AboutView>();
    host.registerDialog<WWW, WwwView>();
    registerEquationViews(host);
}

GravlinGui::~GravlinGui() {
    host.setMainView(nullptr);
}

void GravlinGui::start() {
    view_ = std::make_unique<MainWindowView>(host, program.form);
    host.setMainView(view_.get());
    host.invoke([this] { program.start(); });
    view_->show();
}

}  // namespace gravlin::ui
