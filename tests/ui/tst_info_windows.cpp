// The About and web hints windows, opened with F1 and F2, the hints fetched from a real
// HTTP server on 127.0.0.1 that this test runs.
#include <QtNetwork>

#include "qt_host.h"
#include "view_test_support.h"

using namespace gravlin;
using namespace gravlin::ui;

namespace {

// Answers every request on `server` with `response`, never answers when it is empty, and
// closes the connection without a word when it is kHangUp.
const QByteArray kHangUp = "<hang up>";
void serve(QTcpServer* server, const QByteArray& response) {
    QObject::connect(server, &QTcpServer::newConnection, server, [server, response] {
        while (QTcpSocket* s = server->nextPendingConnection()) {
            QObject::connect(s, &QTcpSocket::readyRead, s, [s, response] {
                if (!s->peek(1 << 20).contains("\r\n\r\n") || response.isEmpty()) return;
                if (response != kHangUp) s->write(response);
                s->disconnectFromHost();
            });
        }
    });
}

QByteArray answer(const QByteArray& status, const QByteArray& body) {
    return "HTTP/1.1 " + status + "\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
           QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

}  // namespace

class TstInfoWindows : public test::RunningGui {
    Q_OBJECT

    void afterStart() override { QApplication::setActiveWindow(gui->view()); }

