#include "gravlin_gui.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include "about_view.h"
#include "ben_definiert_view.h"
#include "equation_views.h"
#include "gravlin/info/frm_about.h"
#include "gravlin/text.h"
#include "on_screen.h"
#include "pictures.h"
#include "style.h"
#include "twips.h"
#include "www_view.h"

namespace gravlin::ui {

bool installQtTranslation(const QString& folder) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_de"), folder)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

void setUpApplication() {
    // German numbers, dates and key names, whatever the user's locale; the standard dialogs,
    // buttons and context menus speak German when Qt's catalogue is installed, and English
    // (but still work) when it is not.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    installQtTranslation(QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    QApplication::setApplicationName(QString::fromUtf8(kProgramTitle));
    QApplication::setApplicationVersion(QString::fromStdString(frmAbout::versionNumber()));
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
    qApp->installEventFilter(new WindowsOnScreen(qApp));
}

GravlinGui::GravlinGui(Engine* engine) : program(host, engine) {
    // The main window shows the game whenever a view draws, also in the middle of a command
    // (the working face of a solver run, a message box, a pass of the event loop).
    host.beforeRefresh = [this] { program.showGame(); };
    host.registerDialog<BenDefiniert, BenDefiniertView>();
    host.registerDialog<frmAbout, AboutView>();
    host.registerDialog<WWW, WwwView>();
    registerEquationViews(host);
}

GravlinGui::~GravlinGui() {
    host.beforeRefresh = nullptr;
    host.setMainView(nullptr);
}

void GravlinGui::start(const std::string& file) {
    view_ = std::make_unique<MainWindowView>(host, program.form);
    host.setMainView(view_.get());
    host.invoke([this] { program.start(); });
    view_->show();
    // The file loads once the event loop runs, which a failed read ends.
    if (!file.empty()) {
        QTimer::singleShot(0, view_.get(),
                           [this, file] { host.invoke([this, &file] { program.flow.openFile(file); }); });
    }
}

}  // namespace gravlin::ui
