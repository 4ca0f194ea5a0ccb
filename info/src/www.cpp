#include "gravlin/info/www.h"

#include "gravlin/text.h"

namespace gravlin {

namespace {

constexpr const char* kPagePath = "/Gravlin/kv.html";
constexpr const char* kFailed = "Die Hinweise konnten nicht geladen werden.\r\n";

std::string seconds(int ms) {
    const int tenths = (ms + 50) / 100;
    std::string s = std::to_string(tenths / 10);
    if (tenths % 10 != 0) s += "," + std::to_string(tenths % 10);
    return s + " s";
}

// Text that a person can read: no control characters but tab and line breaks.
bool readable(const std::string& text) {
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if ((u < 0x20 && c != '\t' && c != '\n' && c != '\r') || u == 0x7F) return false;
    }
    return true;
}

// A page that is not UTF-8 is taken as the Windows code page of German text (cp1252), as
// hint pages written on Windows are; bytes that code page leaves undefined are not text.
bool fromWindows1252(const std::string& body, std::string& out) {
    static constexpr char16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                           0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                           0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                           0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};
    out.clear();
    for (const char c : body) {
        const auto u = static_cast<unsigned char>(c);
        char32_t cp = u;
        if (u >= 0x80 && u < 0xA0) {
            cp = kHigh[u - 0x80];
            if (cp == 0) return false;
        }
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return true;
}

// The page as text, or nothing when it is not text. `cut` says the bytes were cut off at the
// size limit, so a UTF-8 character split there is dropped rather than called invalid.
bool decode(std::string body, bool cut, std::string& text) {
    std::size_t valid = validUtf8Prefix(body);
    if (cut && valid < body.size() && body.size() - valid < 4) {
        body.resize(valid);
        valid = body.size();
    }
    if (valid != body.size()) {
        std::string converted;
        if (!fromWindows1252(body, converted)) return false;
        body = std::move(converted);
    }
    if (body.compare(0, 3, "\xEF\xBB\xBF") == 0) body.erase(0, 3);
    if (!readable(body)) return false;
    text = withCrLf(body);
    return true;
}

}  // namespace

WebHintsSettings WebHintsSettings::buildDefaults() {
    WebHintsSettings s;
    s.publicHost = GRAVLIN_HINTS_PUBLIC_HOST;
    s.localHost = GRAVLIN_HINTS_LOCAL_HOST;
    s.devUser = GRAVLIN_HINTS_DEV_USER;
    s.devDomain = GRAVLIN_HINTS_DEV_DOMAIN;
    return s;
}

WWW::WWW(Host& hostServices, Window& owner, WebHintsSettings settings)
    : host_(hostServices), owner_(owner), settings_(std::move(settings)) {
    caption = "Aktuelle Hinweise";
    geometry = {0, 0, 7140, 5265};
    Text1.geometry = {240, 240, 6615, 3855};
    Text1.multiLine = true;
    Text1.horizontalScrollBar = true;
    Text1.verticalScrollBar = true;
    Text1.tabIndex = 1;
    Label1.caption = "Msg from host:";
    Label1.geometry = {240, 4800, 1095, 255};
    host.caption = settings_.publicHost;
    host.geometry = {1440, 4800, 3855, 255};
    cmdOK.caption = "OK";
    cmdOK.geometry = {5520, 4680, 1260, 465};
    cmdOK.tabIndex = 0;
}

void WWW::show() {
    Form_Load();
    host_.showModal(*this, &owner_);
    loaded = false;
}

void WWW::Form_Load() {
    loaded = true;
    const std::string user = host_.environmentVariable("USERNAME");
    const std::string domain = host_.environmentVariable("USERDOMAIN");
    // An unset development account must not match a machine where the variables are unset.
    if (!settings_.devUser.empty() && user == settings_.devUser && domain == settings_.devDomain) {
        host.caption = settings_.localHost;
    }
    url = "http://" + host.caption + kPagePath;

    host_.setBusyPointer(true);
    HttpResult answer;
    try {
        answer = host_.httpGet(url, settings_.timeoutMs);
    } catch (...) {
        host_.setBusyPointer(false);
        throw;
    }
    host_.setBusyPointer(false);
    Text1.text = PageText(answer, settings_.timeoutMs);
}

void WWW::cmdOK_Click() {
    host_.closeWindow(*this);
}

std::string WWW::PageText(const HttpResult& answer, int timeoutMs) {
    using Outcome = HttpResult::Outcome;
    std::string text;
    switch (answer.outcome) {
        case Outcome::Ok:
            if (decode(answer.body, false, text)) return text;
            return std::string(kFailed) + "Die Seite enthält keinen lesbaren Text.";
        case Outcome::TooLarge:
            if (decode(answer.body, true, text)) {
                return text + "\r\n[Die Seite ist größer als 1 MiB und wurde hier abgeschnitten.]";
            }
            return std::string(kFailed) + "Die Seite ist zu groß und enthält keinen lesbaren Text.";
        case Outcome::TimedOut:
            return std::string(kFailed) + "Der Server hat nicht innerhalb von " + seconds(timeoutMs) +
                   " geantwortet.";
        case Outcome::Refused:
            return std::string(kFailed) + "Der Server hat die Verbindung abgelehnt.";
        case Outcome::HostNotFound:
            return std::string(kFailed) +
                   "Der Server wurde nicht gefunden. Besteht eine Verbindung zum Internet?";
        case Outcome::HttpError:
            return std::string(kFailed) + "Der Server meldet den HTTP-Status " +
                   std::to_string(answer.status) + ".";
        case Outcome::OtherError:
            break;
    }
    // The host's own German sentence; anything else it might hold is not shown.
    const std::string& why = answer.errorText;
    if (why.empty() || why.size() > 200 || validUtf8Prefix(why) != why.size() || !readable(why))
        return std::string(kFailed) + "Die Verbindung ist fehlgeschlagen.";
    return kFailed + why;
}

}  // namespace gravlin
