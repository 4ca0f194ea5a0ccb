// Playing in the real window: mouse presses on cells, the faces, label and status bar.
#include <QAction>
#include <QtTest>

#include "pictures.h"
#include "view_test_support.h"

using namespace gravlin;
using namespace gravlin::ui;

class TstGamePlay : public test::RunningGui {
    Q_OBJECT

    void press(int index, Qt::MouseButton button = Qt::LeftButton) { test::press(view(), index, button); }
    QImage faceShown() {
        const QPixmap shown = named<QPushButton>("StartStop")->icon().pixmap(QSize(28, 28), 1.0);
        return shown.toImage().convertToFormat(QImage::Format_ARGB32);
    }
    static QImage face(Picture p) {
        return drawPicture(p, 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
    }
    bool opened(int L) { return form().visible(L % 9 + 1, L / 9 + 1); }

    void afterStart() override {
        action("Anfänger")->trigger();
        test::layStripes(form());
    }

  private slots:
    void firstLeftPressOpensTheCellAndRunsTheSolver() {
        action("NewGame")->trigger();  // a fresh game: the press places random mines
        press(40);
        QVERIFY(opened(40) && !form().is_mine(5, 5));
        QVERIFY(action("save_mine")->isEnabled());
        QVERIFY(named<QLabel>("StatusBar1")
                    ->text()
                    .contains(QRegularExpression(QStringLiteral("^\\d+:\\d+ - \\d+$"))));
        QCOMPARE(cell(40)->text(), QString::fromStdString(form().Command1[40].caption));
        QCOMPARE(named<QLabel>("MinesLabel")->toolTip(),
                 QStringLiteral("Noch verdeckt: %1").arg(form().covered_left));
        QCOMPARE(faceShown(), face(form().game_running ? Picture::FaceNormal : Picture::FaceWon));
    }

    void rightPressShowsTheCoordinatesAndWarnsInPeekMode() {
        press(40);
        press(17, Qt::RightButton);
        QCOMPARE(named<QLabel>("StatusBar1")->text(), QStringLiteral("Index 17: x = 9, y = 2"));
        const int mine = test::findCell(form(), true);
        press(mine, Qt::RightButton);
        QVERIFY(!named<QLabel>("StatusBar1")->text().contains(QStringLiteral("Achtung")));
        QTest::keyClick(&view(), Qt::Key_F12, Qt::ControlModifier);
        press(mine, Qt::RightButton);
        QVERIFY(named<QLabel>("StatusBar1")->text().endsWith(QStringLiteral(" - Achtung! Mine")));
    }

    void pressingAMineLosesAndContinuingPlaysOn() {
        press(40);
        const int mine = test::findCell(form(), true);
        press(mine);
        QVERIFY(!form().game_running);
        QCOMPARE(faceShown(), face(Picture::FaceLost));
        QVERIFY(faceShown() != face(Picture::FaceNormal));
        QCOMPARE(form().Command1[static_cast<std::size_t>(mine)].backColor, 0x000000FFu);
        QVERIFY(action("loosercont")->isEnabled());
        const int safe = test::findCell(form(), false);
        press(safe);
        QVERIFY(!opened(safe));  // void after the loss
        action("loosercont")->trigger();
        press(safe);
        QVERIFY(opened(safe));
    }

    void openingEverySafeCellWinsAndTheFaceStartsAgain() {
        press(40);
        for (int guard = 0; guard < 81 && form().game_running; ++guard) press(test::findCell(form(), false));
        QVERIFY(!form().game_running);
        QCOMPARE(named<QLabel>("MinesLabel")->text(), QStringLiteral("000"));
        QCOMPARE(named<QLabel>("MinesLabel")->toolTip(), QStringLiteral("Noch verdeckt: 0"));
        QCOMPARE(faceShown(), face(Picture::FaceWon));
        QVERIFY(faceShown() != face(Picture::FaceNormal));
        QCOMPARE(cell(0)->text(), QStringLiteral("M"));
        QVERIFY(!action("loosercont")->isEnabled());

        QTest::mouseClick(named<QPushButton>("StartStop"), Qt::LeftButton);
        QVERIFY(!action("save_mine")->isEnabled());
        QCOMPARE(named<QLabel>("MinesLabel")->text(), QStringLiteral("010"));
        QCOMPARE(cell(40)->text(), QStringLiteral(" "));
        QCOMPARE(named<QLabel>("StatusBar1")->text(), QString());
        QCOMPARE(faceShown(), face(Picture::FaceNormal));
    }
};

QTEST_MAIN(TstGamePlay)
#include "tst_game_play.moc"
