#pragma once
// A recording Host for logic tests: message boxes and dialogs are answered from queues or
// callbacks the test sets up, and everything the logic asked for is kept for inspection.

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "gravlin/host.h"
#include "gravlin/window.h"

namespace gravlin::testing {

struct RecordedMessage {
    std::string text;
    MsgButtons buttons;
    MsgIcon icon;
    std::string title;
};

class FakeHost : public Host {
  public:
    // Answers to the next message boxes; an empty queue answers Ok (or No for Yes/No).
    std::deque<MsgResult> messageAnswers;
    // Called while a window is shown modally; it plays the user's part (for example calls
    // OKButton_Click). If the window is still loaded afterwards it is closed as if by its
    // close box, so a broken test cannot hang.
    std::function<void(Window&)> onModal;
    // Answers to the next file dialogs; an empty queue cancels.
    std::deque<std::optional<std::string>> fileAnswers;
    std::function<void()> onDoEvents;

    std::vector<RecordedMessage> messages;
    std::vector<Window*> modalShown, closed;
    std::vector<FileDialogRequest> fileRequests;
    std::vector<std::string> focus;
    std::vector<bool> pointerChanges;
    int beeps = 0, doEventsCalls = 0;
    bool busyPointer = false;
    std::string folder = "/opt/gravlin/bin", documents = "/home/spieler/Dokumente", home = "/home/spieler";
    std::vector<std::string> unwritableFolders;  // every other folder may be written
    // Platform services: files that exist, programs that start, the environment and the
    // answers to HTTP GETs (an empty queue answers "host not found").
    std::vector<std::string> existingFiles;
    bool programsStart = true;
    std::map<std::string, std::string> environment;
    std::deque<HttpResult> httpAnswers;

    std::vector<std::string> fileChecks, startedPrograms, httpRequests;

    MsgResult messageBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                         const std::string& title) override {
        messages.push_back({text, buttons, icon, title});
        return next(messageAnswers, buttons == MsgButtons::YesNo ? MsgResult::No : MsgResult::Ok);
    }
    void beep() override { ++beeps; }
    void doEvents() override {
        ++doEventsCalls;
        if (onDoEvents) onDoEvents();
    }
    void repaintNow() override {}
    void setBusyPointer(bool busy) override {
        busyPointer = busy;
        pointerChanges.push_back(busy);
    }
    void setFocus(Window&, const std::string& control) override { focus.push_back(control); }
    void showModal(Window& window, Window*) override {
        modalShown.push_back(&window);
        window.loaded = true;
        if (onModal) onModal(window);
        if (window.loaded) closeWindow(window);
    }
    void showModeless(Window& window) override { window.loaded = true; }
    void closeWindow(Window& window) override {
        closed.push_back(&window);
        window.loaded = false;
    }
    std::optional<std::string> fileDialog(const FileDialogRequest& request) override {
        fileRequests.push_back(request);
        return next(fileAnswers, std::optional<std::string>());
    }
    std::string programFolder() override { return folder; }
    std::string documentsFolder() override { return documents; }
    std::string homeFolder() override { return home; }
    bool folderWritable(const std::string& path) override {
        return std::find(unwritableFolders.begin(), unwritableFolders.end(), path) == unwritableFolders.end();
    }
    bool fileExists(const std::string& path) override {
        fileChecks.push_back(path);
        return std::find(existingFiles.begin(), existingFiles.end(), path) != existingFiles.end();
    }
    bool startProgram(const std::string& path) override {
        startedPrograms.push_back(path);
        return programsStart;
    }
    std::string environmentVariable(const std::string& name) override {
        auto it = environment.find(name);
        return it == environment.end() ? std::string() : it->second;
    }
    HttpResult httpGet(const std::string& url, int /*timeoutMs*/) override {
        httpRequests.push_back(url);
        return next(httpAnswers, HttpResult{HttpResult::Outcome::HostNotFound, 0, {}, {}});
    }

  private:
    // The front of `answers`, taken off, or `otherwise` when there is none.
    template <class T>
    static T next(std::deque<T>& answers, T otherwise) {
        if (answers.empty()) return otherwise;
        T r = answers.front();
        answers.pop_front();
        return r;
    }
};

}  // namespace gravlin::testing
