// The About window: its texts to the byte, the search for the system information tool in a
// fake registry, and the registry reading itself.
#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "fake_host.h"
#include "gravlin/app/program.h"
#include "gravlin/info/frm_about.h"

namespace gravlin {
namespace {

constexpr const char* kFirstKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* kSecondKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr const char* kUnavailable = "Systeminformationen sind momentan nicht verfügbar";

// A registry held in memory that behaves like the advapi32 calls and records every call.
class FakeRegistry : public Registry {
  public:
    struct Value {
        std::uint32_t type = kRegString;
        std::string bytes;
        long queryError = kRegistrySuccess;
        std::optional<std::uint32_t> reportedSize;  // a length that differs from the bytes
    };
    std::map<std::string, std::map<std::string, Value>> keys;
    std::vector<std::string> opened, queried;
    std::vector<std::uint32_t> accessMasks;
    int openCount = 0;

    void setString(const std::string& key, const std::string& name, const std::string& text) {
        keys[key][name] = Value{kRegString, text + '\0', kRegistrySuccess, std::nullopt};
    }
    long openKey(RegistryRoot root, const std::string& subKey, std::uint32_t access,
                 RegistryKey& key) override {
        EXPECT_EQ(root, RegistryRoot::LocalMachine);
        opened.push_back(subKey);
        accessMasks.push_back(access);
        auto it = keys.find(subKey);
        if (it == keys.end()) return kRegistryNotFound;
        key = static_cast<RegistryKey>(std::distance(keys.begin(), it) + 100);
        ++openCount;
        return kRegistrySuccess;
    }
    long queryValue(RegistryKey key, const std::string& name, std::uint32_t& type, unsigned char* data,
                    std::uint32_t& size) override {
        auto it = std::next(keys.begin(), static_cast<std::ptrdiff_t>(key - 100));
        queried.push_back(it->first + "|" + name);
        auto v = it->second.find(name);
        if (v == it->second.end()) return kRegistryNotFound;
        const Value& value = v->second;
        if (value.queryError != kRegistrySuccess) return value.queryError;
        if (value.bytes.size() > size) {
            size = static_cast<std::uint32_t>(value.bytes.size());
            return kRegistryMoreData;
        }
        std::copy(value.bytes.begin(), value.bytes.end(), data);
        type = value.type;
        size = value.reportedSize.value_or(static_cast<std::uint32_t>(value.bytes.size()));
        return kRegistrySuccess;
    }
    long closeKey(RegistryKey) override {
        --openCount;
        return kRegistrySuccess;
    }
};

struct AboutParts {
    testing::FakeHost host;
    Window owner;
    FakeRegistry registry;
    frmAbout about{host, owner, registry};
};
struct InfoAbout : ::testing::Test, AboutParts {};

TEST_F(InfoAbout, LoadFillsTitleVersionAndTheHistoryToTheByte) {
    about.Form_Load();
    EXPECT_EQ(about.caption, "Info zu Gravlin");
    EXPECT_EQ(about.lblTitle.caption, "Gravlin");
    EXPECT_EQ(about.lblVersion.caption, "Version 3.2.5");
    EXPECT_EQ(about.picIcon.picture, Picture::AppIcon);
    EXPECT_NE(about.lblDisclaimer.caption.find("Gewährleistung"), std::string::npos);
    EXPECT_EQ(about.cmdOK.caption, "OK");
    EXPECT_EQ(about.cmdSysInfo.caption, "&Systeminfo...");
    EXPECT_TRUE(about.Beschreibung.multiLine && about.Beschreibung.verticalScrollBar);
    EXPECT_EQ(about.Beschreibung.text,
              "Ab Version 1: \r\n"
              "   Umsetzung der drei verschiedenen \r\n"
              "   Standardsituationen: 9x9/10, 16x16/40 und 16x30/99\r\n"
              "\r\n"
              "Ab Version 1.2.4:\r\n"
              "   Darstellung des Gleichungssystems in Notation für MuPAD\r\n"
              "\r\n"
              "Ab Version 2.1:\r\n"
              "   Gleichungssystem lösen\r\n"
              "\r\n"
              "Ab Version 2.1.20: Auf Anregungen von Ruk mehrere Sonderfunktionen\r\n"
              "   Speichern und Laden von Spielen\r\n"
              "   Spicken\r\n"
              "   Fortführung verlohrener Spiele\r\n"
              "\r\n"
              "Ab Version 2.1.22: \r\n"
              "   Internet Anbindung für laufende Hinweise\r\n"
              "\r\n"
              "Ab Version 3.0: \r\n"
              "   Name des Programms nun 'Gravlin'\r\n"
              "\r\n"
              "Ab Version 3.0.20:\r\n"
              "   Statistik Modul in erster Version integriert\r\n"
              "\r\n"
              "Ab Version 3.2:\r\n"
              "   Endlich auch ein benutzerdefiniertes Feld\r\n");
}

TEST(InfoAboutMenu, F1ShowsTheWindowModallyAndOkUnloadsIt) {
    testing::FakeHost host;
    Program program(host);
    program.start();
    host.onModal = [&](Window& w) { dynamic_cast<frmAbout&>(w).cmdOK_Click(); };
    program.form.menuNode(program.form.About).click();
    EXPECT_EQ(host.modalShown.size(), 1u);
    EXPECT_EQ(host.closed.size(), 1u) << "closed once, by OK";
    EXPECT_EQ(program.form.About.shortcut, "F1");
}

TEST(InfoAboutSysInfo, TheToolIsFoundAsWrittenAndEveryFailureGivesTheMessage) {
    using V = std::vector<std::string>;
    const std::string second = std::string(kSecondKey) + "|MSINFO";
    struct Case {
        const char* name;
        std::function<void(FakeRegistry&, testing::FakeHost&)> setup;
        V started, queried, fileChecks;
        bool message;
    };
    const Case cases[] = {
        {"first value wins, second never read",
         [](FakeRegistry& r, testing::FakeHost&) {
             r.setString(kFirstKey, "PATH", "C:\\P\\MSINFO32.EXE");
             r.setString(kSecondKey, "MSINFO", "D:\\anderswo");
         },
         {"C:\\P\\MSINFO32.EXE"},
         {std::string(kFirstKey) + "|PATH"},
         {},
         false},
        {"only the second, file in place",
         [](FakeRegistry& r, testing::FakeHost& h) {
             r.setString(kSecondKey, "MSINFO", "C:\\G D\\MSINFO");
             h.existingFiles = {"C:\\G D\\MSINFO\\MSINFO32.EXE"};
         },
         {"C:\\G D\\MSINFO\\MSINFO32.EXE"},
         {second},
         {"C:\\G D\\MSINFO\\MSINFO32.EXE"},
         false},
        {"no entry", [](FakeRegistry&, testing::FakeHost&) {}, {}, {}, {}, true},
        {"keys without their values",
         [](FakeRegistry& r, testing::FakeHost&) {
             r.keys[kFirstKey];
             r.keys[kSecondKey]["andere"] = {};
         },
         {},
         {std::string(kFirstKey) + "|PATH", second},
         {},
         true},
        {"file missing in the second folder",
         [](FakeRegistry& r, testing::FakeHost&) { r.setString(kSecondKey, "MSINFO", "C:\\leer"); },
         {},
         {second},
         {"C:\\leer\\MSINFO32.EXE"},
         true},
        {"first value fails to start",
         [](FakeRegistry& r, testing::FakeHost& h) {
             h.programsStart = false;
             r.setString(kFirstKey, "PATH", "C:\\weg\\MSINFO32.EXE");
         },
         {"C:\\weg\\MSINFO32.EXE"},
         {std::string(kFirstKey) + "|PATH"},
         {},
         true},
        {"second value fails to start",
         [](FakeRegistry& r, testing::FakeHost& h) {
             h.programsStart = false;
             r.setString(kSecondKey, "MSINFO", "C:\\da");
             h.existingFiles = {"C:\\da\\MSINFO32.EXE"};
         },
         {"C:\\da\\MSINFO32.EXE"},
         {second},
         {"C:\\da\\MSINFO32.EXE"},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AboutParts t;  // a fresh window, host and registry per case
        c.setup(t.registry, t.host);
        t.about.Form_Load();
        t.about.cmdSysInfo_Click();
        EXPECT_EQ(t.host.startedPrograms, c.started);
        EXPECT_EQ(t.registry.queried, c.queried);
        EXPECT_EQ(t.host.fileChecks, c.fileChecks);
        EXPECT_EQ(t.registry.openCount, 0) << "every opened key is closed again";
        EXPECT_TRUE(t.about.loaded && t.host.closed.empty()) << "the window stays";
        if (!c.message) {
            EXPECT_TRUE(t.host.messages.empty());
            continue;
        }
        ASSERT_EQ(t.host.messages.size(), 1u);
        const auto& m = t.host.messages[0];
        EXPECT_EQ(std::tie(m.text, m.title), std::tie(kUnavailable, "Gravlin"));
        EXPECT_EQ(std::tie(m.buttons, m.icon), std::tuple(MsgButtons::Ok, MsgIcon::None));
    }
}

#ifndef _WIN32
TEST(InfoAboutSystem, WithoutAWindowsRegistryTheButtonShowsTheMessage) {
    testing::FakeHost host;
    Window owner;
    auto registry = systemRegistry();
    frmAbout about(host, owner, *registry);
    about.StartSysInfo();
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, kUnavailable);
    EXPECT_TRUE(host.startedPrograms.empty());
}
#endif

TEST_F(InfoAbout, GetKeyValueReadsStringsAndNumbersAndEmptiesTheTextOnFailure) {
    using namespace std::string_literals;
    auto check = [&](FakeRegistry::Value value, const std::string& expected, bool ok) {
        SCOPED_TRACE(::testing::PrintToString(value.bytes.substr(0, 16)));
        registry.keys["K"]["V"] = std::move(value);
        std::string text = "vorher";
        EXPECT_EQ(about.GetKeyValue(RegistryRoot::LocalMachine, "K", "V", text), ok);
        EXPECT_EQ(text, expected);
        EXPECT_EQ(registry.openCount, 0) << "the key is closed on every way out";
    };
    // Strings end at the reported length and at the first terminator.
    check({kRegString, "C:\\x\0"s, 0, {}}, "C:\\x", true);
    check({kRegString, "C:\\x", 0, {}}, "C:\\x", true);
    check({kRegString, "abcdef", 0, 3u}, "abc", true);
    check({kRegString, "", 0, {}}, "", true);
    check({kRegString, "C:\\y\0Rest"s, 0, {}}, "C:\\y", true);
    check({kRegString, std::string(1024, 'p'), 0, 100000u}, std::string(1024, 'p'),
          true);  // length not believed
    // Numbers become decimal text.
    check({kRegDword, "\x03\x02\x01\x00"s, 0, {}}, "66051", true);
    check({kRegDword, "\x00\x01\x00\x00"s, 0, {}}, "256", true);
    check({kRegDword, "\xFF\xFF\xFF\xFF", 0, {}}, "4294967295", true);
    check({kRegDword, "\x0A", 0, {}}, "10", true);
    // Other types leave the text as it was.
    check({2, "%SystemRoot%\0"s, 0, {}}, "vorher", true);
    check({3, "\x01\x02", 0, {}}, "vorher", true);
    // Failures empty it.
    check({kRegString, "x", 5 /* access denied */, {}}, "", false);
    check({kRegString, std::string(1025, 'a'), 0, {}}, "", false);  // longer than the buffer
    std::string text = "vorher";
    EXPECT_FALSE(about.GetKeyValue(RegistryRoot::LocalMachine, "fehlt", "V", text));
    EXPECT_EQ(text, "");

    // Keys are opened for reading only.
    constexpr std::uint32_t kAnyWrite = 0x0002 | 0x0004 | 0x0020 | 0x00010000 | 0x00040000 | 0x00080000;
    for (std::uint32_t mask : registry.accessMasks) EXPECT_EQ(mask & kAnyWrite, 0u);
    EXPECT_NE(registry.accessMasks.at(0) & 0x0001, 0u) << "may query values";
}

}  // namespace
}  // namespace gravlin
