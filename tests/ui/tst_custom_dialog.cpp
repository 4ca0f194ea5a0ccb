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
        action("benutzerdefiniert")->trigger();
        QVERIFY(driven);
    }
    static QLineEdit* field(QWidget* d, const char* name) { return test::named<QLineEdit>(d, name); }
    static QLabel* range(QWidget* d, const char* name) { return test::named<QLabel>(d, name); }
    static QPushButton* button(QWidget* d, const char* name) { return test::named<QPushButton>(d, name); }
    static QStringList entries(BenDefiniertView* d) {
        return {field(d, "x_input")->text(), field(d, "y_input")->text(), field(d, "m_input")->text()};
    }
    static QColor green() { return QColor(0xC0, 0xFF, 0xC0); }

  private slots:
    void typedValuesStartACustomGameAndCancelKeepsTheLevel() {
        openDialog([](BenDefiniertView* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Benutzerdefinierte Einstellung"));
            QCOMPARE(d->size(), QSize(303, 125));
            QCOMPARE(entries(d), (QStringList{"16", "16", "40"}));
            QCOMPARE(range(d, "Label_x")->palette().color(QPalette::Window), green());
            // Focus starts on OK; Tab runs through Cancel and the fields back to OK.
            QCOMPARE(QApplication::focusWidget(), button(d, "OKButton"));
            QWidget* order[] = {button(d, "CancelButton"), field(d, "y_input"), field(d, "x_input"),
                                field(d, "m_input"), button(d, "OKButton")};
            for (QWidget* next : order) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QCOMPARE(QApplication::focusWidget(), next);
            }
            retype(field(d, "x_input"), QStringLiteral("20"));
            retype(field(d, "y_input"), QStringLiteral("10"));
            retype(field(d, "m_input"), QStringLiteral("50"));
            QTest::mouseClick(button(d, "OKButton"), Qt::LeftButton);
        });
        QCOMPARE(form().x_game, 20);
        QCOMPARE(form().y_game, 10);
        QCOMPARE(form().no_mines_game, 50);
        QCOMPARE(test::visibleCells(view()), 200);
        QCOMPARE(named<QLabel>("MinesLabel")->text(), QStringLiteral("050"));
        QVERIFY(action("benutzerdefiniert")->isChecked());
        QVERIFY(!action("Fortgeschrittene")->isChecked());

        // The next opening shows the accepted entry, even after a standard level.
        action("Anfänger")->trigger();
        openDialog([](BenDefiniertView* d) {
            QCOMPARE(entries(d), (QStringList{"20", "10", "50"}));
            QTest::mouseClick(button(d, "CancelButton"), Qt::LeftButton);
        });
        QCOMPARE(form().x_game, 9);
        QVERIFY(action("Anfänger")->isChecked());
    }

    void badValuesTurnRedAndTypingTurnsThemBack() {
        openDialog([](BenDefiniertView* d) {
            retype(field(d, "x_input"), QStringLiteral("31"));
            retype(field(d, "y_input"), QStringLiteral("25"));
            retype(field(d, "m_input"), QStringLiteral("abc"));
            QTest::mouseClick(button(d, "OKButton"), Qt::LeftButton);
            QVERIFY(d->isVisible());
            for (QLabel* l : {range(d, "Label_x"), range(d, "Label_y"), range(d, "Label_m")})
                QCOMPARE(l->palette().color(QPalette::Window), QColor(255, 0, 0));
            for (QLineEdit* e : {field(d, "x_input"), field(d, "y_input"), field(d, "m_input")})
                QCOMPARE(e->palette().color(QPalette::Base), QColor(255, 0, 0));
            QTest::keyClick(field(d, "y_input"), Qt::Key_Backspace);
            QCOMPARE(range(d, "Label_y")->palette().color(QPalette::Window), green());
            QCOMPARE(range(d, "Label_x")->palette().color(QPalette::Window), QColor(255, 0, 0));
            QTest::keyClick(d, Qt::Key_Escape);
        });
        QCOMPARE(form().x_game, 16);
        QVERIFY(action("Fortgeschrittene")->isChecked());
    }
};

QTEST_MAIN(TstCustomDialog)
#include "tst_custom_dialog.moc"
