#pragma once
#include <QDialog>
#include <functional>
#include <string>

#include "gravlin/controls.h"
#include "gravlin/window.h"

class QPushButton;

namespace gravlin::ui {

class QtHost;

// A Qt view of one window's data. It keeps what it drew last and applies only changes.
class View {
  public:
    virtual ~View() = default;
    virtual Window& window() = 0;
    virtual QWidget* widget() = 0;
    // Brings the widgets up to date with the window's data.
    virtual void sync() = 0;
    virtual void focusControl(const std::string& /*control*/) {}
    // Paints at once what the logic wants seen before it goes on (the working face).
    virtual void paintNow() { widget()->repaint(); }
};

// Base of the views of secondary windows: a dialog that is shown modally (exec) or not.
// Closing it by its close box or Escape asks the logic, which then unloads it.
class DialogView : public QDialog, public View {
  public:
    DialogView(QtHost& host, Window& window, QWidget* parent);
    Window& window() override { return window_; }
    QWidget* widget() override { return this; }
    // Ends the dialog after the logic has unloaded its window.
    void finish();

  protected:
    // The close box (or Escape) was used; by default this unloads the window.
    virtual void closeBoxUsed();
    void reject() override;
    void closeEvent(QCloseEvent* event) override;
    void setClientSize(float widthTwips, float heightTwips);
    // A push button drawn from the control's data and named after the control; a click runs
    // `click` in the logic.
    QPushButton* makeButton(const CommandButton& data, const char* name, std::function<void()> click);

    QtHost& host_;

  private:
    Window& window_;
    bool finishing_ = false;
};

}  // namespace gravlin::ui
