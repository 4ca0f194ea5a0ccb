// The equation system in the real window with the real engine: the solve and sweep
// buttons, the system as text, the probability window and the notice.
#include <QAction>
#include <QtTest>

#include "equation_views.h"
#include "gravlin/equations/windows.h"
#include "view_test_support.h"

using namespace gravlin;
using namespace gravlin::ui;

class TstEquationWindows : public QObject, public test::RunningGui {
    Q_OBJECT

    static TextWindowView* textWindow(const QString& title) {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* v = dynamic_cast<TextWindowView*>(w);
            if (v && v->isVisible() && v->windowTitle() == title) return v;
        }
        return nullptr;
    }

private slots:
    void initTestCase() { setUpApplication(); }
    void init() {
        QVERIFY(startGui());
        view().action("Anfänger")->trigger();
    }
    void cleanup() { QVERIFY(stopGui()); }

    void solveAndSweepButtonsFinishWhatTheEquationsDecide() {
        test::layStripes(form());
        QTest::mousePress(view().cell(40), Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));
        QVERIFY(form().game_running);
        QTest::mouseClick(view().glSolve(), Qt::LeftButton);
        // The two rows of mines alternate with free cells that the equations decide.
        for (int x : {2, 4, 6, 8}) {
            QCOMPARE(form().Command1[static_cast<std::size_t>(x - 1)].tag, std::string("1"));
            QCOMPARE(form().Command1[static_cast<std::size_t>(x - 1)].backColor, 0x00C0FFC0u);
        }
        QCOMPARE(form().Command1[0].backColor, 0x00C0C0FFu);  // a mine: light red
        QVERIFY(!view().action("wahrscheinlichkeiten")->isEnabled());
        QTest::mouseClick(view().klickGreen(), Qt::LeftButton);
        QVERIFY(!form().game_running);
        QCOMPARE(view().minesLabel()->text(), QStringLiteral("000"));
    }

    void theSystemIsShownAsSelectableText() {
        test::layStripes(form());
        QTest::mousePress(view().cell(40), Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));
        QString shown;
        test::answerNextModal([&](QWidget* w) {
            auto* v = dynamic_cast<TextWindowView*>(w);
            QVERIFY(v);
            QCOMPARE(v->windowTitle(), QStringLiteral("Gleichungssystem"));
            shown = v->text()->toPlainText();
            QVERIFY(v->text()->isReadOnly());
            QVERIFY(v->text()->textInteractionFlags() & Qt::TextSelectableByMouse);
            QCOMPARE(v->okButton()->text(), QStringLiteral("Schliessen"));
            QTest::mouseClick(v->okButton(), Qt::LeftButton);
        });
        view().action("EqsGes")->trigger();
        QVERIFY(shown.startsWith(QStringLiteral("linsolve ( {\n\na[ 01,01 ] + a[ 02,01 ] = 1,\n")));
        QVERIFY(shown.endsWith(QStringLiteral("\n} )\n")));
    }

    void probabilitiesOpenBesideTheGameAndCloseWithANewGame() {
        // Before the first click only the total decides anything: nothing is free.
        QTest::mouseClick(view().glSolve(), Qt::LeftButton);
        QTRY_VERIFY(view().action("wahrscheinlichkeiten")->isEnabled());
        view().action("wahrscheinlichkeiten")->trigger();
        TextWindowView* w = textWindow(QStringLiteral("Wahrscheinlichkeit"));
        QVERIFY(w);
        QVERIFY(!w->isModal());
        QVERIFY(w->text()->font().fixedPitch() || QFontInfo(w->text()->font()).fixedPitch());
        QVERIFY(w->text()->toPlainText().contains(QStringLiteral("12.3")));  // 10 mines in 81 cells
        QVERIFY(!view().action("wahrscheinlichkeiten")->isEnabled());
        // The main window stays usable: a click on a cell goes through.
        QTest::mousePress(view().cell(40), Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));
        QVERIFY(form().save_mine.enabled);
        QVERIFY(textWindow(QStringLiteral("Wahrscheinlichkeit")));
        view().action("NewGame")->trigger();
        QTRY_VERIFY(!textWindow(QStringLiteral("Wahrscheinlichkeit")));
    }

    void theNoticeShowsItsLines() {
        KeineLoesung notice(gui->host);
        notice.Text1.text = EquationSystem::kNotUniqueMessage;
        test::answerNextModal([&](QWidget* w) {
            auto* v = dynamic_cast<TextWindowView*>(w);
            QVERIFY(v);
            QCOMPARE(v->windowTitle(), QStringLiteral("NICHT eindeutig lösbar"));
            const QStringList lines = v->text()->toPlainText().split('\n');
            QCOMPARE(lines.size(), 8);
            QCOMPARE(lines.first(), QStringLiteral("Leider ist das Minenfeld nicht eindeutig berechenbar."));
            QCOMPARE(lines.last(), QStringLiteral("Viel Glück - good luck"));
            QTest::mouseClick(v->okButton(), Qt::LeftButton);
        });
        gui->host.showModal(notice, &form());
        QVERIFY(!notice.loaded);
    }
};

QTEST_MAIN(TstEquationWindows)
#include "tst_equation_windows.moc"
