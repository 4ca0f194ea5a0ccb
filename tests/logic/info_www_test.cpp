// The web hints window: which host it asks, what it shows for a page, and what it shows
// when there is no page.
#include <gtest/gtest.h>

#include <tuple>

#include "fake_host.h"
#include "gravlin/info/www.h"
#include "gravlin/text.h"

namespace gravlin {
namespace {

using Outcome = HttpResult::Outcome;

HttpResult page(std::string body) {
    return {Outcome::Ok, 200, std::move(body), {}};
}

// Unset variables must not count as a match for an unset development account.
TEST(InfoWebHints, OnlyTheExactDevelopmentPairAsksTheLocalHostOthersThePublicOne) {
    testing::FakeHost host;
    Window owner;
    const std::string pub = "hinweise.example.test", local = "lan-server:8080";
    const std::tuple<std::string, std::string, std::string, std::string> cases[] = {
        {"anna", "BUERO", "entwickler", pub},       {"entwickler", "LABOR", "entwickler", local},
        {"entwickler", "labor", "entwickler", pub}, {"Entwickler", "LABOR", "entwickler", pub},
        {"entwickler", "", "entwickler", pub},      {"", "", "", pub}};
    for (const auto& [user, domain, devUser, expected] : cases) {
        SCOPED_TRACE(user + "@" + domain);
        host.environment.clear();
        if (!user.empty()) host.environment["USERNAME"] = user;
        if (!domain.empty()) host.environment["USERDOMAIN"] = domain;
        host.httpRequests.clear();
        host.httpAnswers.push_back(page("Hallo"));
        WWW w(host, owner, {pub, local, devUser, devUser.empty() ? "" : "LABOR", 10'000});
        w.Form_Load();
        const std::string url = "http://" + expected + "/Gravlin/kv.html";
        EXPECT_EQ(host.httpRequests, std::vector<std::string>{url});
        EXPECT_EQ(std::tie(w.url, w.host.caption, w.Text1.text, w.caption, w.Label1.caption),
                  std::tie(url, expected, "Hallo", "Aktuelle Hinweise", "Msg from host:"));
    }
}

std::string failed(const std::string& why) {
    return "Die Hinweise konnten nicht geladen werden.\r\n" + why;
}

// Text pages get CR LF line ends and keep UTF-8; a page that is not UTF-8 is
// read as Windows text (cp1252); bytes that are not text and failures are explained.
TEST(InfoWebPage, TextStaysAsItIsAndAnythingElseIsExplainedInGerman) {
    const std::string unreadable = failed("Die Seite enthält keinen lesbaren Text."), x40(40, 'x');
    const std::pair<HttpResult, std::string> cases[] = {
        {page("a\nb\r\nc\rd"), "a\r\nb\r\nc\r\nd"},
        {page("a\r\r\nb"), "a\r\n\r\nb"},
        {page(""), ""},
        {page("\xEF\xBB\xBFGrüße\tan alle"), "Grüße\tan alle"},
        {page("\xF4\x8F\xBF\xBF"), "\xF4\x8F\xBF\xBF"},
        {page("Gr\xFC\xDF"
              "e \x80"
              "5"),
         "Grüße €5"},                // Windows text
        {page("\x81"), unreadable},  // undefined there
        {page(std::string("PNG\0\x01\x02", 6)), unreadable},
        // The cut falls inside the two bytes of the last "ä".
        {{Outcome::TooLarge, 200, "Zeile\n" + x40 + "\xC3\xA4\xC3", {}},
         "Zeile\r\n" + x40 + "ä\r\n[Die Seite ist größer als 1 MiB und wurde hier abgeschnitten.]"},
        {{Outcome::TooLarge, 200, std::string("\0\0\0", 3), {}},
         failed("Die Seite ist zu groß und enthält keinen lesbaren Text.")},
        {{Outcome::TimedOut, 0, {}, {}}, failed("Der Server hat nicht innerhalb von 10 s geantwortet.")},
        {{Outcome::HostNotFound, 0, {}, {}},
         failed("Der Server wurde nicht gefunden. Besteht eine Verbindung zum Internet?")},
        {{Outcome::OtherError, 0, {}, "Die Antwort ist fehlerhaft."}, failed("Die Antwort ist fehlerhaft.")},
        {{Outcome::OtherError, 0, {}, "kaputt\xFF\x01"}, failed("Die Verbindung ist fehlgeschlagen.")},
    };
    for (const auto& [answer, shown] : cases) EXPECT_EQ(WWW::PageText(answer, 10'000), shown);
}

TEST(InfoWebPage, ValidPrefixStopsAtTheFirstBadSequence) {
    const std::pair<std::string, std::size_t> cases[] = {
        {"abc", 3}, {"§\xC2", 2},         {"ab\xC3", 2},           {"ä\x80", 2},
        {"a€b", 5}, {"a\xE0\x80\x80", 1}, {"😀\xF5\x80\x80\x80", 4}};
    for (const auto& [text, valid] : cases) EXPECT_EQ(validUtf8Prefix(text), valid) << text;
}

}  // namespace
}  // namespace gravlin
