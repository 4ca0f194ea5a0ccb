// The custom field dialog driven by typing, OK and Cancel.
#include <QAction>
#include <QtTest>

#include "ben_definiert_view.h"
#include "view_test_support.h"

using namespace gravlin;
using namespace gravlin::ui;

class TstCustomDialog : public QObject, public test::RunningGui {
    Q_OBJECT

    static void retype(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }

private slots:
    void initTestCase() { setUpApplication(); }
    void init() {
        QVERIFY(startGui());
    }
    void cleanup() { QVERIFY(stopGui()); }

    void typedValuesStartACustomGame() {
        bool checkedLayout = false;
        test::answerNextModal([&](QWidget* w) {
            auto* d = dynamic_cast<BenDefiniertView*>(w);
            QVERIFY(d);
            QCOMPARE(d->windowTitle(), QStringLiteral("Benutzerdefinierte Einstellung"));
            QCOMPARE(d->size(), QSize(303, 125));
            QCOMPARE(d->xInput()->text(), QStringLiteral("16"));
            QCOMPARE(d->yInput()->text(), QStringLiteral("16"));
            QCOMPARE(d->mInput()->text(), QStringLiteral("40"));
            QCOMPARE(QApplication::focusWidget(), d->okButton());
            QCOMPARE(d->rangeX()->palette().color(QPalette::Window), QColor(0xC0, 0xFF, 0xC0));
            retype(d->xInput(), QStringLiteral("20"));
            retype(d->yInput(), QStringLiteral("10"));
            retype(d->mInput(), QStringLiteral("50"));
            checkedLayout = true;
            QTest::mouseClick(d->okButton(), Qt::LeftButton);
        });
        view().action("benutzerdefiniert")->trigger();
        QVERIFY(checkedLayout);
        QCOMPARE(form().x_game, 20);
        QCOMPARE(form().y_game, 10);
        QCOMPARE(form().no_mines_game, 50);
        QCOMPARE(test::visibleCells(view()), 200);
        QVERIFY(view().action("benutzerdefiniert")->isChecked());
        QVERIFY(!view().action("Fortgeschrittene")->isChecked());

        // The next opening shows the accepted entry, even after a standard level.
        view().action("Anfänger")->trigger();
        test::answerNextModal([](QWidget* w) {
            auto* d = dynamic_cast<BenDefiniertView*>(w);
            QVERIFY(d);
            QCOMPARE(d->xInput()->text(), QStringLiteral("20"));
            QCOMPARE(d->yInput()->text(), QStringLiteral("10"));
            QCOMPARE(d->mInput()->text(), QStringLiteral("50"));
            QTest::mouseClick(d->cancelButton(), Qt::LeftButton);
        });
        view().action("benutzerdefiniert")->trigger();
        QCOMPARE(form().x_game, 9);
        QVERIFY(view().action("Anfänger")->isChecked());
    }

    void badValuesTurnRedAndTypingTurnsThemBack() {
        test::answerNextModal([&](QWidget* w) {
            auto* d = dynamic_cast<BenDefiniertView*>(w);
            QVERIFY(d);
            retype(d->xInput(), QStringLiteral("31"));
            retype(d->yInput(), QStringLiteral("25"));
            retype(d->mInput(), QStringLiteral("abc"));
            const int beeps = gui->host.beepCount();
            QTest::mouseClick(d->okButton(), Qt::LeftButton);
            QVERIFY(d->isVisible());
            QCOMPARE(gui->host.beepCount(), beeps + 3);
            for (QLabel* l : {d->rangeX(), d->rangeY(), d->rangeM()})
                QCOMPARE(l->palette().color(QPalette::Window), QColor(255, 0, 0));
            for (QLineEdit* e : {d->xInput(), d->yInput(), d->mInput()})
                QCOMPARE(e->palette().color(QPalette::Base), QColor(255, 0, 0));
            QTest::keyClick(d->yInput(), Qt::Key_Backspace);
            QCOMPARE(d->rangeY()->palette().color(QPalette::Window), QColor(0xC0, 0xFF, 0xC0));
            QCOMPARE(d->rangeX()->palette().color(QPalette::Window), QColor(255, 0, 0));
            QTest::keyClick(d, Qt::Key_Escape);
        });
        view().action("benutzerdefiniert")->trigger();
        QCOMPARE(form().x_game, 16);
        QVERIFY(view().action("Fortgeschrittene")->isChecked());
    }

    void tooManyMinesAreCappedSilently() {
        test::answerNextModal([&](QWidget* w) {
            auto* d = dynamic_cast<BenDefiniertView*>(w);
            QVERIFY(d);
            retype(d->xInput(), QStringLiteral("3"));
            retype(d->yInput(), QStringLiteral("3"));
            retype(d->mInput(), QStringLiteral("9"));
            QTest::mouseClick(d->okButton(), Qt::LeftButton);
        });
        view().action("benutzerdefiniert")->trigger();
        QCOMPARE(form().no_mines_game, 8);
        QCOMPARE(view().minesLabel()->text(), QStringLiteral("008"));
    }

    void tabOrderRunsFromOkThroughTheFields() {
        test::answerNextModal([&](QWidget* w) {
            auto* d = dynamic_cast<BenDefiniertView*>(w);
            QVERIFY(d);
            QWidget* expected[] = {d->cancelButton(), d->yInput(), d->xInput(), d->mInput(), d->okButton()};
            for (QWidget* next : expected) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QCOMPARE(QApplication::focusWidget(), next);
            }
            QTest::mouseClick(d->cancelButton(), Qt::LeftButton);
        });
        view().action("benutzerdefiniert")->trigger();
    }
};

QTEST_MAIN(TstCustomDialog)
#include "tst_custom_dialog.moc"
