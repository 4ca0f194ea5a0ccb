// The About and web hints windows, opened with F1 and F2, the hints fetched from a real
// HTTP server on 127.0.0.1 that this test runs.
#include <QElapsedTimer>
#include <QHostAddress>
#include <QMessageBox>
#include <QScrollBar>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include "about_view.h"
#include "view_test_support.h"
#include "www_view.h"

using namespace gravlin;
using namespace gravlin::ui;

namespace {

// Answers every request with the same bytes, or never answers at all.
class HintServer : public QObject {
public:
    QByteArray response;
    bool silent = false;
    QList<QByteArray> requestLines;

    HintServer() {
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* s = server_.nextPendingConnection()) {
                s->setParent(this);
                auto received = std::make_shared<QByteArray>();
                connect(s, &QTcpSocket::readyRead, s, [this, s, received] {
                    *received += s->readAll();
                    if (!received->contains("\r\n\r\n")) return;
                    requestLines << received->left(received->indexOf("\r\n"));
                    received->clear();
                    if (silent) return;
                    s->write(response);
                    s->disconnectFromHost();
                });
            }
        });
    }
    bool listen() { return server_.listen(QHostAddress::LocalHost, 0); }
    QString host() const { return QStringLiteral("127.0.0.1:%1").arg(server_.serverPort()); }

    static QByteArray answer(const QByteArray& status, const QByteArray& body) {
        return "HTTP/1.1 " + status + "\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
               QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
    }

private:
    QTcpServer server_;
};

}  // namespace

class TstInfoWindows : public QObject, public test::RunningGui {
    Q_OBJECT

    // Opens the hints window with F2 against `host` and returns what it showed.
    struct Shown {
        QString title, text, hostLabel, label1;
        bool readOnly = false;
        bool bothScrollBars = false;
        qint64 ms = 0;
    };
    Shown openHints(const QString& host, int timeoutMs = 3000) {
        gui->program.webHints.publicHost = host.toStdString();
        gui->program.webHints.devUser.clear();
        gui->program.webHints.timeoutMs = timeoutMs;
        Shown shown;
        test::answerNextModal([&](QWidget* w) {
            auto* v = dynamic_cast<WwwView*>(w);
            QVERIFY(v);
            shown.title = v->windowTitle();
            shown.text = v->text()->toPlainText();
            shown.hostLabel = v->hostLabel()->text();
            shown.label1 = v->label1()->text();
            shown.readOnly = v->text()->isReadOnly();
            shown.bothScrollBars = v->text()->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn &&
                                   v->text()->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn;
            grab(v, "www");
            QTest::mouseClick(v->okButton(), Qt::LeftButton);
        });
        QElapsedTimer clock;
        clock.start();
        QTest::keyClick(&view(), Qt::Key_F2);
        shown.ms = clock.elapsed();
        return shown;
    }

    static void grab(QWidget* w, const char* name) {
        const QByteArray dir = qgetenv("GRAVLIN_GRAB_DIR");
        if (!dir.isEmpty()) w->grab().save(QString::fromLocal8Bit(dir) + "/" + name + ".png");
    }

    static QString failure(const QString& reason) {
        return QStringLiteral("Die Hinweise konnten nicht geladen werden.\n") + reason;
    }

private slots:
    void initTestCase() { setUpApplication(); }
    void init() {
        QVERIFY(startGui());
        QApplication::setActiveWindow(gui->view());
    }
    void cleanup() { QVERIFY(stopGui()); }

