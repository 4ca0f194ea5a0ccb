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
        const QPixmap shown = view().startStop()->icon().pixmap(QSize(28, 28), 1.0);
        return shown.toImage().convertToFormat(QImage::Format_ARGB32);
    }
    static QImage face(Picture p) {
        return drawPicture(p, 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
    }
    bool opened(int L) { return form().visible(L % 9 + 1, L / 9 + 1); }

    void afterStart() override {
        view().action("Anfänger")->trigger();
        test::layStripes(form());
    }

  private slots:
    void firstLeftPressOpensTheCellAndRunsTheSolver() {
        view().action("NewGame")->trigger();  // a fresh game: the press places random mines
        press(40);
        QVERIFY(opened(40) && !form().is_mine(5, 5));
        QVERIFY(view().action("save_mine")->isEnabled());
        QVERIFY(
            view().statusText()->text().contains(QRegularExpression(QStringLiteral("^\\d+:\\d+ - \\d+$"))));
        QCOMPARE(view().cell(40)->text(), QString::fromStdString(form().Command1[40].caption));
        QCOMPARE(view().minesLabel()->toolTip(),
                 QStringLiteral("Noch verdeckt: %1").arg(form().covered_left));
        QCOMPARE(faceShown(), face(form().game_running ? Picture::FaceNormal : Picture::FaceWon));
    }

    void rightPressShowsTheCoordinatesAndWarnsInPeekMode() {
        press(40);
        press(17, Qt::RightButton);
        QCOMPARE(view().statusText()->text(), QStringLiteral("Index 17: x = 9, y = 2"));
        const int mine = test::findCell(form(), true);
        const int beepsBefore = gui->host.beepCount();
        press(mine, Qt::RightButton);
        QVERIFY(!view().statusText()->text().contains(QStringLiteral("Achtung")));
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
        QVERIFY(faceShown() != face(Picture::FaceNormal));
        QCOMPARE(form().Command1[static_cast<std::size_t>(mine)].backColor, 0x000000FFu);
        QVERIFY(view().action("loosercont")->isEnabled());
        const int safe = test::findCell(form(), false);
        press(safe);
        QVERIFY(!opened(safe));  // void after the loss
        view().action("loosercont")->trigger();
        press(safe);
        QVERIFY(opened(safe));
    }

    void openingEverySafeCellWinsAndTheFaceStartsAgain() {
        press(40);
        for (int guard = 0; guard < 81 && form().game_running; ++guard) press(test::findCell(form(), false));
        QVERIFY(!form().game_running);
        QCOMPARE(view().minesLabel()->text(), QStringLiteral("000"));
        QCOMPARE(view().minesLabel()->toolTip(), QStringLiteral("Noch verdeckt: 0"));
        QCOMPARE(faceShown(), face(Picture::FaceWon));
        QVERIFY(faceShown() != face(Picture::FaceNormal));
        QCOMPARE(view().cell(0)->text(), QStringLiteral("M"));
        QVERIFY(!view().action("loosercont")->isEnabled());

        QTest::mouseClick(view().startStop(), Qt::LeftButton);
        QVERIFY(!view().action("save_mine")->isEnabled());
        QCOMPARE(view().minesLabel()->text(), QStringLiteral("010"));
        QCOMPARE(view().cell(40)->text(), QStringLiteral(" "));
        QCOMPARE(view().statusText()->text(), QString());
        QCOMPARE(faceShown(), face(Picture::FaceNormal));
    }
};

QTEST_MAIN(TstGamePlay)
#include "tst_game_play.moc"
