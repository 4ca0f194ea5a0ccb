#include "qt_host.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <exception>
#include <string>

#include "gravlin/text.h"
#include "twips.h"

namespace gravlin::ui {

// ---- DialogView ---------------------------------------------------------------------------

DialogView::DialogView(QtHost& host, Window& window, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      host_(host),
      window_(window) {
    setWindowTitle(QString::fromStdString(window.caption));
}

void DialogView::finish() {
    finishing_ = true;
    done(QDialog::Accepted);
    hide();
}

void DialogView::closeBoxUsed() {
    host_.invoke([this] { host_.closeWindow(window_); });
}

void DialogView::reject() {
    if (finishing_) {
        QDialog::reject();
        return;
    }
    closeBoxUsed();
}

void DialogView::closeEvent(QCloseEvent* event) {
    if (finishing_) {
        QDialog::closeEvent(event);
        return;
    }
    event->ignore();
    closeBoxUsed();
}

void DialogView::setClientSize(float widthTwips, float heightTwips) {
    setFixedSize(px(widthTwips), px(heightTwips));
}

QPushButton* DialogView::makeButton(const CommandButton& data, const char* name,
                                    std::function<void()> click) {
    auto* b = new QPushButton(QString::fromStdString(data.caption), this);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(pxRect(data.geometry));
    connect(b, &QPushButton::clicked, this, [this, click = std::move(click)] { host_.invoke(click); });
    return b;
}

// ---- QtHost -------------------------------------------------------------------------------

QtHost::QtHost() = default;
QtHost::~QtHost() {
    delete network_;
}

void QtHost::invoke(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& e) {
        refreshViews();
        QMessageBox::critical(mainView_ ? mainView_->widget() : nullptr, QString::fromUtf8(kProgramTitle),
                              QStringLiteral("Interner Fehler: %1\nDer Befehl wurde abgebrochen.")
                                  .arg(QString::fromUtf8(e.what())));
    }
    refreshViews();
}

void QtHost::refreshViews() {
    if (beforeRefresh) beforeRefresh();
    if (mainView_) mainView_->sync();
    for (auto& [window, view] : open_) {
        if (view) view->sync();
    }
}

DialogView* QtHost::openView(const Window& window) const {
    auto it = open_.find(&window);
    return it == open_.end() ? nullptr : it->second.data();
}

MsgResult QtHost::messageBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                             const std::string& title) {
    refreshViews();
    QMessageBox box(mainView_ ? mainView_->widget() : nullptr);
    box.setWindowTitle(QString::fromStdString(title));
    box.setText(QString::fromStdString(text));
    switch (icon) {
        case MsgIcon::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
        case MsgIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
        case MsgIcon::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case MsgIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case MsgIcon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
    }
    if (buttons == MsgButtons::YesNo) {
        QPushButton* yes = box.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? MsgResult::Yes : MsgResult::No;
    }
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
    return MsgResult::Ok;
}

void QtHost::beep() {
    QApplication::beep();
}

