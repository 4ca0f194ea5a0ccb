#pragma once
#include <memory>

#include "gravlin/app/program.h"
#include "main_window_view.h"
#include "qt_host.h"

namespace gravlin::ui {

// The running program: the Qt host, the program's logic and the main window's view.
// Needs a QApplication.
class GravlinGui {
  public:
    GravlinGui();
    ~GravlinGui();

    // Runs start-up and shows the main window.
    void start();

    QtHost host;
    Program program;
    MainWindowView* view() const { return view_.get(); }

  private:
    std::unique_ptr<MainWindowView> view_;
};

// Application-wide look: Fusion with the classic grey palette, the icon, the names.
void setUpApplication();

}  // namespace gravlin::ui
