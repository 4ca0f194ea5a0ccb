#pragma once
// Helpers shared by the view tests.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <QtTest>
#include <functional>
#include <memory>

#include "gravlin/board/form1.h"
#include "gravlin_gui.h"

namespace gravlin::ui::test {

inline bool noTopLevelLeft();

// The running program of one test function: started by init(), gone by cleanup(), which
// also proves that no window was left open.
struct RunningGui {
    std::unique_ptr<GravlinGui> gui;

    MainWindowView& view() { return *gui->view(); }
    Form1& form() { return gui->program.form; }

    // `beforeStart` may set up the program's logic before start-up runs.
    bool startGui(const std::function<void(GravlinGui&)>& beforeStart = {}) {
        gui = std::make_unique<GravlinGui>();
        if (beforeStart) beforeStart(*gui);
        gui->start();
        return QTest::qWaitForWindowExposed(gui->view());
    }
    bool stopGui() {
        gui.reset();
        return noTopLevelLeft();
    }
};

// Runs `answer` on the next modal window to appear; if that window is still open a few
// seconds later it is rejected, so a broken test fails instead of hanging.
inline void answerNextModal(std::function<void(QWidget*)> answer) {
    auto* poll = new QTimer;
    poll->setInterval(20);
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, answer, tries] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal) {
            poll->stop();
            poll->deleteLater();
            QPointer<QWidget> guard(modal);
            answer(modal);
            QTimer::singleShot(3000, [guard] {
                if (guard && guard->isVisible()) {
                    qWarning("modal window left open; rejecting it");
                    if (auto* d = qobject_cast<QDialog*>(guard.data())) d->reject();
                }
            });
        } else if (++*tries > 250) {
            poll->stop();
            poll->deleteLater();
        }
    });
    poll->start();
}

// Index of a covered cell without (or with) a mine, -1 if none.
inline int findCell(const Form1& f, bool mine) {
    for (int L = 0; L < f.x_game * f.y_game; ++L) {
        const int x = L % f.x_game + 1;
        const int y = L / f.x_game + 1;
        if (!f.visible(x, y) && f.is_mine(x, y) == mine) return L;
    }
    return -1;
}

// Lays the given mines (x, y) on the new game in play, as a loaded layout would, so that
// the next left press plays against them.
inline void layMines(Form1& f, std::initializer_list<std::pair<int, int>> mines) {
    for (auto [x, y] : mines) f.is_mine(x, y) = true;
    f.countMinesOfEveryCell();
    f.save_mine.enabled = true;
    f.save.enabled = true;
}

// Ten mines on 9 x 9 in the top and bottom rows, every other column: the first press in
// the middle opens most of the board, and single numbers cannot decide the rest.
inline void layStripes(Form1& f) {
    layMines(f, {{1, 1}, {3, 1}, {5, 1}, {7, 1}, {9, 1}, {1, 9}, {3, 9}, {5, 9}, {7, 9}, {9, 9}});
}

inline int visibleCells(const MainWindowView& view) {
    int n = 0;
    for (int i = 0; i < kCellButtons; ++i) n += view.cell(i)->isVisible() ? 1 : 0;
    return n;
}

inline bool noTopLevelLeft() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible()) return false;
    }
    return true;
}

}  // namespace gravlin::ui::test
