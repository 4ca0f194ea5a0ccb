// The main window as the user first sees it: menus, label, tool buttons, the field.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

#include "pictures.h"
#include "view_test_support.h"

using namespace gravlin;
using namespace gravlin::ui;

class TstMainWindow : public test::RunningGui {
    Q_OBJECT

  private slots:
    // The four faces are yellow discs on a clear ground, told apart at a glance: every pair
    // differs in many pixels.
    void theFourFacesAreDiscsThatDiffer() {
        const Picture faces[] = {Picture::FaceNormal, Picture::FaceWorking, Picture::FaceWon,
                                 Picture::FaceLost};
        for (Picture face : faces) {
            const QImage image = drawPicture(face, 1.0).toImage();
            for (QPoint cheek : {QPoint(4, 16), QPoint(23, 17), QPoint(14, 4)})
                QCOMPARE(image.pixelColor(cheek), QColor(0xFF, 0xE0, 0x20));
            QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
        }
        for (int i = 0; i < 4; ++i) {
            for (int j = i + 1; j < 4; ++j) {
                const QImage a = drawPicture(faces[i], 1.0).toImage(),
                             b = drawPicture(faces[j], 1.0).toImage();
                int differing = 0;
                for (int y = 0; y < 28; ++y)
                    for (int x = 0; x < 28; ++x) differing += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
                QVERIFY2(differing > 20, "two faces are too much alike");
            }
        }
    }

    void menuItems_data() {
        QTest::addColumn<int>("menu");
        QTest::addColumn<QStringList>("captions");
        // -1 is the menu bar itself; "-" is a separator; hidden items are left out.
        QTest::newRow("bar") << -1 << QStringList{"&Spiel", "&Einstellungen", "E&xp.", "&?"};
        QTest::newRow("Spiel") << 0 << QStringList{"&Neu",           "-", "&Laden",
                                                   "&Speichern",     "-", "Lade Minen",
                                                   "Speicher Minen", "-", "&Beenden"};
        QTest::newRow("Einstellungen")
            << 1 << QStringList{"&Anfänger", "&Fortgeschrittene",   "&Profis", "&Benutzerdefiniert...",
                                "-",         "&Automatische Lösung"};
        QTest::newRow("Exp.") << 2
                              << QStringList{"Löse lin. Gleichungssystem",
                                             "Klicke alle \"hellgrünen\" Felder an",
                                             "-",
                                             "&Gleichungssystem",
                                             "Gl.&System mit Gesamtsumme",
                                             "-",
                                             "&Wahrscheinlichkeiten",
                                             "-",
                                             "S&pickmodus",
                                             "&Zeige alle Minen",
                                             "-",
                                             "Verlorenes Spiel f&ortführen"};
        QTest::newRow("?") << 3 << QStringList{"&About", "Aktuelle Hinweise aus dem &Web"};
    }
    void menuItems() {
        QFETCH(int, menu);
        QFETCH(QStringList, captions);
        QCOMPARE(view().windowTitle(), QStringLiteral("Gravlin"));
        const QList<QAction*> items =
            menu < 0 ? view().menuBar()->actions() : view().menuBar()->actions().at(menu)->menu()->actions();
        QStringList shown;
        for (QAction* a : items) {
            if (a->isVisible()) shown << (a->isSeparator() ? QStringLiteral("-") : a->text());
        }
        QCOMPARE(shown, captions);
    }

    // After start-up only these are disabled and only the middle level is checked.
    void statesAfterStartUp() {
        const QStringList disabled{"save", "save_mine", "wahrscheinlichkeiten", "loosercont"};
        for (QAction* top : view().menuBar()->actions()) {
            for (QAction* a : top->menu()->actions()) {
                if (a->isSeparator() || !a->isVisible()) continue;
                QVERIFY2(a->isEnabled() != disabled.contains(a->objectName()), qPrintable(a->objectName()));
                QVERIFY2(a->isChecked() == (a->objectName() == "Fortgeschrittene"),
                         qPrintable(a->objectName()));
            }
        }
        for (const char* hidden : {"Feldaufbau", "Test1"})
            QVERIFY(!action(hidden)->isVisible() && !action(hidden)->isEnabled());
    }

