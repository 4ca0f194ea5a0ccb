// Playing in the real window: mouse presses on cells, the faces, label and status bar.
#include <QAction>
#include <QtTest>

#include "pictures.h"
#include "view_test_support.h"

using namespace gravlin;
using namespace gravlin::ui;

class TstGamePlay : public QObject, public test::RunningGui {
    Q_OBJECT

    void press(int index, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(view().cell(index), button, Qt::NoModifier, QPoint(8, 8));
        QTest::mouseRelease(view().cell(index), button, Qt::NoModifier, QPoint(8, 8));
    }
    QImage faceShown() {
        return view().startStop()->icon().pixmap(QSize(28, 28), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
    }
    QImage face(Picture p) { return drawPicture(p, 1.0).toImage().convertToFormat(QImage::Format_ARGB32); }

private slots:
    void initTestCase() { setUpApplication(); }
    void init() {
        QVERIFY(startGui([](GravlinGui& g) { g.program.form.seedSource = [] { return 4711ULL; }; }));
        view().action("Anfänger")->trigger();
        test::layStripes(form());
    }
    void cleanup() { QVERIFY(stopGui()); }

    void firstLeftPressOpensTheCellAndRunsTheSolver() {
        view().action("NewGame")->trigger();  // a fresh game: the press places random mines
        press(40);
        QVERIFY(form().save_mine.enabled);
        QVERIFY(form().visible(5, 5));
        QVERIFY(!form().is_mine(5, 5));
        QVERIFY(view().action("save_mine")->isEnabled());
        QVERIFY(view().statusText()->text().contains(QRegularExpression(QStringLiteral("^\\d+:\\d+ - \\d+$"))));
        QCOMPARE(view().cell(40)->text(), QString::fromStdString(form().Command1[40].caption));
        QCOMPARE(view().minesLabel()->toolTip(), QStringLiteral("Noch verdeckt: %1").arg(form().covered_left));
        QCOMPARE(faceShown(), face(form().game_running ? Picture::FaceNormal : Picture::FaceWon));
    }

    void rightPressShowsTheCoordinatesAndWarnsInPeekMode() {
        press(40);
        press(17, Qt::RightButton);
        QCOMPARE(view().statusText()->text(), QStringLiteral("Index 17: x = 9, y = 2"));
        QCOMPARE(faceShown(), face(Picture::FaceNormal));
        const int mine = test::findCell(form(), true);
        QVERIFY(mine >= 0);
        const int beepsBefore = gui->host.beepCount();
        press(mine, Qt::RightButton);
        QVERIFY(!view().statusText()->text().contains(QStringLiteral("Achtung")));
        QCOMPARE(gui->host.beepCount(), beepsBefore);
        QTest::keyClick(&view(), Qt::Key_F12, Qt::ControlModifier);
        press(mine, Qt::RightButton);
        QVERIFY(view().statusText()->text().endsWith(QStringLiteral(" - Achtung! Mine")));
        QCOMPARE(gui->host.beepCount(), beepsBefore + 1);
    }

    void pressingAMineLosesAndContinuingPlaysOn() {
        press(40);
        const int mine = test::findCell(form(), true);
        press(mine);
        QVERIFY(!form().game_running);
        QCOMPARE(faceShown(), face(Picture::FaceLost));
        QCOMPARE(form().Command1[static_cast<std::size_t>(mine)].backColor, 0x000000FFu);
        QVERIFY(view().action("loosercont")->isEnabled());
        const int safe = test::findCell(form(), false);
        press(safe);
        QVERIFY(!form().visible(safe % 9 + 1, safe / 9 + 1));  // void after the loss
        view().action("loosercont")->trigger();
        QVERIFY(form().game_running);
        press(safe);
        QVERIFY(form().visible(safe % 9 + 1, safe / 9 + 1));
    }

    void openingEverySafeCellWins() {
        press(40);
        for (int guard = 0; guard < 81 && form().game_running; ++guard) press(test::findCell(form(), false));
        QVERIFY(!form().game_running);
        QCOMPARE(view().minesLabel()->text(), QStringLiteral("000"));
        QCOMPARE(view().minesLabel()->toolTip(), QStringLiteral("Noch verdeckt: 0"));
        QCOMPARE(faceShown(), face(Picture::FaceWon));
        for (int L = 0; L < 81; ++L) {
            if (form().is_mine(L % 9 + 1, L / 9 + 1)) QCOMPARE(view().cell(L)->text(), QStringLiteral("M"));
        }
        QVERIFY(!view().action("loosercont")->isEnabled());
    }

    void theFaceButtonStartsANewGame() {
        press(40);
        QTest::mouseClick(view().startStop(), Qt::LeftButton);
        QVERIFY(!form().save_mine.enabled);
        QCOMPARE(view().minesLabel()->text(), QStringLiteral("010"));
        QCOMPARE(view().cell(40)->text(), QStringLiteral(" "));
        QCOMPARE(view().statusText()->text(), QString());
    }

    void levelsResizeTheWindow_data() {
        QTest::addColumn<QString>("level");
        QTest::addColumn<int>("cells");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("clientWidth");
        QTest::newRow("Anfänger") << "Anfänger" << 81 << "010" << 192;
        QTest::newRow("Fortgeschrittene") << "Fortgeschrittene" << 256 << "040" << 304;
        QTest::newRow("Profis") << "Profis" << 480 << "099" << 528;
    }
    void levelsResizeTheWindow() {
        QFETCH(QString, level);
        QFETCH(int, cells);
        QFETCH(QString, label);
        QFETCH(int, clientWidth);
        view().action(level.toStdString())->trigger();
        QCOMPARE(test::visibleCells(view()), cells);
        QCOMPARE(view().minesLabel()->text(), label);
        QCOMPARE(view().central()->width(), clientWidth);
        QTRY_COMPARE(view().width(), clientWidth);
        QCOMPARE(view().klickGreen()->isVisible(), cells != 81);
    }
};

QTEST_MAIN(TstGamePlay)
#include "tst_game_play.moc"