void QtHost::doEvents() {
    // Bringing the views up to date costs a pass over every control; a screen shows no more
    // than one new frame every 16 ms anyway, so faster loops refresh at that rate.
    if (!sinceRefresh_.isValid() || sinceRefresh_.elapsed() >= kRefreshIntervalMs) {
        refreshViews();
        sinceRefresh_.start();
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtHost::repaintNow() {
    refreshViews();
    if (mainView_) mainView_->paintNow();
}

void QtHost::setBusyPointer(bool busy) {
    if (!mainView_) return;
    if (busy) {
        mainView_->widget()->setCursor(Qt::WaitCursor);
    } else {
        mainView_->widget()->unsetCursor();
    }
}

void QtHost::setFocus(Window& window, const std::string& control) {
    if (mainView_ && &mainView_->window() == &window) {
        mainView_->focusControl(control);
    } else if (DialogView* v = openView(window)) {
        v->focusControl(control);
    }
}

DialogView* QtHost::createView(Window& window, QWidget* parent) {
    auto it = factories_.find(std::type_index(typeid(window)));
    if (it == factories_.end()) return nullptr;
    return it->second(*this, window, parent);
}

QWidget* QtHost::parentFor(Window* owner) const {
    if (!owner) return nullptr;
    if (mainView_ && &mainView_->window() == owner) return mainView_->widget();
    return openView(*owner);
}

void QtHost::showModal(Window& window, Window* owner) {
    refreshViews();
    DialogView* view = createView(window, parentFor(owner));
    if (!view) {
        window.loaded = false;
        return;
    }
    window.loaded = true;
    open_[&window] = view;
    view->setWindowModality(Qt::ApplicationModal);
    view->sync();
    view->exec();
    open_.erase(&window);
    window.loaded = false;
    delete view;
    refreshViews();
}

void QtHost::showModeless(Window& window) {
    DialogView* view = openView(window);
    if (!view) {
        view = createView(window, nullptr);
        if (!view) return;
        view->setAttribute(Qt::WA_DeleteOnClose);
        open_[&window] = view;
    }
    window.loaded = true;
    view->sync();
    view->show();
    view->raise();
}

void QtHost::closeWindow(Window& window) {
    window.loaded = false;
    if (mainView_ && &mainView_->window() == &window) {
        // The main window is unloaded: every other window goes with it and the program ends.
        for (auto& [w, view] : open_) {
            if (view) view->finish();
        }
        mainView_->widget()->close();
        QCoreApplication::quit();
        return;
    }
    auto it = open_.find(&window);
    if (it == open_.end()) return;
    QPointer<DialogView> view = it->second;
    if (view) {
        if (view->testAttribute(Qt::WA_DeleteOnClose)) open_.erase(it);
        view->finish();
        if (view && view->testAttribute(Qt::WA_DeleteOnClose)) view->deleteLater();
    }
}

void QtHost::endAfterFailure(Window& mainWindow) {
    closeWindow(mainWindow);
    QCoreApplication::exit(1);
}

std::optional<std::string> QtHost::fileDialog(const FileDialogRequest& request) {
    refreshViews();
    QFileDialog dialog(mainView_ ? mainView_->widget() : nullptr);
    dialog.setDirectory(QString::fromStdString(request.initialFolder));
    dialog.setNameFilter(QString::fromStdString(request.filter));
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    dialog.setAcceptMode(request.forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.forSaving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);  // the program asks itself
    if (!request.fileName.empty()) dialog.selectFile(QString::fromStdString(request.fileName));
    // A name with a wildcard (the preset "*.qzd" accepted as it stands) is a filter for
    // the list, not a file to write: the dialog stays open with that filter.
    while (dialog.exec() == QDialog::Accepted) {
        const QStringList files = dialog.selectedFiles();
        if (files.isEmpty()) return std::nullopt;
        const QString name = QFileInfo(files.first()).fileName();
        if (!name.contains(QLatin1Char('*')) && !name.contains(QLatin1Char('?'))) {
            return QDir::toNativeSeparators(files.first()).toStdString();
        }
        dialog.setDirectory(QFileInfo(files.first()).absolutePath());
        dialog.setNameFilter(name);
        dialog.selectFile(name);
    }
    return std::nullopt;
}

std::string QtHost::programFolder() {
    return QCoreApplication::applicationDirPath().toStdString();
}

std::string QtHost::documentsFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
}

std::string QtHost::homeFolder() {
    return QDir::homePath().toStdString();
}

bool QtHost::folderWritable(const std::string& path) {
    // Creating a file needs the right to write the folder and to enter it.
    const QFileInfo folder(QString::fromStdString(path));
    return folder.isDir() && folder.isWritable() && folder.isExecutable();
}

bool QtHost::fileExists(const std::string& path) {
    return QFileInfo(QString::fromStdString(path)).isFile();
}

bool QtHost::startProgram(const std::string& path) {
    if (path.empty()) return false;
    return QProcess::startDetached(QString::fromStdString(path), {});
}

std::string QtHost::environmentVariable(const std::string& name) {
    return qEnvironmentVariable(name.c_str()).toStdString();
}

namespace {

struct NetworkErrorText {
    QNetworkReply::NetworkError error;
    HttpResult::Outcome outcome;
    const char* text;  // for OtherError: what the page window says instead of the page
};

// Qt's own descriptions are English and name library internals; every code gets a German
// sentence here, or an outcome whose text the window knows.
constexpr NetworkErrorText kNetworkErrors[] = {
    {QNetworkReply::NoError, HttpResult::Outcome::Ok, nullptr},
    {QNetworkReply::ConnectionRefusedError, HttpResult::Outcome::Refused, nullptr},
    {QNetworkReply::RemoteHostClosedError, HttpResult::Outcome::OtherError,
     "Der Server hat die Verbindung vorzeitig beendet."},
    {QNetworkReply::HostNotFoundError, HttpResult::Outcome::HostNotFound, nullptr},
    {QNetworkReply::TimeoutError, HttpResult::Outcome::TimedOut, nullptr},
    {QNetworkReply::OperationCanceledError, HttpResult::Outcome::OtherError,
     "Die Anfrage wurde abgebrochen."},
    {QNetworkReply::SslHandshakeFailedError, HttpResult::Outcome::OtherError,
     "Die sichere Verbindung (TLS) konnte nicht aufgebaut werden."},
    {QNetworkReply::TemporaryNetworkFailureError, HttpResult::Outcome::OtherError,
     "Das Netzwerk ist vorübergehend nicht erreichbar."},
    {QNetworkReply::NetworkSessionFailedError, HttpResult::Outcome::OtherError,
     "Es besteht keine Verbindung zum Netzwerk."},
    {QNetworkReply::BackgroundRequestNotAllowedError, HttpResult::Outcome::OtherError,
     "Das System lässt die Anfrage im Hintergrund nicht zu."},
    {QNetworkReply::TooManyRedirectsError, HttpResult::Outcome::OtherError,
     "Der Server leitet die Anfrage immer weiter um (zu viele Weiterleitungen)."},
    {QNetworkReply::InsecureRedirectError, HttpResult::Outcome::OtherError,
     "Der Server leitet die Anfrage an eine unsichere Adresse weiter."},
    {QNetworkReply::UnknownNetworkError, HttpResult::Outcome::OtherError,
     "Im Netzwerk ist ein unbekannter Fehler aufgetreten."},
    {QNetworkReply::ProxyConnectionRefusedError, HttpResult::Outcome::OtherError,
     "Der Proxy-Server hat die Verbindung abgelehnt."},
    {QNetworkReply::ProxyConnectionClosedError, HttpResult::Outcome::OtherError,
     "Der Proxy-Server hat die Verbindung vorzeitig beendet."},
    {QNetworkReply::ProxyNotFoundError, HttpResult::Outcome::OtherError,
     "Der Proxy-Server wurde nicht gefunden."},
    {QNetworkReply::ProxyTimeoutError, HttpResult::Outcome::OtherError,
     "Der Proxy-Server hat nicht rechtzeitig geantwortet."},
    {QNetworkReply::ProxyAuthenticationRequiredError, HttpResult::Outcome::OtherError,
     "Der Proxy-Server verlangt eine Anmeldung."},
    {QNetworkReply::UnknownProxyError, HttpResult::Outcome::OtherError,
     "Beim Proxy-Server ist ein unbekannter Fehler aufgetreten."},
    {QNetworkReply::ContentAccessDenied, HttpResult::Outcome::OtherError,
     "Der Server verweigert den Zugriff auf die Seite."},
    {QNetworkReply::ContentOperationNotPermittedError, HttpResult::Outcome::OtherError,
     "Der Server lässt diese Anfrage nicht zu."},
    {QNetworkReply::ContentNotFoundError, HttpResult::Outcome::OtherError,
     "Die Seite wurde auf dem Server nicht gefunden."},
    {QNetworkReply::AuthenticationRequiredError, HttpResult::Outcome::OtherError,
     "Der Server verlangt eine Anmeldung."},
    {QNetworkReply::ContentReSendError, HttpResult::Outcome::OtherError,
     "Die Anfrage hätte erneut gesendet werden müssen; das war nicht möglich."},
    {QNetworkReply::ContentConflictError, HttpResult::Outcome::OtherError,
     "Die Anfrage passt nicht zum Zustand der Seite auf dem Server."},
    {QNetworkReply::ContentGoneError, HttpResult::Outcome::OtherError,
     "Die Seite gibt es auf dem Server nicht mehr."},
    {QNetworkReply::UnknownContentError, HttpResult::Outcome::OtherError,
     "Beim Abruf der Seite ist ein unbekannter Fehler aufgetreten."},
    {QNetworkReply::ProtocolUnknownError, HttpResult::Outcome::OtherError,
     "Das Protokoll der Adresse wird nicht unterstützt."},
    {QNetworkReply::ProtocolInvalidOperationError, HttpResult::Outcome::OtherError,
     "Die Anfrage ist mit diesem Protokoll nicht möglich."},
    {QNetworkReply::ProtocolFailure, HttpResult::Outcome::OtherError,
     "Die Antwort des Servers ist fehlerhaft."},
    {QNetworkReply::InternalServerError, HttpResult::Outcome::OtherError,
     "Auf dem Server ist ein interner Fehler aufgetreten."},
    {QNetworkReply::OperationNotImplementedError, HttpResult::Outcome::OtherError,
     "Der Server kennt diese Anfrage nicht."},
    {QNetworkReply::ServiceUnavailableError, HttpResult::Outcome::OtherError,
     "Der Dienst ist auf dem Server zurzeit nicht verfügbar."},
    {QNetworkReply::UnknownServerError, HttpResult::Outcome::OtherError,
     "Auf dem Server ist ein unbekannter Fehler aufgetreten."},
};

}  // namespace

bool describeNetworkError(QNetworkReply::NetworkError error, HttpResult& result) {
    for (const NetworkErrorText& e : kNetworkErrors) {
        if (e.error != error) continue;
        result.outcome = e.outcome;
        result.errorText = e.text ? e.text : "";
        return true;
    }
    // A code of a later Qt: still German, with its number for whoever reads it out.
    result.outcome = HttpResult::Outcome::OtherError;
    result.errorText =
        "Die Verbindung ist fehlgeschlagen (Fehler " + std::to_string(static_cast<int>(error)) + ").";
    return false;
}

HttpResult QtHost::httpGet(const std::string& url, int timeoutMs) {
    using Outcome = HttpResult::Outcome;
    HttpResult result;
    const QUrl address(QString::fromStdString(url), QUrl::StrictMode);
    if (!address.isValid()) {
        result.errorText = "Die Adresse der Seite ist ungültig.";
        return result;
    }
    refreshViews();
    if (!network_) network_ = new QNetworkAccessManager;
    QNetworkRequest request(address);
    QNetworkReply* reply = network_->get(request);

    QByteArray body;
    bool timedOut = false;
    bool tooLarge = false;
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        const qint64 room = static_cast<qint64>(kHttpBodyLimit) - body.size();
        body += reply->read(room);
        if (reply->bytesAvailable() > 0) {
            tooLarge = true;
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    deadline.start(std::max(timeoutMs, 0));
    // Paints go on while the page comes in; input waits, so no second command can start.
    if (!reply->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
    deadline.stop();

    if (!tooLarge && !timedOut) {
        const qint64 room = static_cast<qint64>(kHttpBodyLimit) - body.size();
        body += reply->read(room);
        tooLarge = reply->bytesAvailable() > 0;
    }
    result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    result.body = body.toStdString();
    if (tooLarge) {
        result.outcome = Outcome::TooLarge;
    } else if (timedOut) {
        result.outcome = Outcome::TimedOut;
    } else if (result.status >= 400) {
        result.outcome = Outcome::HttpError;
    } else {
        describeNetworkError(reply->error(), result);
    }
    reply->deleteLater();
    return result;
}

}  // namespace gravlin::ui
