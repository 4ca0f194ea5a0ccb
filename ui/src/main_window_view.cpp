#include "main_window_view.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QWindow>

#include "pictures.h"
#include "qt_host.h"
#include "twips.h"

namespace gravlin::ui {

MainWindowView::MainWindowView(QtHost& host, Form1& form) : host_(host), form_(form) {
    setWindowIcon(appIcon());
    central_ = new QWidget(this);
    setCentralWidget(central_);

    frame1_ = new QFrame(central_);
    frame1_->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame1_->setObjectName("Frame1");
    frame2_ = new QFrame(frame1_);
    frame2_->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame2_->setObjectName("Frame2");

    minesLabel_ = new QLabel(frame1_);
    minesLabel_->setObjectName("MinesLabel");
    minesLabel_->setAlignment(Qt::AlignCenter);
    minesLabel_->setAutoFillBackground(true);

    startStop_ = makeToolButton([this] { form_.StartStop_Click(); });
    startStop_->setObjectName("StartStop");
    glSolve_ = makeToolButton([this] { form_.GlSolve_Click(); });
    glSolve_->setObjectName("GlSolve");
    klickGreen_ = makeToolButton([this] { form_.KlickGreen_Click(); });
    klickGreen_->setObjectName("KlickGreen");
    tools_.push_back({startStop_, &form_.StartStop, {}, true});
    tools_.push_back({glSolve_, &form_.GlSolve, {}, true});
    tools_.push_back({klickGreen_, &form_.KlickGreen, {}, true});

    // Takes the keyboard focus away from the tool buttons; it lies out of sight.
    dummy_ = new QPushButton(central_);
    dummy_->setObjectName("Dummy");

    for (int i = 0; i < kCellButtons; ++i) {
        auto* cell = new CellButton(i, frame2_);
        cell->pressed = [this](int index, int button) {
            host_.invoke([this, index, button] {
                form_.Command1_MouseDown(static_cast<std::int16_t>(index), static_cast<std::int16_t>(button));
            });
        };
        cells_[static_cast<std::size_t>(i)] = cell;
    }

    statusText_ = new QLabel(this);
    statusText_->setObjectName("StatusBar1");
    statusBar()->addWidget(statusText_, 1);
    statusBar()->setSizeGripEnabled(false);

    buildMenus();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    sync();
}

QPushButton* MainWindowView::makeToolButton(const std::function<void()>& click) {
    auto* b = new QPushButton(frame1_);
    b->setIconSize(QSize(28, 28));
    connect(b, &QPushButton::clicked, this, [this, click] { host_.invoke(click); });
    return b;
}

void MainWindowView::buildMenus() {
    QMenu* current = nullptr;
    for (MenuNode& node : form_.menuTree) {
        if (node.depth == 0) {
            current = menuBar()->addMenu(QString::fromStdString(node.item->caption));
            current->setObjectName(QString::fromStdString(node.name));
            menus_.push_back({&node, current->menuAction(), *node.item});
            continue;
        }
        if (!current) continue;
        QAction* action = nullptr;
        if (node.item->caption == "-") {
            action = current->addSeparator();
        } else {
            action = current->addAction(QString::fromStdString(node.item->caption));
            if (!node.item->shortcut.empty()) {
                action->setShortcut(QKeySequence(QString::fromStdString(node.item->shortcut)));
                action->setShortcutContext(Qt::WindowShortcut);
                addAction(action);  // the shortcut works while the menus are closed
            }
            ClickSlot* click = node.click;
            connect(action, &QAction::triggered, this, [this, click] {
                if (click) host_.invoke([click] { (*click)(); });
            });
        }
        action->setObjectName(QString::fromStdString(node.name));
        action->setVisible(node.item->visible);
        action->setEnabled(node.item->enabled);
        action->setCheckable(node.item->checked);
        action->setChecked(node.item->checked);
        menus_.push_back({&node, action, *node.item});
    }
}

void MainWindowView::syncWindowSize() {
    // The window's outer size in twips; the client area is what the borders of the original
    // frame (8 pixels across, title and menu bar, status bar) leave of it: the frame of the
    // field sits 8 pixels below the menu bar.
    const int clientWidth = px(form_.geometry.width - 120);
    const int clientHeight = px(form_.Frame1.geometry.top + form_.Frame1.geometry.height);
    central_->setFixedSize(std::max(clientWidth, 1), std::max(clientHeight, 1));
}

void MainWindowView::syncToolButton(ToolButton& t) {
    const CommandButton& d = *t.data;
    if (!t.first && d == t.drawn) return;
    const qreal dpr = devicePixelRatioF();
    if (t.first || d.picture != t.drawn.picture) t.button->setIcon(QIcon(drawPicture(d.picture, dpr)));
    if (t.first || d.toolTip != t.drawn.toolTip) t.button->setToolTip(QString::fromStdString(d.toolTip));
    if (t.first || d.geometry != t.drawn.geometry) t.button->setGeometry(pxRect(d.geometry));
    if (t.first || d.visible != t.drawn.visible) t.button->setVisible(d.visible);
    if (t.first || d.enabled != t.drawn.enabled) t.button->setEnabled(d.enabled);
    t.drawn = d;
    t.first = false;
}

void MainWindowView::sync() {
    if (first_ || form_.caption != drawnCaption_) {
        setWindowTitle(QString::fromStdString(form_.caption));
        drawnCaption_ = form_.caption;
    }
    if (first_ || form_.geometry != drawnWindow_ || form_.Frame1 != drawnFrame1_) {
        syncWindowSize();
        drawnWindow_ = form_.geometry;
    }
    if (first_ || form_.Frame1 != drawnFrame1_) {
        frame1_->setGeometry(pxRect(form_.Frame1.geometry));
        drawnFrame1_ = form_.Frame1;
    }
    if (first_ || form_.Frame2 != drawnFrame2_) {
        frame2_->setGeometry(pxRect(form_.Frame2.geometry));
        drawnFrame2_ = form_.Frame2;
    }
    const Label& l = form_.MinesLabel;
    if (first_ || l != drawnLabel_) {
        minesLabel_->setText(QString::fromStdString(l.caption));
        minesLabel_->setToolTip(QString::fromStdString(l.toolTip));
        QPalette pal = minesLabel_->palette();
        pal.setColor(QPalette::Window, toQColor(l.backColor));
        pal.setColor(QPalette::WindowText, toQColor(l.foreColor));
        minesLabel_->setPalette(pal);
        QFont font = toQFont(l.font);
        minesLabel_->setFont(font);
        minesLabel_->setGeometry(pxRect(l.geometry));
        minesLabel_->setVisible(l.visible);
        drawnLabel_ = l;
    }
    for (auto& t : tools_) syncToolButton(t);
    if (first_ || form_.Dummy.geometry != drawnDummy_) {
        dummy_->setGeometry(pxRect(form_.Dummy.geometry));
        drawnDummy_ = form_.Dummy.geometry;
    }
    for (int i = 0; i < kCellButtons; ++i)
        cells_[static_cast<std::size_t>(i)]->apply(form_.Command1[static_cast<std::size_t>(i)]);
    if (first_ || form_.StatusBar1.text != drawnStatus_) {
        statusText_->setText(QString::fromStdString(form_.StatusBar1.text));
        drawnStatus_ = form_.StatusBar1.text;
    }
    for (auto& m : menus_) {
        const MenuItem& item = *m.node->item;
        if (!first_ && item == m.drawn && m.action->isChecked() == item.checked) continue;
        if (item.caption != "-") m.action->setText(QString::fromStdString(item.caption));
        m.action->setVisible(item.visible);
        m.action->setEnabled(item.enabled);
        if (item.checked) m.action->setCheckable(true);
        m.action->setChecked(item.checked);
        m.drawn = item;
    }
    first_ = false;
}

// Only the face button is repainted at once; the field follows with the next pass of the
// event loop, so a solver run does not repaint 720 cells twice.
void MainWindowView::paintNow() {
    for (auto& t : tools_) t.button->repaint();
}

void MainWindowView::focusControl(const std::string& control) {
    if (control == "Dummy") dummy_->setFocus(Qt::OtherFocusReason);
}

void MainWindowView::closeEvent(QCloseEvent* event) {
    // Closing the window unloads it, which ends the program.
    event->accept();
    form_.loaded = false;
    QCoreApplication::quit();
}

}  // namespace gravlin::ui