    void shortcutsWorkWhileTheMenusAreClosed() {
        view().activateWindow();
        QCOMPARE(action("spickmodus")->shortcut().toString(QKeySequence::NativeText),
                 QStringLiteral("Strg+F12"));
        QTest::keyClick(&view(), Qt::Key_F12, Qt::ControlModifier);
        QVERIFY(form().spickmodus.checked);
        QVERIFY(action("spickmodus")->isChecked());
        QTest::keyClick(&view(), Qt::Key_F12, Qt::ControlModifier);
        QVERIFY(!form().spickmodus.checked);
        QTest::keyClick(&view(), Qt::Key_F1, Qt::ControlModifier);
        QCOMPARE(action("Solve")->text(), QStringLiteral("Ende von: &Zeige"));
        QTest::keyClick(&view(), Qt::Key_F1, Qt::ControlModifier);
        QCOMPARE(action("Solve")->text(), QStringLiteral("&Zeige alle Minen"));
    }

    void labelAndToolButtons() {
        QLabel* l = named<QLabel>("MinesLabel");
        QCOMPARE(l->text(), QStringLiteral("040"));
        QCOMPARE(l->toolTip(), QStringLiteral("Noch verdeckt: 256"));
        QVERIFY(l->font().bold());
        QCOMPARE(l->font().pointSizeF(), 18.0);
        QCOMPARE(l->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(l->palette().color(QPalette::Window), QColor(0x40, 0x40, 0x40));
        QCOMPARE(l->geometry(), QRect(16, 24, 49, 33));
        QCOMPARE(named<QPushButton>("StartStop")->toolTip(), QStringLiteral("Beginne neues Spiel"));
        QCOMPARE(named<QPushButton>("GlSolve")->toolTip(), QStringLiteral("Löse lin. Gleichungssystem"));
        QCOMPARE(named<QPushButton>("KlickGreen")->toolTip(),
                 QStringLiteral("Klicke alle \"hellgrünen\" Felder an"));
        for (QPushButton* b : {named<QPushButton>("StartStop"), named<QPushButton>("GlSolve"),
                               named<QPushButton>("KlickGreen")})
            QVERIFY(!b->icon().isNull() && b->isVisible());
        // 16 wide: the face centred over the field, the hammer flush right, "?" left of it.
        QCOMPARE(named<QPushButton>("StartStop")->geometry(), QRect(136, 24, 33, 33));
        QCOMPARE(named<QPushButton>("KlickGreen")->x(), 255);
        QCOMPARE(named<QPushButton>("GlSolve")->x(), 214);
        QCOMPARE(named<QFrame>("Frame2")->geometry(), QRect(16, 64, 272, 280));
        QCOMPARE(named<QFrame>("Frame1")->geometry(), QRect(0, 8, 304, 353));
    }

    void everyBoardShowsItsButtons_data() {
        QTest::addColumn<QString>("level");  // empty: 30 x 24 set up directly
        QTest::addColumn<int>("cells");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QRect>("last");
        QTest::addColumn<QSize>("client");
        QTest::newRow("9x9") << "Anfänger" << 81 << "010" << QRect(136, 144, 17, 17) << QSize(192, 249);
        QTest::newRow("16x16") << "Fortgeschrittene" << 256 << "040" << QRect(248, 256, 17, 17)
                               << QSize(304, 361);
        QTest::newRow("30x16") << "Profis" << 480 << "099" << QRect(472, 256, 17, 17) << QSize(528, 361);
        QTest::newRow("30x24") << "" << 720 << "099" << QRect(472, 384, 17, 17) << QSize(528, 489);
    }
    void everyBoardShowsItsButtons() {
        QFETCH(QString, level);
        QFETCH(int, cells);
        QFETCH(QString, label);
        QFETCH(QRect, last);
        QFETCH(QSize, client);
        if (level.isEmpty()) {
            Form1& f = form();
            f.x_actual = 30;
            f.y_actual = 24;
            f.no_mines_actual = 99;
            gui->host.invoke([&] {
                f.InitGame();
                gui->program.field.Feldaufbau_Click();
            });
        } else {
            action(level)->trigger();
            QVERIFY(action(level)->isChecked());
        }
        QCOMPARE(test::visibleCells(view()), cells);
        QCOMPARE(cell(0)->geometry(), QRect(8, 16, 17, 17));
        QCOMPARE(cell(cells - 1)->geometry(), last);
        QCOMPARE(cell(cells - 1)->toolTip(),
                 QStringLiteral("x=%1, y=%2").arg((last.x() - 8) / 16 + 1).arg((last.y() - 16) / 16 + 1));
        if (cells < kCellButtons) QVERIFY(!cell(cells)->isVisible());
        QCOMPARE(named<QLabel>("MinesLabel")->text(), label);
        QCOMPARE(view().centralWidget()->size(), client);
        QTRY_COMPARE(view().width(), client.width());
        QCOMPARE(named<QPushButton>("KlickGreen")->isVisible(), cells != 81);
    }
};

QTEST_MAIN(TstMainWindow)
#include "tst_main_window.moc"
