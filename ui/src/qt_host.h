#pragma once
#include <QElapsedTimer>
#include <QNetworkReply>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <typeindex>
#include <vector>

#include "gravlin/host.h"
#include "view.h"

class QNetworkAccessManager;

namespace gravlin::ui {

// Host for the real program: Qt message boxes, dialogs, the event loop, the pointer.
class QtHost : public Host {
  public:
    using DialogFactory = std::function<DialogView*(QtHost&, Window&, QWidget* parent)>;

    QtHost();
    ~QtHost() override;

    // The view of the main window; its window's data is the main window.
    void setMainView(View* view) { mainView_ = view; }
    // Runs before the views are brought up to date: brings the windows' data in line with
    // what they show.
    std::function<void()> beforeRefresh;

    // Tells which view shows windows of type W.
    template <typename W, typename V>
    void registerDialog() {
        factories_[std::type_index(typeid(W))] = [](QtHost& host, Window& w, QWidget* parent) -> DialogView* {
            return new V(host, static_cast<W&>(w), parent);
        };
    }

    // Runs a handler of the logic, then brings every view up to date. A failure inside the
    // handler is reported instead of ending the program.
    void invoke(const std::function<void()>& handler);
    void refreshViews();
    DialogView* openView(const Window& window) const;

    // Host
    MsgResult messageBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                         const std::string& title) override;
    void beep() override;
    void doEvents() override;
    void repaintNow() override;
    void setBusyPointer(bool busy) override;
    void setFocus(Window& window, const std::string& control) override;
    void showModal(Window& window, Window* owner) override;
    void showModeless(Window& window) override;
    void closeWindow(Window& window) override;
    void endAfterFailure(Window& mainWindow) override;
    std::optional<std::string> fileDialog(const FileDialogRequest& request) override;
    std::string programFolder() override;
    std::string documentsFolder() override;
    std::string homeFolder() override;
    bool folderWritable(const std::string& path) override;
    bool fileExists(const std::string& path) override;
    bool startProgram(const std::string& path) override;
    std::string environmentVariable(const std::string& name) override;
    HttpResult httpGet(const std::string& url, int timeoutMs) override;

  private:
    DialogView* createView(Window& window, QWidget* parent);
    QWidget* parentFor(Window* owner) const;

    View* mainView_ = nullptr;
    QNetworkAccessManager* network_ = nullptr;
    std::map<std::type_index, DialogFactory> factories_;
    std::map<const Window*, QPointer<DialogView>> open_;
    static constexpr int kRefreshIntervalMs = 16;
    QElapsedTimer sinceRefresh_;
};

// Sorts a failed reply's error into the outcomes the web hints window tells apart and gives
// every other one a German sentence in errorText. False for a code the table lacks, which
// still gets a German sentence with its number.
bool describeNetworkError(QNetworkReply::NetworkError error, HttpResult& result);

}  // namespace gravlin::ui