  private slots:
    void f1ShowsTheAboutWindow() {
        test::runModal(
            [this] { QTest::keyClick(&view(), Qt::Key_F1); },
            [](QWidget* v) {
                QCOMPARE(v->windowTitle(), QStringLiteral("Info zu Gravlin"));
                QCOMPARE(v->size(), QSize(470, 359));
                QVERIFY(!test::named<QLabel>(v, "picIcon")->pixmap().isNull());
                auto* history = test::named<QPlainTextEdit>(v, "Beschreibung");
                QVERIFY(history->isReadOnly() && history->toPlainText().startsWith("Ab Version 1: \n"));
                QCOMPARE(history->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
                QCOMPARE(QApplication::focusWidget(), test::named(v, "cmdOK"));
                // No registry here: the button says so and the window stays.
                test::runModal(
                    [v] { QTest::mouseClick(test::named<QPushButton>(v, "cmdSysInfo"), Qt::LeftButton); },
                    [](QWidget* box) {
                        auto* mb = qobject_cast<QMessageBox*>(box);
                        QVERIFY(mb && mb->windowTitle() == QStringLiteral("Gravlin"));
                        QCOMPARE(mb->text(),
                                 QStringLiteral("Systeminformationen sind momentan nicht verfügbar"));
                        QCOMPARE(mb->buttons().size(), 1);
                        mb->buttons().first()->click();
                    });
                QVERIFY(v->isVisible());
                QTest::mouseClick(test::named<QPushButton>(v, "cmdOK"), Qt::LeftButton);
            });
    }

    void f2ShowsTheHints_data() {
        QTest::addColumn<QByteArray>("response");  // empty: the server never answers
        QTest::addColumn<bool>("refused");         // no server on the port at all
        QTest::addColumn<QString>("ends");         // how the shown text ends
        const QString failed = QStringLiteral("Die Hinweise konnten nicht geladen werden.\n");
        QTest::newRow("several lines") << answer("200 OK", "<html>\r\n<b>Neu:</b> Feld\nGrüße\n</html>\n")
                                       << false << "<html>\n<b>Neu:</b> Feld\nGrüße\n</html>\n";
        QTest::newRow("404") << answer("404 Not Found", "<h1>Not Found</h1>") << false
                             << failed + "Der Server meldet den HTTP-Status 404.";
        QTest::newRow("never answers")
            << QByteArray() << false << failed + "Der Server hat nicht innerhalb von 0,8 s geantwortet.";
        QTest::newRow("refused") << QByteArray() << true
                                 << failed + "Der Server hat die Verbindung abgelehnt.";
        QTest::newRow("hangs up") << kHangUp << false
                                  << failed + "Der Server hat die Verbindung vorzeitig beendet.";
        QTest::newRow("redirect loop")
            << QByteArray("HTTP/1.1 302 Found\r\nLocation: /Gravlin/kv.html\r\nContent-Length: 0\r\n\r\n")
            << false << failed + "Der Server leitet die Anfrage immer weiter um (zu viele Weiterleitungen).";
        QByteArray big;
        while (big.size() < 2 * 1024 * 1024) big += "Hinweis mit Umlaut: ä\n";
        QTest::newRow("oversized") << answer("200 OK", big) << false
                                   << "\n[Die Seite ist größer als 1 MiB und wurde hier abgeschnitten.]";
    }
    void f2ShowsTheHints() {
        QFETCH(QByteArray, response);
        QFETCH(bool, refused);
        QFETCH(QString, ends);
        const bool silent = response.isEmpty() && !refused;
        auto server = std::make_unique<QTcpServer>();
        QVERIFY(server->listen(QHostAddress::LocalHost, 0));
        serve(server.get(), response);
        const QString host = QStringLiteral("127.0.0.1:%1").arg(server->serverPort());
        if (refused) server.reset();
        gui->program.webHints.publicHost = host.toStdString();
        gui->program.webHints.devUser.clear();
        gui->program.webHints.timeoutMs = silent ? 800 : 3000;

        QString text;
        Qt::CursorShape duringFetch = Qt::WaitCursor;  // the hourglass shows while the window waits
        if (silent) QTimer::singleShot(300, [&] { duringFetch = view().cursor().shape(); });
        QElapsedTimer clock;
        clock.start();
        test::runModal(
            [this] { QTest::keyClick(&view(), Qt::Key_F2); },
            [&](QWidget* v) {
                QCOMPARE(v->windowTitle(), QStringLiteral("Aktuelle Hinweise"));
                QCOMPARE(test::named<QLabel>(v, "Label1")->text(), QStringLiteral("Msg from host:"));
                QCOMPARE(test::named<QLabel>(v, "host")->text(), host);
                auto* page = test::named<QPlainTextEdit>(v, "Text1");
                QVERIFY(page->isReadOnly() && page->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn &&
                        page->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn);
                text = page->toPlainText();
                QTest::mouseClick(test::named<QPushButton>(v, "cmdOK"), Qt::LeftButton);
            });
        if (silent) QVERIFY2(clock.elapsed() >= 700, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(duringFetch, Qt::WaitCursor);
        // A page cut at 1 MiB is checked by its end, every other text as a whole.
        QCOMPARE(text.size() > 1000 ? text.right(ends.size()) : text, ends);
        QVERIFY(text.toUtf8().size() <= 1024 * 1024 + 20000);
        QVERIFY(!text.contains(QChar::ReplacementCharacter));
        QCOMPARE(view().cursor().shape(), Qt::ArrowCursor);
    }

    // Every error code of a reply reads as German text in the window, none as Qt's English.
    void everyNetworkErrorHasAGermanText() {
        const QMetaEnum codes = QMetaEnum::fromType<QNetworkReply::NetworkError>();
        for (int i = 0; i < codes.keyCount(); ++i) {
            const auto code = static_cast<QNetworkReply::NetworkError>(codes.value(i));
            HttpResult result;
            QVERIFY2(describeNetworkError(code, result), codes.key(i));
            const bool ok = code == QNetworkReply::NoError;
            QCOMPARE(result.outcome == HttpResult::Outcome::Ok, ok);
            if (ok) continue;
            const std::string text = WWW::PageText(result, 10'000);
            QVERIFY2(text.find("fehlgeschlagen.") == std::string::npos, codes.key(i));  // the catch-all
        }
    }
};

QTEST_MAIN(TstInfoWindows)
#include "tst_info_windows.moc"
