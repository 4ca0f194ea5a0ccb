#pragma once
// What the program's logic needs from the desktop and the system goes through Host: the Qt
// layer implements it for the real program, tests implement it with a recording fake.
// Three things go their own way: the engine library (Engine, equations/engine.h), the
// registry (Registry, info/registry.h), and files, which the logic opens itself with the C
// library: saved games and mine layouts in storage/src/file_access.cpp, the trace file's
// deletion in equations/. Tests meet those on real files in temporary folders.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace gravlin {

class Window;

enum class MsgButtons : std::uint8_t { Ok, YesNo };
enum class MsgIcon : std::uint8_t { None, Critical, Question, Exclamation, Information };
enum class MsgResult : std::uint8_t { Ok, Yes, No, Cancel };

struct FileDialogRequest {
    std::string initialFolder;
    std::string fileName;          // preset text of the name field, e.g. "*.qzd"
    std::string filter;            // a bare pattern, e.g. "*.qzd"
    std::string defaultExtension;  // added to a name typed without one, e.g. "qzd"
    bool forSaving = false;        // the save dialog; otherwise the open dialog
};

// What an HTTP GET brought back. The body is never longer than kHttpBodyLimit.
struct HttpResult {
    enum class Outcome : std::uint8_t {
        Ok,
        TimedOut,
        Refused,
        HostNotFound,
        HttpError,
        TooLarge,
        OtherError
    };
    Outcome outcome = Outcome::OtherError;
    int status = 0;         // the HTTP status code; 0 when no answer arrived
    std::string body;       // the bytes received, cut off at the limit
    std::string errorText;  // for OtherError: a German sentence that says what failed
};
inline constexpr std::size_t kHttpBodyLimit = std::size_t{1} << 20;

class Host {
  public:
    virtual ~Host() = default;

    // A modal message box; the title names the operation.
    virtual MsgResult messageBox(const std::string& text, MsgButtons buttons, MsgIcon icon,
                                 const std::string& title) = 0;
    virtual void beep() = 0;
    // Brings the views up to date, then lets pending events run once.
    virtual void doEvents() = 0;
    // Brings the views up to date and paints them at once, without running other events.
    virtual void repaintNow() = 0;
    // The hourglass pointer over the main window (true) or the default pointer.
    virtual void setBusyPointer(bool busy) = 0;
    // Moves the keyboard focus to the named control of the window.
    virtual void setFocus(Window& window, const std::string& control) = 0;

    // Shows the window modally and returns when it has been closed.
    virtual void showModal(Window& window, Window* owner) = 0;
    // Shows the window without blocking.
    virtual void showModeless(Window& window) = 0;
    // Unloads the window; for the main window this ends the program.
    virtual void closeWindow(Window& window) = 0;
    // Ends the program after a failure it has told the user of: unloads the main window as
    // closeWindow does, and the process then ends with a status that reports the failure.
    virtual void endAfterFailure(Window& mainWindow) { closeWindow(mainWindow); }

    // The full path chosen, or nothing when the dialog was cancelled or failed.
    virtual std::optional<std::string> fileDialog(const FileDialogRequest& request) = 0;
    // The folder the program itself lies in.
    virtual std::string programFolder() = 0;
    // The user's documents folder as the desktop names it (empty when it names none; the
    // folder need not exist), and the user's home folder.
    virtual std::string documentsFolder() = 0;
    virtual std::string homeFolder() = 0;
    // True when the folder exists and the user may create files in it.
    virtual bool folderWritable(const std::string& path) = 0;

    // True when a regular file, or a link to one, answers to the name.
    virtual bool fileExists(const std::string& path) = 0;
    // Starts the program in a normal window, without waiting; false when it cannot start.
    virtual bool startProgram(const std::string& path) = 0;
    // The variable's value, empty when it is not set.
    virtual std::string environmentVariable(const std::string& name) = 0;
    // Fetches the URL and returns when the answer is complete, the body exceeds the limit
    // or timeoutMs has passed. Window contents stay painted while it waits; user input
    // waits until it returns.
    virtual HttpResult httpGet(const std::string& url, int timeoutMs) = 0;
};

}  // namespace gravlin
