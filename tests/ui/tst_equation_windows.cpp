// The equation system in the real window with the real engine: the solve and sweep
// buttons, the system as text and the probability window.
#include <QAction>
#include <QtTest>

#include "equation_views.h"
#include "view_test_support.h"

using namespace gravlin;
using namespace gravlin::ui;

class TstEquationWindows : public test::RunningGui {
    Q_OBJECT

    static TextWindowView* textWindow(const QString& title) {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* v = dynamic_cast<TextWindowView*>(w);
            if (v && v->isVisible() && v->windowTitle() == title) return v;
        }
        return nullptr;
    }
    // Opens a modal text window with `open` and returns its title and text after closing it.
    static QStringList modalText(const std::function<void()>& open) {
        QStringList shown;
        test::answerNextModal([&](QWidget* w) {
            auto* v = dynamic_cast<TextWindowView*>(w);
            QVERIFY(v);
            QVERIFY(v->text()->isReadOnly());
            QVERIFY(v->text()->textInteractionFlags() & Qt::TextSelectableByMouse);
            shown << v->windowTitle() << v->text()->toPlainText();
            QTest::mouseClick(v->okButton(), Qt::LeftButton);
        });
        open();
        return shown;
    }

    void afterStart() override { view().action("Anfänger")->trigger(); }

  private slots:
    void solveAndSweepButtonsFinishWhatTheEquationsDecide() {
        test::layStripes(form());
        test::press(view(), 40);
        QVERIFY(form().game_running);
        QTest::mouseClick(view().glSolve(), Qt::LeftButton);
        // The free cells between the mines of the top row turn light green, the mines light red.
        QCOMPARE(form().Command1[1].backColor, 0x00C0FFC0u);
        QCOMPARE(form().Command1[0].backColor, 0x00C0C0FFu);
        QVERIFY(!view().action("wahrscheinlichkeiten")->isEnabled());
        QTest::mouseClick(view().klickGreen(), Qt::LeftButton);
        QVERIFY(!form().game_running);
        QCOMPARE(view().minesLabel()->text(), QStringLiteral("000"));
    }

    void theSystemIsShownAsSelectableText() {
        test::layStripes(form());
        test::press(view(), 40);
        const QStringList shown = modalText([this] { view().action("EqsGes")->trigger(); });
        QCOMPARE(shown.value(0), QStringLiteral("Gleichungssystem"));
        QVERIFY(shown.value(1).startsWith(QStringLiteral("linsolve ( {\n\na[ 01,01 ] + a[ 02,01 ] = 1,\n")));
    }

    void probabilitiesOpenBesideTheGameAndCloseWithANewGame() {
        // Before the first click only the total decides anything: nothing is free.
        QTest::mouseClick(view().glSolve(), Qt::LeftButton);
        QTRY_VERIFY(view().action("wahrscheinlichkeiten")->isEnabled());
        view().action("wahrscheinlichkeiten")->trigger();
        TextWindowView* w = textWindow(QStringLiteral("Wahrscheinlichkeit"));
        QVERIFY(w);
        QVERIFY(!w->isModal());
        QVERIFY(QFontInfo(w->text()->font()).fixedPitch());
        QVERIFY(w->text()->toPlainText().contains(QStringLiteral("12.3")));  // 10 mines in 81 cells
        QVERIFY(!view().action("wahrscheinlichkeiten")->isEnabled());
        // The main window stays usable: a click on a cell goes through.
        test::press(view(), 40);
        QVERIFY(form().visible(5, 5));
        QVERIFY(textWindow(QStringLiteral("Wahrscheinlichkeit")));
        view().action("NewGame")->trigger();
        QTRY_VERIFY(!textWindow(QStringLiteral("Wahrscheinlichkeit")));
    }
};

QTEST_MAIN(TstEquationWindows)
#include "tst_equation_windows.moc"
