#pragma once
// Helpers shared by the view tests.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <QtTest>
#include <functional>
#include <memory>

#include "gravlin_gui.h"
#include "positions.h"

namespace gravlin::ui::test {

using testing::findCell;
using testing::layStripes;

// Base of every view test: init() starts the program with a fixed seed, cleanup() ends it
// and proves that no window was left open. `afterStart` lets a test prepare more.
class RunningGui : public QObject {
    Q_OBJECT
  public:
    std::unique_ptr<GravlinGui> gui;

    MainWindowView& view() { return *gui->view(); }
    Form1& form() { return gui->program.form; }

  protected:
    virtual void afterStart() {}

  private slots:
    void initTestCase() { setUpApplication(); }
    void init() {
        gui = std::make_unique<GravlinGui>();
        gui->program.form.seedSource = [] { return 4711ULL; };
        gui->start();
        QVERIFY(QTest::qWaitForWindowExposed(gui->view()));
        afterStart();
    }
    void cleanup() {
        gui.reset();
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible(), "a window was left open");
    }
};

// Runs `answer` on the next modal window to appear; if that window is still open a few
// seconds later it is rejected, so a broken test fails instead of hanging.
inline void answerNextModal(std::function<void(QWidget*)> answer) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        poll->stop();
        poll->deleteLater();
        answer(modal);
        QTimer::singleShot(3000, modal, [modal] {
            auto* d = qobject_cast<QDialog*>(modal);
            if (!d || !d->isVisible()) return;
            qWarning("modal window left open; rejecting it");
            d->reject();
        });
    });
    poll->start(20);
    QTimer::singleShot(5000, poll, [poll] { poll->deleteLater(); });
}

// Presses and releases the mouse button on the cell, as the user does.
inline void press(MainWindowView& view, int index, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mousePress(view.cell(index), button, Qt::NoModifier, QPoint(8, 8));
    QTest::mouseRelease(view.cell(index), button, Qt::NoModifier, QPoint(8, 8));
}

inline int visibleCells(const MainWindowView& view) {
    int n = 0;
    for (int i = 0; i < kCellButtons; ++i) n += view.cell(i)->isVisible() ? 1 : 0;
    return n;
}

}  // namespace gravlin::ui::test
