// The main window as the user first sees it: menus, label, tool buttons, the field.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

#include "pictures.h"
#include "view_test_support.h"

using namespace gravlin;
using namespace gravlin::ui;

class TstMainWindow : public QObject, public test::RunningGui {
    Q_OBJECT

private slots:
    void initTestCase() { setUpApplication(); }
    void init() {
        QVERIFY(startGui());
    }
    void cleanup() { QVERIFY(stopGui()); }

    void titleAndMenuBar() {
        QCOMPARE(view().windowTitle(), QStringLiteral("Gravlin"));
        QStringList titles;
        for (QAction* a : view().menuBar()->actions()) titles << a->text();
        QCOMPARE(titles, (QStringList{"&Spiel", "&Einstellungen", "E&xp.", "&?"}));
    }

    void menuItems_data() {
        QTest::addColumn<int>("menu");
        QTest::addColumn<QStringList>("captions");
        // "-" is a separator; hidden items are left out.
        QTest::newRow("Spiel") << 0
                               << QStringList{"&Neu", "-", "&Laden", "&Speichern", "-", "Lade Minen", "Speicher Minen",
                                              "-", "&Beenden"};
        QTest::newRow("Einstellungen") << 1
                                       << QStringList{"&Anfänger", "&Fortgeschrittene", "&Profis",
                                                      "&Benutzerdefiniert...", "-", "&Automatische Lösung"};
        QTest::newRow("Exp.") << 2
                              << QStringList{"Löse lin. Gleichungssystem", "Klicke alle \"hellgrünen\" Felder an", "-",
                                             "&Gleichungssystem", "Gl.&System mit Gesamtsumme", "-",
                                             "&Wahrscheinlichkeiten", "-", "S&pickmodus", "&Zeige alle Minen", "-",
                                             "Verlorenes Spiel f&ortführen"};
        QTest::newRow("?") << 3 << QStringList{"&About", "Aktuelle Hinweise aus dem &Web"};
    }
    void menuItems() {
        QFETCH(int, menu);
        QFETCH(QStringList, captions);
        QMenu* m = view().menuBar()->actions().at(menu)->menu();
        QStringList shown;
        for (QAction* a : m->actions()) {
            if (!a->isVisible()) continue;
            shown << (a->isSeparator() ? QStringLiteral("-") : a->text());
        }
        QCOMPARE(shown, captions);
    }

    void statesAfterStartUp() {
        struct Expect {
            const char* name;
            bool enabled;
            bool checked;
        };
        const Expect expected[] = {
            {"NewGame", true, false},        {"load", true, false},
            {"save", false, false},          {"load_mine", true, false},
            {"save_mine", false, false},     {"Ende", true, false},
            {"Anfänger", true, false},       {"Fortgeschrittene", true, true},
            {"Profis", true, false},         {"benutzerdefiniert", true, false},
            {"Auto_solve", true, false},     {"GlSolve_Menu", true, false},
            {"KlickGreen_Menu", true, false}, {"Eqs", true, false},
            {"EqsGes", true, false},         {"wahrscheinlichkeiten", false, false},
            {"spickmodus", true, false},     {"Solve", true, false},
            {"loosercont", false, false},    {"About", true, false},
            {"webmsg", true, false},
        };
        for (const Expect& e : expected) {
            QAction* a = view().action(e.name);
            QVERIFY2(a, e.name);
            QVERIFY2(a->isEnabled() == e.enabled, e.name);
            QVERIFY2(a->isChecked() == e.checked, e.name);
        }
        for (const char* hidden : {"Feldaufbau", "Test1"}) {
            QAction* a = view().action(hidden);
            QVERIFY(a);
            QVERIFY(!a->isVisible());
            QVERIFY(!a->isEnabled());
        }
    }

    void shortcuts() {
        QCOMPARE(view().action("spickmodus")->shortcut(), QKeySequence(QStringLiteral("Ctrl+F12")));
        QCOMPARE(view().action("Solve")->shortcut(), QKeySequence(QStringLiteral("Ctrl+F1")));
        QCOMPARE(view().action("About")->shortcut(), QKeySequence(QStringLiteral("F1")));
        QCOMPARE(view().action("webmsg")->shortcut(), QKeySequence(QStringLiteral("F2")));
    }

    void shortcutsWorkWhileTheMenusAreClosed() {
        view().activateWindow();
        QTest::keyClick(&view(), Qt::Key_F12, Qt::ControlModifier);
        QVERIFY(form().spickmodus.checked);
        QVERIFY(view().action("spickmodus")->isChecked());
        QTest::keyClick(&view(), Qt::Key_F12, Qt::ControlModifier);
        QVERIFY(!form().spickmodus.checked);
        QTest::keyClick(&view(), Qt::Key_F1, Qt::ControlModifier);
        QCOMPARE(view().action("Solve")->text(), QStringLiteral("Ende von: &Zeige"));
        QTest::keyClick(&view(), Qt::Key_F1, Qt::ControlModifier);
        QCOMPARE(view().action("Solve")->text(), QStringLiteral("&Zeige alle Minen"));
    }

