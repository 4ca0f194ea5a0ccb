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
    void runModal(const char* item, const std::function<void(QWidget*)>& drive) {
        test::runModal([&] { action(item)->trigger(); }, drive);
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
    // Checks the file dialog of a layout item, accepts `path` in it, then answers "&Ja" to the
    // question that must follow.
    void layoutFile(const char* item, const QString& path, const QString& question) {
        bool asked = false;
        runModal(item, [&](QWidget* w) {
            auto* d = qobject_cast<QFileDialog*>(w);
            QVERIFY(d && d->directory() == QDir(QCoreApplication::applicationDirPath()));
            QVERIFY(d->nameFilters() == QStringList{"*.txt"} && d->defaultSuffix() == "txt");
            const bool saving = d->acceptMode() == QFileDialog::AcceptSave;
            QCOMPARE(saving, item == std::string_view("save_mine"));
            edit(d, "fileNameEdit")->setText(path);  // typing would meet the completer's popup
            QCOMPARE(acceptButton(d, saving)->text(), saving ? "S&peichern" : "&Öffnen");
            QTest::mouseClick(acceptButton(d, saving), Qt::LeftButton);
            test::answerNextModal([&](QWidget* box) {
                QVERIFY(qobject_cast<QMessageBox*>(box)->text().contains(question));
                for (QAbstractButton* b : qobject_cast<QMessageBox*>(box)->buttons())
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

    // Presses on the real cells and keys reach the game; the window fits the board and the
    // face button shows how the game stands.
    void pressesKeysAndTheFace() {
        action("Anfänger")->trigger();
        QCOMPARE(test::visibleCells(view()), 81);
        QCOMPARE(cell(80)->geometry(), QRect(136, 144, 17, 17));
        QCOMPARE(view().centralWidget()->size(), QSize(192, 249));
        QTRY_COMPARE(view().width(), 192);
        // On a narrow board the hammer is hidden and "?" stands flush right.
        QVERIFY(!named("KlickGreen")->isVisible());
        QCOMPARE(named("GlSolve")->geometry().right(), named("Frame2")->geometry().right());
        QLabel* label = named<QLabel>("MinesLabel");
        QCOMPARE(label->geometry(), QRect(16, 24, 49, 33));
        QVERIFY(label->font().bold() && label->font().pointSizeF() == 18.0);
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(label->palette().color(QPalette::Window), QColor(0x40, 0x40, 0x40));
        QCOMPARE(named("StartStop")->toolTip(), QStringLiteral("Beginne neues Spiel"));
        QVERIFY(!named<QPushButton>("GlSolve")->icon().isNull());

        testing::layStripes(form());
        test::press(view(), 40);
        QCOMPARE(cell(40)->text(), QString::fromStdString(form().Command1[40].caption));
        test::press(view(), 17, Qt::RightButton);
        QCOMPARE(named<QLabel>("StatusBar1")->text(), QStringLiteral("Index 17: x = 9, y = 2"));
        view().activateWindow();
        QCOMPARE(action("spickmodus")->shortcut().toString(QKeySequence::NativeText),
                 QStringLiteral("Strg+F12"));
        QTest::keyClick(&view(), Qt::Key_F12, Qt::ControlModifier);
        const int mine = testing::findCell(form(), true);
        test::press(view(), mine, Qt::RightButton);
        QVERIFY(named<QLabel>("StatusBar1")->text().endsWith(QStringLiteral(" - Achtung! Mine")));
        QCOMPARE(faceShown(), face(Picture::FaceNormal));
        test::press(view(), mine);
        QCOMPARE(faceShown(), face(Picture::FaceLost));
        QTest::mouseClick(named<QPushButton>("StartStop"), Qt::LeftButton);
        QCOMPARE(faceShown(), face(Picture::FaceNormal));
        QCOMPARE(cell(40)->text(), QStringLiteral(" "));
    }

    // Bad values turn red and typing turns a box back; Escape and Cancel keep the level, OK
    // takes the typed values.
    void customFieldDialogByKeyboardAndMouse() {
        const QColor red(255, 0, 0), green(0xC0, 0xFF, 0xC0);
        runModal("benutzerdefiniert", [&](QWidget* d) {
            retype(d, "x_input", QStringLiteral("31"));
            retype(d, "y_input", QStringLiteral("25"));
            retype(d, "m_input", QStringLiteral("abc"));
            QTest::mouseClick(test::named<QPushButton>(d, "OKButton"), Qt::LeftButton);
            QVERIFY(d->isVisible());
            for (const char* name : {"Label_x", "Label_y", "Label_m"}) QCOMPARE(colour(d, name), red);
            for (const char* name : {"x_input", "y_input", "m_input"})
                QCOMPARE(colour(d, name, QPalette::Base), red);
            QTest::keyClick(edit(d, "y_input"), Qt::Key_Backspace);
            QCOMPARE(colour(d, "Label_y"), green);
            QCOMPARE(colour(d, "Label_x"), red);
            QTest::keyClick(d, Qt::Key_Escape);
        });
        QVERIFY(form().x_game == 16 && action("Fortgeschrittene")->isChecked());
        runModal("benutzerdefiniert", [&](QWidget* d) {
            QCOMPARE(d->windowTitle(), QStringLiteral("Benutzerdefinierte Einstellung"));
            QCOMPARE(d->size(), QSize(303, 125));
            QCOMPARE(colour(d, "Label_x"), green);
            // Focus starts on OK; Tab runs through Cancel and the boxes back to OK.
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
        runModal("benutzerdefiniert", [](QWidget* d) {
            QTest::mouseClick(test::named<QPushButton>(d, "CancelButton"), Qt::LeftButton);
            QVERIFY(!d->isVisible());
        });
        QVERIFY(form().x_game == 20 && action("benutzerdefiniert")->isChecked());
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
        QVERIFY(QFile(path).open(QIODevice::WriteOnly));
        action("Anfänger")->trigger();
        test::press(view(), 40);
        layoutFile("save_mine", path, QStringLiteral("besteht bereits."));
        action("Profis")->trigger();
        layoutFile("load_mine", path, QStringLiteral("9x9"));
        QCOMPARE(test::visibleCells(view()), 81);
        QCOMPARE(named<QLabel>("MinesLabel")->text(), QStringLiteral("010"));
        QVERIFY(!action("Profis")->isChecked());
    }
};

QTEST_MAIN(TstMainWindow)
#include "tst_main_window.moc"
