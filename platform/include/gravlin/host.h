#pragma once
// Everything the program's logic needs from the outside world goes through Host: the Qt
// layer implements it for the real program, tests implement it with a recording fake.

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
    std::string fileName;   // preset text of the name field, e.g. "*.qzd"
    std::string filter;     // a bare pattern, e.g. "*.qzd"
    std::string defaultExtension;  // added to a name typed without one, e.g. "qzd"
    bool forSaving = false;  // the save dialog; otherwise the open dialog
};

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

    // The full path chosen, or nothing when the dialog was cancelled or failed.
    virtual std::optional<std::string> fileDialog(const FileDialogRequest& request) = 0;
    // The folder the program itself lies in.
    virtual std::string programFolder() = 0;
};

}  // namespace gravlin
