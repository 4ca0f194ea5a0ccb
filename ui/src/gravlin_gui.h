#pragma once
#include <QString>
#include <memory>
#include <string>

#include "gravlin/app/program.h"
#include "main_window_view.h"
#include "qt_host.h"

namespace gravlin::ui {

// The running program: the Qt host, the program's logic and the main window's view.
// Needs a QApplication.
class GravlinGui {
  public:
    // Without an engine given, the program binds the engine library at its first use.
    explicit GravlinGui(Engine* engine = nullptr);
    ~GravlinGui();

    // Runs start-up and shows the main window; then, with the event loop, loads the file
    // if one is named (a saved game, or a mine layout .txt), as the menu loads it.
    void start(const std::string& file = {});

    QtHost host;
    Program program;
    MainWindowView* view() const { return view_.get(); }

  private:
    std::unique_ptr<MainWindowView> view_;
};

// Loads Qt's own German catalogue (qtbase_de) from the folder; false when it is not there.
bool installQtTranslation(const QString& folder);

// Application-wide look: Fusion with the classic grey palette, the icon, the names.
void setUpApplication();

}  // namespace gravlin::ui
