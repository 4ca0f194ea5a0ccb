// The main window as the user sees it: menus, shortcuts, label, tool buttons, the field,
// presses on its cells, and the dialogs its menus open (custom field, files).
#include "view_test_support.h"

using namespace gravlin;
using namespace gravlin::ui;

class TstMainWindow : public test::RunningGui {
    Q_OBJECT

    static QImage face(Picture p) {
        return drawPicture(p, 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
    }
    QImage faceShown() {
        const QIcon icon = named<QPushButton>("StartStop")->icon();
        return icon.pixmap(QSize(28, 28), 1.0).toImage().convertToFormat(QImage::Format_ARGB32);
    }
    // Triggers the menu item `item` and hands the modal window it opens to `drive`, which
    // must close it.
    void runModal(const char* item, const std::function<void(QWidget*)>& drive) {
        bool driven = false;
        test::answerNextModal([&](QWidget* w) {
            driven = true;
            drive(w);
        });
        action(item)->trigger();
        QVERIFY(driven);
    }
    static QLineEdit* edit(QWidget* d, const char* name) { return test::named<QLineEdit>(d, name); }
    static QColor colour(QWidget* d, const char* name, QPalette::ColorRole role = QPalette::Window) {
        return test::named(d, name)->palette().color(role);
    }
    static void retype(QWidget* d, const char* name, const QString& text) {
        edit(d, name)->selectAll();
        QTest::keyClick(edit(d, name), Qt::Key_Delete);
        QTest::keyClicks(edit(d, name), text);
    }
    static QPushButton* acceptButton(QWidget* d, bool forSaving) {
        return test::named<QDialogButtonBox>(d, "buttonBox")
            ->button(forSaving ? QDialogButtonBox::Save : QDialogButtonBox::Open);
    }
    // Checks the file dialog of a layout item, enters `path` and accepts, then answers "&Ja"
    // to the message box that must follow with `question` in its text.
    void layoutFile(const char* item, const QString& path, bool forSaving, const QString& question) {
        bool asked = false;
        runModal(item, [&](QWidget* w) {
            auto* d = qobject_cast<QFileDialog*>(w);
            QVERIFY(d);
            QCOMPARE(d->directory(), QDir(QCoreApplication::applicationDirPath()));
            QCOMPARE(d->nameFilters(), QStringList{"*.txt"});
            QCOMPARE(d->defaultSuffix(), QStringLiteral("txt"));
            QCOMPARE(d->acceptMode(), forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
            // Typed text would meet the completer's popup; the name is set as a whole.
            edit(d, "fileNameEdit")->setText(path);
            QCOMPARE(acceptButton(d, forSaving)->text(), forSaving ? "S&peichern" : "&Öffnen");
            QTest::mouseClick(acceptButton(d, forSaving), Qt::LeftButton);
            test::answerNextModal([&](QWidget* w) {
                auto* box = qobject_cast<QMessageBox*>(w);
                QVERIFY2(box && box->text().contains(question), w->metaObject()->className());
                for (QAbstractButton* b : box->buttons())
                    if (b->text() == QStringLiteral("&Ja")) asked = true, b->click();
            });
        });
        QVERIFY(asked);
    }

  private slots:
    // The four faces are yellow discs on a clear ground, told apart at a glance.
    void theFourFacesAreDiscsThatDiffer() {
        const Picture faces[] = {Picture::FaceNormal, Picture::FaceWorking, Picture::FaceWon,
                                 Picture::FaceLost};
        for (int i = 0; i < 4; ++i) {
            const QImage a = face(faces[i]);
            for (QPoint cheek : {QPoint(4, 16), QPoint(23, 17), QPoint(14, 4)})
                QCOMPARE(a.pixelColor(cheek), QColor(0xFF, 0xE0, 0x20));
            QCOMPARE(a.pixelColor(0, 0).alpha(), 0);
            for (int j = i + 1; j < 4; ++j) {
                const QImage b = face(faces[j]);
                int differing = 0;
                for (int y = 0; y < 28; ++y)
                    for (int x = 0; x < 28; ++x) differing += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
                QVERIFY2(differing > 20, "two faces are too much alike");
            }
        }
    }

    // The captions after start-up, hidden items left out; "*" marks the checked item, "(aus)"
    // a disabled one.
    void menuItems_data() {
        QTest::addColumn<int>("menu");  // -1 is the menu bar itself
        QTest::addColumn<QString>("captions");
        QTest::newRow("bar") << -1 << "&Spiel|&Einstellungen|E&xp.|&?";
        QTest::newRow("Spiel")
            << 0 << "&Neu|-|&Laden|&Speichern (aus)|-|Lade Minen|Speicher Minen (aus)|-|&Beenden";
        QTest::newRow("Einstellungen")
            << 1 << "&Anfänger|&Fortgeschrittene *|&Profis|&Benutzerdefiniert...|-|&Automatische Lösung";
        QTest::newRow("Exp.")
            << 2
            << "Löse lin. Gleichungssystem|Klicke alle \"hellgrünen\" Felder an|-|"
               "&Gleichungssystem|Gl.&System mit Gesamtsumme|-|&Wahrscheinlichkeiten (aus)|-|"
               "S&pickmodus|&Zeige alle Minen|-|Verlorenes Spiel f&ortführen (aus)";
        QTest::newRow("?") << 3 << "&About|Aktuelle Hinweise aus dem &Web";
    }
    void menuItems() {
        QFETCH(int, menu);
        QFETCH(QString, captions);
        QCOMPARE(view().windowTitle(), QStringLiteral("Gravlin"));
        const QList<QAction*> bar = view().menuBar()->actions();
        QStringList shown;
        for (QAction* a : menu < 0 ? bar : bar.at(menu)->menu()->actions()) {
            if (a->isVisible())
                shown << (a->isSeparator() ? QStringLiteral("-") : a->text()) + (a->isChecked() ? " *" : "") +
                             (a->isEnabled() ? "" : " (aus)");
        }
        QCOMPARE(shown.join('|'), captions);
    }

    void shortcutsWorkWhileTheMenusAreClosed() {
        view().activateWindow();
        QCOMPARE(action("spickmodus")->shortcut().toString(QKeySequence::NativeText),
                 QStringLiteral("Strg+F12"));
        QTest::keyClick(&view(), Qt::Key_F12, Qt::ControlModifier);
        QVERIFY(form().spickmodus.checked && action("spickmodus")->isChecked());
        QTest::keyClick(&view(), Qt::Key_F12, Qt::ControlModifier);
        QVERIFY(!form().spickmodus.checked);
        QTest::keyClick(&view(), Qt::Key_F1, Qt::ControlModifier);
        QCOMPARE(action("Solve")->text(), QStringLiteral("Ende von: &Zeige"));
    }

    // Left and right presses reach the game through the real cells; the face shows its state.
    void pressesOnCellsAndTheFace() {
        action("Anfänger")->trigger();
        test::layStripes(form());
        test::press(view(), 40);
        QCOMPARE(cell(40)->text(), QString::fromStdString(form().Command1[40].caption));
        test::press(view(), 17, Qt::RightButton);
        QCOMPARE(named<QLabel>("StatusBar1")->text(), QStringLiteral("Index 17: x = 9, y = 2"));
        QCOMPARE(faceShown(), face(Picture::FaceNormal));
        test::press(view(), test::findCell(form(), true));
        QCOMPARE(faceShown(), face(Picture::FaceLost));
        QTest::mouseClick(named<QPushButton>("StartStop"), Qt::LeftButton);
        QCOMPARE(faceShown(), face(Picture::FaceNormal));
        QCOMPARE(cell(40)->text(), QStringLiteral(" "));
    }

    void everyBoardShowsItsButtons() {
        struct Board {
            const char* level;
            int cells;
            const char* label;
            QRect last;  // the last cell
            QSize client;
        };
        for (const Board& b :
             {Board{"Anfänger", 81, "010", QRect(136, 144, 17, 17), QSize(192, 249)},
              Board{"Fortgeschrittene", 256, "040", QRect(248, 256, 17, 17), QSize(304, 361)},
              Board{"Profis", 480, "099", QRect(472, 256, 17, 17), QSize(528, 361)}}) {
            action(b.level)->trigger();
            QCOMPARE(test::visibleCells(view()), b.cells);
            QCOMPARE(cell(0)->geometry(), QRect(8, 16, 17, 17));
            QCOMPARE(cell(b.cells - 1)->geometry(), b.last);
            QCOMPARE(
                cell(b.cells - 1)->toolTip(),
                QStringLiteral("x=%1, y=%2").arg((b.last.x() - 8) / 16 + 1).arg((b.last.y() - 16) / 16 + 1));
            QCOMPARE(view().centralWidget()->size(), b.client);
            QTRY_COMPARE(view().width(), b.client.width());
            QCOMPARE(named<QLabel>("MinesLabel")->text(), b.label);
            // The face centred over the field, the hammer flush right, "?" left of it.
            const QRect field = named<QFrame>("Frame2")->geometry(),
                        face = named<QPushButton>("StartStop")->geometry();
            QCOMPARE(face.size(), QSize(33, 33));
            QCOMPARE(face.x() + face.width() / 2, field.x() + field.width() / 2);
            // On a narrow board the hammer is hidden and "?" moves to the right.
            QPushButton *hammer = named<QPushButton>("KlickGreen"), *solve = named<QPushButton>("GlSolve");
            QCOMPARE(hammer->isVisible(), b.cells != 81);
            QCOMPARE((hammer->isVisible() ? hammer : solve)->geometry().right(), field.right());
            if (hammer->isVisible()) QCOMPARE(solve->x() + 41, hammer->x());
        }
        QLabel* l = named<QLabel>("MinesLabel");
        QCOMPARE(l->geometry(), QRect(16, 24, 49, 33));
        QVERIFY(l->font().bold() && l->font().pointSizeF() == 18.0);
        QCOMPARE(l->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(l->palette().color(QPalette::Window), QColor(0x40, 0x40, 0x40));
        QCOMPARE(named<QPushButton>("StartStop")->toolTip(), QStringLiteral("Beginne neues Spiel"));
        QCOMPARE(named<QPushButton>("GlSolve")->toolTip(), QStringLiteral("Löse lin. Gleichungssystem"));
        QCOMPARE(named<QPushButton>("KlickGreen")->toolTip(),
                 QStringLiteral("Klicke alle \"hellgrünen\" Felder an"));
        QVERIFY(!named<QPushButton>("GlSolve")->icon().isNull() &&
                !named<QPushButton>("KlickGreen")->icon().isNull());
    }

    void customFieldDialogTakesTypedValuesAndCancelKeepsTheLevel() {
        runModal("benutzerdefiniert", [](QWidget* d) {
            QVERIFY(dynamic_cast<BenDefiniertView*>(d));
            QCOMPARE(d->windowTitle(), QStringLiteral("Benutzerdefinierte Einstellung"));
            QCOMPARE(d->size(), QSize(303, 125));
            QCOMPARE(edit(d, "m_input")->text(), QStringLiteral("40"));
            QCOMPARE(colour(d, "Label_x"), QColor(0xC0, 0xFF, 0xC0));
            // Focus starts on OK; Tab runs through Cancel and the fields back to OK.
            QCOMPARE(QApplication::focusWidget(), test::named(d, "OKButton"));
            for (const char* next : {"CancelButton", "y_input", "x_input", "m_input", "OKButton"}) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QCOMPARE(QApplication::focusWidget(), test::named(d, next));
            }
            retype(d, "x_input", QStringLiteral("20"));
            retype(d, "y_input", QStringLiteral("10"));
            retype(d, "m_input", QStringLiteral("50"));
            QTest::mouseClick(test::named<QPushButton>(d, "OKButton"), Qt::LeftButton);
        });
        QCOMPARE(test::visibleCells(view()), 200);
        QVERIFY(form().x_game == 20 && form().no_mines_game == 50);
        QVERIFY(action("benutzerdefiniert")->isChecked() && !action("Fortgeschrittene")->isChecked());
        action("Anfänger")->trigger();
        runModal("benutzerdefiniert", [](QWidget* d) {
            QCOMPARE(edit(d, "x_input")->text(), QStringLiteral("20"));
            QTest::mouseClick(test::named<QPushButton>(d, "CancelButton"), Qt::LeftButton);
        });
        QVERIFY(form().x_game == 9 && action("Anfänger")->isChecked());
    }

    void customFieldDialogTurnsBadValuesRedAndTypingTurnsThemBack() {
        runModal("benutzerdefiniert", [](QWidget* d) {
            retype(d, "x_input", QStringLiteral("31"));
            retype(d, "y_input", QStringLiteral("25"));
            retype(d, "m_input", QStringLiteral("abc"));
            QTest::mouseClick(test::named<QPushButton>(d, "OKButton"), Qt::LeftButton);
            QVERIFY(d->isVisible());
            for (const char* name : {"Label_x", "Label_y", "Label_m"})
                QCOMPARE(colour(d, name), QColor(255, 0, 0));
            for (const char* name : {"x_input", "y_input", "m_input"})
                QCOMPARE(colour(d, name, QPalette::Base), QColor(255, 0, 0));
            QTest::keyClick(edit(d, "y_input"), Qt::Key_Backspace);
            QCOMPARE(colour(d, "Label_y"), QColor(0xC0, 0xFF, 0xC0));
            QCOMPARE(colour(d, "Label_x"), QColor(255, 0, 0));
            QTest::keyClick(d, Qt::Key_Escape);
        });
        QVERIFY(form().x_game == 16 && action("Fortgeschrittene")->isChecked());
    }

    // Accepting the preset "*.qzd" as it stands filters the folder and brings the dialog back;
    // a name without extension gets one.
    void theWildcardPresetOfTheFileDialogIsAFilterNotAName() {
        QTemporaryDir dir;
        test::press(view(), 0);
        runModal("save", [&](QWidget* w) {
            qobject_cast<QFileDialog*>(w)->setDirectory(dir.path());
            QTest::mouseClick(acceptButton(w, true), Qt::LeftButton);
            test::answerNextModal([&](QWidget* again) {
                edit(again, "fileNameEdit")->setText(dir.filePath(QStringLiteral("named")));
                QTest::mouseClick(acceptButton(again, true), Qt::LeftButton);
            });
        });
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("*.qzd"))));
        QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("named.qzd"))));
    }

    void layoutsGoThroughTheFileDialogsAndAskBeforeReplacingOrBuilding() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("mines.txt"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old") == 3);
        old.close();
        action("Anfänger")->trigger();
        test::press(view(), 40);
        layoutFile("save_mine", path, true, QStringLiteral("besteht bereits."));
        action("Profis")->trigger();
        layoutFile("load_mine", path, false, QStringLiteral("9x9"));
        QCOMPARE(test::visibleCells(view()), 81);
        QCOMPARE(named<QLabel>("MinesLabel")->text(), QStringLiteral("010"));
        QVERIFY(!action("Profis")->isChecked());
    }
};

QTEST_MAIN(TstMainWindow)
#include "tst_main_window.moc"