    void minesLabel() {
        QLabel* l = view().minesLabel();
        QCOMPARE(l->text(), QStringLiteral("040"));
        QCOMPARE(l->toolTip(), QStringLiteral("Noch verdeckt: 256"));
        QVERIFY(l->font().bold());
        QCOMPARE(l->font().pointSizeF(), 18.0);
        QCOMPARE(l->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(l->palette().color(QPalette::Window), QColor(0x40, 0x40, 0x40));
        QCOMPARE(l->geometry(), QRect(16, 24, 49, 33));
    }

    void toolButtons() {
        QCOMPARE(view().startStop()->toolTip(), QStringLiteral("Beginne neues Spiel"));
        QCOMPARE(view().glSolve()->toolTip(), QStringLiteral("Löse lin. Gleichungssystem"));
        QCOMPARE(view().klickGreen()->toolTip(), QStringLiteral("Klicke alle \"hellgrünen\" Felder an"));
        for (QPushButton* b : {view().startStop(), view().glSolve(), view().klickGreen()}) {
            QVERIFY(!b->icon().isNull());
            QVERIFY(b->isVisible());
        }
        // 16 wide: the face centred over the field, the hammer flush right, "?" left of it.
        QCOMPARE(view().startStop()->geometry(), QRect(136, 24, 33, 33));  // 2032.5 twips
        QCOMPARE(view().klickGreen()->x(), 255);                             // 3825 twips
        QCOMPARE(view().glSolve()->x(), 214);                                // 3206.25 twips
    }

    void theFourFacesDiffer() {
        const Picture faces[] = {Picture::FaceNormal, Picture::FaceWorking, Picture::FaceWon, Picture::FaceLost};
        for (int i = 0; i < 4; ++i) {
            const QImage a = drawPicture(faces[i], 1.0).toImage();
            QCOMPARE(a.size(), QSize(28, 28));
            for (int j = i + 1; j < 4; ++j) {
                const QImage b = drawPicture(faces[j], 1.0).toImage();
                int differing = 0;
                for (int y = 0; y < 28; ++y)
                    for (int x = 0; x < 28; ++x) differing += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
                QVERIFY2(differing > 20, "two faces are too much alike");
            }
        }
    }

    void fieldOfSixteenBySixteen() {
        QCOMPARE(test::visibleCells(view()), 256);
        QCOMPARE(view().cell(0)->geometry(), QRect(8, 16, 17, 17));
        QCOMPARE(view().cell(255)->geometry(), QRect(8 + 15 * 16, 16 + 15 * 16, 17, 17));
        QCOMPARE(view().cell(17)->toolTip(), QStringLiteral("x=2, y=2"));
        QCOMPARE(view().frame2()->geometry(), QRect(16, 64, 272, 280));
        QCOMPARE(view().frame1()->geometry(), QRect(0, 8, 304, 353));
        QCOMPARE(view().central()->size(), QSize(304, 361));
    }

    void cellPositionsForOtherBoards_data() {
        QTest::addColumn<QString>("level");
        QTest::addColumn<int>("cells");
        QTest::addColumn<QRect>("last");
        QTest::addColumn<QSize>("client");
        QTest::newRow("9x9") << "Anfänger" << 81 << QRect(136, 144, 17, 17) << QSize(192, 249);
        QTest::newRow("30x16") << "Profis" << 480 << QRect(472, 256, 17, 17) << QSize(528, 361);
    }
    void cellPositionsForOtherBoards() {
        QFETCH(QString, level);
        QFETCH(int, cells);
        QFETCH(QRect, last);
        QFETCH(QSize, client);
        view().action(level.toStdString())->trigger();
        QCOMPARE(test::visibleCells(view()), cells);
        QCOMPARE(view().cell(cells - 1)->geometry(), last);
        QVERIFY(!view().cell(cells)->isVisible());
        QCOMPARE(view().central()->size(), client);
        QVERIFY(view().action(level.toStdString())->isChecked());
        QVERIFY(!view().action("Fortgeschrittene")->isChecked());
    }

    void thirtyByTwentyFourShowsEveryButton() {
        Form1& f = form();
        f.x_actual = 30;
        f.y_actual = 24;
        f.no_mines_actual = 99;
        gui->host.invoke([&] {
            f.InitGame();
            gui->program.field.Feldaufbau_Click();
        });
        QCOMPARE(test::visibleCells(view()), 720);
        QCOMPARE(view().cell(719)->geometry(), QRect(472, 384, 17, 17));
        QCOMPARE(view().cell(719)->toolTip(), QStringLiteral("x=30, y=24"));
        QCOMPARE(view().central()->size(), QSize(528, 489));
    }

    void dummyIsOutOfSight() {
        auto* dummy = view().findChild<QPushButton*>(QStringLiteral("Dummy"));
        QVERIFY(dummy);
        QVERIFY(dummy->geometry().right() < 0 && dummy->geometry().bottom() < 0);
    }
};

QTEST_MAIN(TstMainWindow)
#include "tst_main_window.moc"
