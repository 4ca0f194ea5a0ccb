#pragma once
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <array>
#include <vector>

#include "cell_button.h"
#include "gravlin/board/form1.h"
#include "view.h"

class QAction;

namespace gravlin::ui {

class QtHost;

// The main window: menu bar, the frame with the remaining-mines label, the three tool
// buttons and the field of cells, and the status bar.
class MainWindowView : public QMainWindow, public View {
  public:
    MainWindowView(QtHost& host, Form1& form);

    Window& window() override { return form_; }
    QWidget* widget() override { return this; }
    void sync() override;
    void focusControl(const std::string& control) override;
    void paintNow() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    struct MenuBinding {
        MenuNode* node;
        QAction* action;
        MenuItem drawn;
    };
    struct ToolButton {
        QPushButton* button;
        const CommandButton* data;
        CommandButton drawn;
        bool first = true;
    };

    void buildMenus();
    void syncWindowSize();
    void syncToolButton(ToolButton& t);
    QPushButton* makeToolButton(const std::function<void()>& click);

    QtHost& host_;
    Form1& form_;
    QWidget* central_ = nullptr;
    QFrame* frame1_ = nullptr;
    QFrame* frame2_ = nullptr;
    QLabel* minesLabel_ = nullptr;
    QPushButton* startStop_ = nullptr;
    QPushButton* glSolve_ = nullptr;
    QPushButton* klickGreen_ = nullptr;
    QPushButton* dummy_ = nullptr;
    QLabel* statusText_ = nullptr;
    std::array<CellButton*, kCellButtons> cells_{};
    std::vector<MenuBinding> menus_;
    std::vector<ToolButton> tools_;
    Label drawnLabel_;
    Frame drawnFrame1_, drawnFrame2_;
    Geometry drawnWindow_;
    Geometry drawnDummy_;
    std::string drawnStatus_;
    std::string drawnCaption_;
    bool first_ = true;
};

}  // namespace gravlin::ui
