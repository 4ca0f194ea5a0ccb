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
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <exception>

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
    setFixedSize(static_cast<int>(widthTwips / 15.0f + 0.5f), static_cast<int>(heightTwips / 15.0f + 0.5f));
}

// ---- QtHost -------------------------------------------------------------------------------

QtHost::QtHost() = default;
QtHost::~QtHost() {
    delete network_;
}

void QtHost::invoke(const std::function<void()>& handler) {
    ++invokeDepth_;
    try {
        handler();
    } catch (const std::exception& e) {
        refreshViews();
        QMessageBox::critical(mainView_ ? mainView_->widget() : nullptr, QStringLiteral("Gravlin"),
                              QStringLiteral("Interner Fehler: %1\nDer Befehl wurde abgebrochen.")
                                  .arg(QString::fromLocal8Bit(e.what())));
    }
    --invokeDepth_;
    refreshViews();
}

void QtHost::refreshViews() {
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
    ++beeps_;
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

HttpResult QtHost::httpGet(const std::string& url, int timeoutMs) {
    using Outcome = HttpResult::Outcome;
    HttpResult result;
    const QUrl address(QString::fromStdString(url), QUrl::StrictMode);
    if (!address.isValid()) {
        result.errorText = "ungültige Adresse";
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
    const QNetworkReply::NetworkError error = reply->error();
    if (tooLarge) {
        result.outcome = Outcome::TooLarge;
    } else if (timedOut || error == QNetworkReply::TimeoutError) {
        result.outcome = Outcome::TimedOut;
    } else if (result.status >= 400) {
        result.outcome = Outcome::HttpError;
    } else if (error == QNetworkReply::ConnectionRefusedError) {
        result.outcome = Outcome::Refused;
    } else if (error == QNetworkReply::HostNotFoundError) {
        result.outcome = Outcome::HostNotFound;
    } else if (error == QNetworkReply::NoError) {
        result.outcome = Outcome::Ok;
    } else {
        result.outcome = Outcome::OtherError;
        result.errorText = reply->errorString().toStdString();
    }
    reply->deleteLater();
    return result;
}

}  // namespace gravlin::ui
