// The custom field dialog driven by typing, OK and Cancel.
#include <QAction>
#include <QtTest>

#include "ben_definiert_view.h"
#include "view_test_support.h"

using namespace gravlin;
using namespace gravlin::ui;

class TstCustomDialog : public test::RunningGui {
    Q_OBJECT

    static void retype(QLineEdit* edit, const QString& text) {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, text);
    }
    // Opens the dialog from the menu and hands it to `drive`, which must close it.
    void openDialog(const std::function<void(BenDefiniertView*)>& drive) {
        bool driven = false;
        test::answerNextModal([&](QWidget* w) {
            auto* d = dynamic_cast<BenDefiniertView*>(w);
            QVERIFY(d);
            driven = true;
            drive(d);
        });
        view().action("benutzerdefiniert")->trigger();
        QVERIFY(driven);
    }
    static QStringList entries(BenDefiniertView* d) {
        return {d->xInput()->text(), d->yInput()->text(), d->mInput()->text()};
    }
    static QColor green() { return QColor(0xC0, 0xFF, 0xC0); }

  private slots:
    void typedValuesStartACustomGameAndCancelKeepsTheLevel() {
        openDialog([](BenDefiniertView* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Benutzerdefinierte Einstellung"));
            QCOMPARE(d->size(), QSize(303, 125));
            QCOMPARE(entries(d), (QStringList{"16", "16", "40"}));
            QCOMPARE(d->rangeX()->palette().color(QPalette::Window), green());
            // Focus starts on OK; Tab runs through Cancel and the fields back to OK.
            QCOMPARE(QApplication::focusWidget(), d->okButton());
            QWidget* order[] = {d->cancelButton(), d->yInput(), d->xInput(), d->mInput(), d->okButton()};
            for (QWidget* next : order) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QCOMPARE(QApplication::focusWidget(), next);
            }
            retype(d->xInput(), QStringLiteral("20"));
            retype(d->yInput(), QStringLiteral("10"));
            retype(d->mInput(), QStringLiteral("50"));
            QTest::mouseClick(d->okButton(), Qt::LeftButton);
        });
        QCOMPARE(form().x_game, 20);
        QCOMPARE(form().y_game, 10);
        QCOMPARE(form().no_mines_game, 50);
        QCOMPARE(test::visibleCells(view()), 200);
        QCOMPARE(view().minesLabel()->text(), QStringLiteral("050"));
        QVERIFY(view().action("benutzerdefiniert")->isChecked());
        QVERIFY(!view().action("Fortgeschrittene")->isChecked());

        // The next opening shows the accepted entry, even after a standard level.
        view().action("Anfänger")->trigger();
        openDialog([](BenDefiniertView* d) {
            QCOMPARE(entries(d), (QStringList{"20", "10", "50"}));
            QTest::mouseClick(d->cancelButton(), Qt::LeftButton);
        });
        QCOMPARE(form().x_game, 9);
        QVERIFY(view().action("Anfänger")->isChecked());
    }

    void badValuesTurnRedAndTypingTurnsThemBack() {
        openDialog([](BenDefiniertView* d) {
            retype(d->xInput(), QStringLiteral("31"));
            retype(d->yInput(), QStringLiteral("25"));
            retype(d->mInput(), QStringLiteral("abc"));
            QTest::mouseClick(d->okButton(), Qt::LeftButton);
            QVERIFY(d->isVisible());
            for (QLabel* l : {d->rangeX(), d->rangeY(), d->rangeM()})
                QCOMPARE(l->palette().color(QPalette::Window), QColor(255, 0, 0));
            for (QLineEdit* e : {d->xInput(), d->yInput(), d->mInput()})
                QCOMPARE(e->palette().color(QPalette::Base), QColor(255, 0, 0));
            QTest::keyClick(d->yInput(), Qt::Key_Backspace);
            QCOMPARE(d->rangeY()->palette().color(QPalette::Window), green());
            QCOMPARE(d->rangeX()->palette().color(QPalette::Window), QColor(255, 0, 0));
            QTest::keyClick(d, Qt::Key_Escape);
        });
        QCOMPARE(form().x_game, 16);
        QVERIFY(view().action("Fortgeschrittene")->isChecked());
    }
};

QTEST_MAIN(TstCustomDialog)
#include "tst_custom_dialog.moc"
