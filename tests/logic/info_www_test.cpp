// The web hints window: which host it asks, what it shows for a page, and what it shows
// when there is no page.
#include <gtest/gtest.h>

#include <map>
#include <tuple>

#include "fake_host.h"
#include "gravlin/info/www.h"
#include "gravlin/text.h"

namespace gravlin {
namespace {

using Outcome = HttpResult::Outcome;
constexpr const char* kFailed = "Die Hinweise konnten nicht geladen werden.\r\n";

WebHintsSettings testSettings() {
    return {"hinweise.example.test", "lan-server:8080", "entwickler", "LABOR", 10'000};
}

HttpResult page(std::string body) {
    return {Outcome::Ok, 200, std::move(body), {}};
}

TEST(InfoWebHints, OnlyTheExactDevelopmentPairAsksTheLocalHostOthersThePublicOne) {
    testing::FakeHost host;
    Window owner;
    const std::string pub = "hinweise.example.test", local = "lan-server:8080";
    WebHintsSettings noDev = testSettings();
    noDev.devUser.clear();
    noDev.devDomain.clear();  // unset variables must not count as a match
    const std::tuple<std::map<std::string, std::string>, WebHintsSettings, std::string> cases[] = {
        {{{"USERNAME", "anna"}, {"USERDOMAIN", "BUERO"}}, testSettings(), pub},
        {{{"USERNAME", "entwickler"}, {"USERDOMAIN", "LABOR"}}, testSettings(), local},
        {{{"USERNAME", "entwickler"}, {"USERDOMAIN", "labor"}}, testSettings(), pub},
        {{{"USERNAME", "Entwickler"}, {"USERDOMAIN", "LABOR"}}, testSettings(), pub},
        {{{"USERNAME", "entwickler"}}, testSettings(), pub},
        {{}, noDev, pub},
    };
    for (const auto& [env, settings, expected] : cases) {
        SCOPED_TRACE(::testing::PrintToString(env));
        host.environment = env;
        host.httpRequests.clear();
        host.httpAnswers.push_back(page("Hallo"));
        WWW w(host, owner, settings);
        w.Form_Load();
        const std::string url = "http://" + expected + "/Gravlin/kv.html";
        EXPECT_EQ(host.httpRequests, std::vector<std::string>{url});
        EXPECT_EQ(std::tie(w.url, w.host.caption, w.Text1.text), std::tie(url, expected, "Hallo"));
        EXPECT_EQ(std::tie(w.caption, w.Label1.caption), std::tie("Aktuelle Hinweise", "Msg from host:"));
    }
}

// Text pages get CR LF line ends and keep markup and UTF-8; a page that is not UTF-8 is
// read as Windows text (cp1252); bytes that are not text (shown: nullptr) give the message.
TEST(InfoWebPage, TextStaysAsItIsAndAnythingElseGivesAMessage) {
    const std::pair<std::string, const char*> cases[] = {
        {"a\nb\r\nc\rd", "a\r\nb\r\nc\r\nd"},
        {"a\r\r\nb", "a\r\n\r\nb"},
        {"", ""},
        {"<html><b>Neu:</b> &auml;</html>", "<html><b>Neu:</b> &auml;</html>"},
        {"\xEF\xBB\xBFGrüße\tan alle", "Grüße\tan alle"},
        {"\xF4\x8F\xBF\xBF", "\xF4\x8F\xBF\xBF"},
        {"Gr\xFC\xDF"
         "e \x80"
         "5",
         "Grüße €5"},                                // Windows text
        {"\x81", nullptr},                           // undefined there
        {std::string("PNG\0\x01\x02", 6), nullptr},  // binary
        {"\x1B[31mrot", nullptr},
    };
    for (const auto& [body, shown] : cases) {
        const std::string text = WWW::PageText(page(body), 10'000);
        if (shown) {
            EXPECT_EQ(text, shown);
            continue;
        }
        EXPECT_EQ(text.rfind(kFailed, 0), 0u) << text;
        EXPECT_NE(text.find("keinen lesbaren Text"), std::string::npos);
        EXPECT_EQ(validUtf8Prefix(text), text.size());
    }
}

TEST(InfoWebPage, EveryFailureExplainsItselfInGerman) {
    struct Case {
        HttpResult answer;
        int timeoutMs;
        std::string says;
    };
    const Case cases[] = {
        {{Outcome::TimedOut, 0, {}, {}}, 10'000, "nicht innerhalb von 10 s geantwortet"},
        {{Outcome::TimedOut, 0, {}, {}}, 500, "nicht innerhalb von 0,5 s geantwortet"},
        {{Outcome::HostNotFound, 0, {}, {}}, 10'000, "Server wurde nicht gefunden"},
        {{Outcome::HttpError, 503, "<h1>Not Found</h1>", {}}, 10'000, "HTTP-Status 503."},
        {{Outcome::OtherError, 0, {}, "Die Antwort ist fehlerhaft."},
         10'000,
         "\r\nDie Antwort ist fehlerhaft."},
        {{Outcome::OtherError, 0, {}, "kaputt\xFF\x01"}, 10'000, "\r\nDie Verbindung ist fehlgeschlagen."},
    };
    for (const Case& c : cases) {
        const std::string text = WWW::PageText(c.answer, c.timeoutMs);
        EXPECT_EQ(text.rfind(kFailed, 0), 0u) << text;
        EXPECT_NE(text.find(c.says), std::string::npos) << text;
        EXPECT_EQ(text.find("Not Found"), std::string::npos) << "an error page is not shown as hints";
    }
}

TEST(InfoWebPage, AnOversizedPageShowsWhatArrivedAndSaysItWasCut) {
    // The cut falls inside the two bytes of the last "ä".
    std::string body = "Zeile\n";
    body += std::string(40, 'x') + "\xC3\xA4\xC3";
    const std::string text = WWW::PageText({Outcome::TooLarge, 200, body, {}}, 10'000);
    EXPECT_EQ(text.rfind("Zeile\r\n" + std::string(40, 'x') + "ä\r\n", 0), 0u) << text;
    EXPECT_NE(text.find("größer als 1 MiB"), std::string::npos);

    const std::string binary = WWW::PageText({Outcome::TooLarge, 200, std::string("\0\0\0", 3), {}}, 10'000);
    EXPECT_EQ(binary.rfind(kFailed, 0), 0u);
}

TEST(InfoWebPage, ValidPrefixStopsAtTheFirstBadSequence) {
    const std::pair<std::string, std::size_t> cases[] = {
        {"abc", 3}, {"ab\xC3", 2}, {"ä\x80", 2}, {"a€b", 5}, {"a\xE0\x80\x80", 1}, {"😀\xF5\x80\x80\x80", 4}};
    for (const auto& [text, valid] : cases) EXPECT_EQ(validUtf8Prefix(text), valid) << text;
}

}  // namespace
}  // namespace gravlin
