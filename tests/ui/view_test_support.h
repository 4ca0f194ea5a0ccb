#pragma once
// Helpers shared by the view tests.
#include <QtTest>
#include <QtWidgets>
#include <functional>
#include <memory>

#include "equation_views.h"
#include "gravlin_gui.h"
#include "pictures.h"
#include "positions.h"

namespace gravlin::ui::test {

// The child of `parent` with the object name the view gave the control; the test binary
// stops at once when there is none.
template <typename T = QWidget>
T* named(const QObject* parent, const QString& name) {
    T* found = parent->findChild<T*>(name);
    if (!found) qFatal("no %s named %s", T::staticMetaObject.className(), qPrintable(name));
    return found;
}

// The cell buttons of the main window's field, in the order of their index.
inline QList<QPushButton*> cells(const QWidget& window) {
    return named<QFrame>(&window, QStringLiteral("Frame2"))
        ->findChildren<QPushButton*>(Qt::FindDirectChildrenOnly);
}

inline int visibleCells(const QWidget& window) {
    const QList<QPushButton*> all = cells(window);
    return static_cast<int>(
        std::count_if(all.begin(), all.end(), [](QPushButton* c) { return c->isVisible(); }));
}

// Presses and releases the mouse button on the cell, as the user does.
inline void press(const QWidget& window, int index, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mousePress(cells(window).at(index), button, Qt::NoModifier, QPoint(8, 8));
    QTest::mouseRelease(cells(window).at(index), button, Qt::NoModifier, QPoint(8, 8));
}

// Base of every view test: init() starts the program with a fixed seed, cleanup() ends it
// and proves that no window was left open. `afterStart` lets a test prepare more.
class RunningGui : public QObject {
    Q_OBJECT
  public:
    std::unique_ptr<GravlinGui> gui;

    MainWindowView& view() { return *gui->view(); }
    Form1& form() { return gui->program.form; }
    // Controls and menu items of the main window, by name.
    template <typename T = QWidget>
    T* named(const QString& name) {
        return test::named<T>(gui->view(), name);
    }
    QAction* action(const QString& name) { return named<QAction>(name); }
    QPushButton* cell(int index) { return cells(view()).at(index); }

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
            if (d && d->isVisible()) d->reject();
        });
    });
    poll->start(20);
    QTimer::singleShot(5000, poll, [poll] { poll->deleteLater(); });
}

// Runs `open`, which must show a modal window, and hands that window to `drive`, which
// must close it.
inline void runModal(const std::function<void()>& open, const std::function<void(QWidget*)>& drive) {
    bool driven = false;
    answerNextModal([&](QWidget* w) {
        driven = true;
        drive(w);
    });
    open();
    QVERIFY2(driven, "no modal window appeared");
}

}  // namespace gravlin::ui::test