    void f1ShowsTheAboutWindowAndItsTexts() {
        bool checked = false;
        test::answerNextModal([&](QWidget* w) {
            auto* v = dynamic_cast<AboutView*>(w);
            QVERIFY(v);
            QCOMPARE(v->windowTitle(), QStringLiteral("Info zu Gravlin"));
            QCOMPARE(v->size(), QSize(470, 359));
            QCOMPARE(v->title()->text(), QStringLiteral("Gravlin"));
            QCOMPARE(v->version()->text(), QStringLiteral("Version ") + QApplication::applicationVersion());
            QVERIFY(v->disclaimer()->text().contains(QStringLiteral("Gewährleistung")));
            QVERIFY(!v->icon()->pixmap().isNull());
            const QString history = v->history()->toPlainText();
            QCOMPARE(history.count(QLatin1Char('\n')), 26);
            QVERIFY(
                history.startsWith(QStringLiteral("Ab Version 1: \n   Umsetzung der drei verschiedenen \n")));
            QVERIFY(history.endsWith(QStringLiteral("   Endlich auch ein benutzerdefiniertes Feld\n")));
            QVERIFY(v->history()->isReadOnly());
            QCOMPARE(v->history()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
            QCOMPARE(v->sysInfoButton()->text(), QStringLiteral("&Systeminfo..."));
            QCOMPARE(QApplication::focusWidget(), v->okButton());
            grab(v, "about");

            // No registry here: the button says so and the window stays.
            QString message;
            test::answerNextModal([&](QWidget* box) {
                auto* mb = qobject_cast<QMessageBox*>(box);
                QVERIFY(mb);
                message = mb->text();
                QCOMPARE(mb->windowTitle(), QStringLiteral("Gravlin"));
                QCOMPARE(mb->icon(), QMessageBox::NoIcon);
                QCOMPARE(mb->buttons().size(), 1);
                mb->buttons().first()->click();
            });
            QTest::mouseClick(v->sysInfoButton(), Qt::LeftButton);
            QCOMPARE(message, QStringLiteral("Systeminformationen sind momentan nicht verfügbar"));
            QVERIFY(v->isVisible());
            checked = true;
            QTest::mouseClick(v->okButton(), Qt::LeftButton);
        });
        QTest::keyClick(&view(), Qt::Key_F1);
        QVERIFY(checked);
    }

    void f2ShowsAPageOfSeveralLinesAsText() {
        HintServer server;
        QVERIFY(server.listen());
        server.response = HintServer::answer(
            "200 OK", "<html><body>\r\n<b>Neu in 3.2:</b> benutzerdefiniertes Feld\nGrüße\n</body></html>\n");
        const Shown shown = openHints(server.host());
        QCOMPARE(server.requestLines, QList<QByteArray>{"GET /Gravlin/kv.html HTTP/1.1"});
        QCOMPARE(shown.title, QStringLiteral("Aktuelle Hinweise"));
        QCOMPARE(shown.text,
                 QStringLiteral("<html><body>\n<b>Neu in 3.2:</b> benutzerdefiniertes Feld\nGrüße\n"
                                "</body></html>\n"));
        QCOMPARE(shown.label1, QStringLiteral("Msg from host:"));
        QCOMPARE(shown.hostLabel, server.host());
        QVERIFY(shown.readOnly);
        QVERIFY(shown.bothScrollBars);
    }

    void f2ShowsAMessageForAMissingPage() {
        HintServer server;
        QVERIFY(server.listen());
        server.response = HintServer::answer("404 Not Found", "<h1>Not Found</h1>");
        const Shown shown = openHints(server.host());
        QCOMPARE(shown.text, failure(QStringLiteral("Der Server meldet den HTTP-Status 404.")));
    }

    void f2GivesUpOnAServerThatNeverAnswers() {
        HintServer server;
        QVERIFY(server.listen());
        server.silent = true;
        // The hourglass shows while the window waits for the page.
        Qt::CursorShape duringFetch = Qt::ArrowCursor;
        QTimer::singleShot(300, [&] { duringFetch = view().cursor().shape(); });
        const Shown shown = openHints(server.host(), 800);
        QCOMPARE(server.requestLines.size(), 1);
        QCOMPARE(shown.text,
                 failure(QStringLiteral("Der Server hat nicht innerhalb von 0,8 s geantwortet.")));
        QVERIFY2(shown.ms >= 700 && shown.ms < 4000, qPrintable(QString::number(shown.ms)));
        QCOMPARE(duringFetch, Qt::WaitCursor);
        QCOMPARE(view().cursor().shape(), Qt::ArrowCursor);
    }

    void f2SaysSoWhenTheConnectionIsRefused() {
        QString host;
        {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
            host = QStringLiteral("127.0.0.1:%1").arg(probe.serverPort());
        }
        const Shown shown = openHints(host);
        QCOMPARE(shown.text, failure(QStringLiteral("Der Server hat die Verbindung abgelehnt.")));
        QCOMPARE(shown.hostLabel, host);
    }

    void f2CutsAnOversizedPageAtOneMebibyte() {
        HintServer server;
        QVERIFY(server.listen());
        QByteArray body;
        const QByteArray line = "Hinweis mit Umlaut: ä\n";
        while (body.size() < 2 * 1024 * 1024) body += line;
        server.response = HintServer::answer("200 OK", body);
        const Shown shown = openHints(server.host());
        QVERIFY(shown.text.startsWith(QStringLiteral("Hinweis mit Umlaut: ä\nHinweis mit Umlaut: ä\n")));
        QVERIFY(shown.text.endsWith(
            QStringLiteral("\n[Die Seite ist größer als 1 MiB und wurde hier abgeschnitten.]")));
        QVERIFY(shown.text.toUtf8().size() <= 1024 * 1024 + 20000);
        QVERIFY(!shown.text.contains(QChar::ReplacementCharacter));
    }

    void f2ShowsAMessageForBytesThatAreNotText() {
        HintServer server;
        QVERIFY(server.listen());
        server.response = HintServer::answer("200 OK", "Gr\xFC\xDF" "e aus Latin-1");
        const Shown shown = openHints(server.host());
        QCOMPARE(shown.text,
                 failure(QStringLiteral("Die Seite enthält keinen lesbaren Text (erwartet wird UTF-8).")));
    }
};

QTEST_MAIN(TstInfoWindows)
#include "tst_info_windows.moc"
