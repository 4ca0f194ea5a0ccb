// The About window: its texts to the byte, the search for the system information tool in a
// fake registry, and the registry reading itself.
#include <gtest/gtest.h>

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
    std::vector<std::string> opened;
    std::vector<std::string> queried;
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
        auto it = keys.begin();
        std::advance(it, static_cast<std::ptrdiff_t>(key - 100));
        queried.push_back(it->first + "|" + name);
        auto v = it->second.find(name);
        if (v == it->second.end()) return kRegistryNotFound;
        if (v->second.queryError != kRegistrySuccess) return v->second.queryError;
        const Value& value = v->second;
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

struct InfoAbout : ::testing::Test {
    testing::FakeHost host;
    Window owner;
    FakeRegistry registry;
    frmAbout about{host, owner, registry};

    void expectUnavailableMessage() {
        ASSERT_EQ(host.messages.size(), 1u);
        EXPECT_EQ(host.messages[0].text, kUnavailable);
        EXPECT_EQ(host.messages[0].buttons, MsgButtons::Ok);
        EXPECT_EQ(host.messages[0].icon, MsgIcon::None);
        EXPECT_EQ(host.messages[0].title, "Gravlin");
        EXPECT_EQ(registry.openCount, 0) << "every opened key is closed again";
    }
};

TEST_F(InfoAbout, LoadFillsTitleVersionAndTheHistoryToTheByte) {
    about.Form_Load();
    EXPECT_EQ(about.caption, "Info zu Gravlin");
    EXPECT_EQ(about.lblTitle.caption, "Gravlin");
    EXPECT_EQ(about.lblVersion.caption, "Version 3.2.5");
    EXPECT_EQ(about.picIcon.picture, Picture::AppIcon);
    EXPECT_NE(about.lblDisclaimer.caption.find("Gewährleistung"), std::string::npos);
    EXPECT_EQ(about.cmdOK.caption, "OK");
    EXPECT_EQ(about.cmdSysInfo.caption, "&Systeminfo...");
    EXPECT_EQ(about.geometry, (Geometry{0, 0, 7050, 5385}));
    EXPECT_EQ(about.Beschreibung.geometry, (Geometry{960, 1200, 5775, 2895}));
    EXPECT_TRUE(about.Beschreibung.multiLine && about.Beschreibung.verticalScrollBar);

    const char* lines[26] = {"Ab Version 1: ",
                             "   Umsetzung der drei verschiedenen ",
                             "   Standardsituationen: 9x9/10, 16x16/40 und 16x30/99",
                             "",
                             "Ab Version 1.2.4:",
                             "   Darstellung des Gleichungssystems in Notation für MuPAD",
                             "",
                             "Ab Version 2.1:",
                             "   Gleichungssystem lösen",
                             "",
                             "Ab Version 2.1.20: Auf Anregungen von Ruk mehrere Sonderfunktionen",
                             "   Speichern und Laden von Spielen",
                             "   Spicken",
                             "   Fortführung verlohrener Spiele",
                             "",
                             "Ab Version 2.1.22: ",
                             "   Internet Anbindung für laufende Hinweise",
                             "",
                             "Ab Version 3.0: ",
                             "   Name des Programms nun 'Gravlin'",
                             "",
                             "Ab Version 3.0.20:",
                             "   Statistik Modul in erster Version integriert",
                             "",
                             "Ab Version 3.2:",
                             "   Endlich auch ein benutzerdefiniertes Feld"};
    std::string expected;
    for (const char* line : lines) expected += std::string(line) + "\r\n";
    EXPECT_EQ(about.Beschreibung.text, expected);
}

TEST(InfoAboutMenu, F1ShowsTheWindowModallyAndOkUnloadsIt) {
    testing::FakeHost host;
    Program program(host);
    program.start();
    std::string captionSeen;
    host.onModal = [&](Window& w) {
        auto* about = dynamic_cast<frmAbout*>(&w);
        ASSERT_NE(about, nullptr);
        captionSeen = about->caption;
        about->cmdOK_Click();
    };
    program.form.menuNode("About").click();
    EXPECT_EQ(captionSeen, "Info zu Gravlin");
    ASSERT_EQ(host.modalShown.size(), 1u);
    EXPECT_EQ(host.closed.size(), 1u) << "closed once, by OK";
    EXPECT_EQ(program.form.About.shortcut, "F1");
}

TEST_F(InfoAbout, TheFirstValueIsStartedWithoutReadingTheSecond) {
    registry.setString(kFirstKey, "PATH", "C:\\Programme\\MSINFO\\MSINFO32.EXE");
    registry.setString(kSecondKey, "MSINFO", "D:\\anderswo");
    about.cmdSysInfo_Click();
    EXPECT_EQ(host.startedPrograms, std::vector<std::string>{"C:\\Programme\\MSINFO\\MSINFO32.EXE"});
    EXPECT_EQ(registry.opened, std::vector<std::string>{kFirstKey});
    EXPECT_TRUE(host.fileChecks.empty()) << "the first value is used without a file check";
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(registry.openCount, 0);
}

TEST_F(InfoAbout, OnlyTheSecondValueStartsTheToolInThatFolder) {
    registry.setString(kSecondKey, "MSINFO", "C:\\Programme\\Gemeinsame Dateien\\MSINFO");
    host.existingFiles = {"C:\\Programme\\Gemeinsame Dateien\\MSINFO\\MSINFO32.EXE"};
    about.cmdSysInfo_Click();
    EXPECT_EQ(host.startedPrograms,
              std::vector<std::string>{"C:\\Programme\\Gemeinsame Dateien\\MSINFO\\MSINFO32.EXE"});
    EXPECT_EQ(registry.queried, (std::vector<std::string>{std::string(kSecondKey) + "|MSINFO"}));
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(registry.openCount, 0);
}

TEST_F(InfoAbout, NoRegistryEntryGivesTheMessage) {
    about.StartSysInfo();
    EXPECT_EQ(registry.opened, (std::vector<std::string>{kFirstKey, kSecondKey}));
    EXPECT_TRUE(host.startedPrograms.empty());
    expectUnavailableMessage();
}

TEST_F(InfoAbout, AKeyWithoutItsValueGivesTheMessage) {
    registry.keys[kFirstKey];
    registry.keys[kSecondKey]["andere"] = {};
    about.StartSysInfo();
    EXPECT_TRUE(host.startedPrograms.empty());
    expectUnavailableMessage();
}

TEST_F(InfoAbout, AMissingFileInTheSecondFolderGivesTheMessage) {
    registry.setString(kSecondKey, "MSINFO", "C:\\leer");
    about.StartSysInfo();
    EXPECT_EQ(host.fileChecks, std::vector<std::string>{"C:\\leer\\MSINFO32.EXE"});
    EXPECT_TRUE(host.startedPrograms.empty());
    expectUnavailableMessage();
}

TEST_F(InfoAbout, AFailedStartGivesTheMessageAndTheWindowStays) {
    host.programsStart = false;
    registry.setString(kFirstKey, "PATH", "C:\\weg\\MSINFO32.EXE");
    about.Form_Load();
    about.cmdSysInfo_Click();
    EXPECT_EQ(host.startedPrograms.size(), 1u);
    expectUnavailableMessage();
    EXPECT_TRUE(about.loaded);
    EXPECT_TRUE(host.closed.empty());

    host.messages.clear();
    registry.keys.clear();
    registry.setString(kSecondKey, "MSINFO", "C:\\da");
    host.existingFiles = {"C:\\da\\MSINFO32.EXE"};
    about.cmdSysInfo_Click();
    EXPECT_EQ(host.startedPrograms.back(), "C:\\da\\MSINFO32.EXE");
    expectUnavailableMessage();
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

// ---- GetKeyValue ----------------------------------------------------------------------

struct InfoKeyValue : InfoAbout {
    std::string read(FakeRegistry::Value value, std::string before = "vorher", bool* result = nullptr) {
        registry.keys["K"]["V"] = std::move(value);
        std::string text = std::move(before);
        const bool ok = about.GetKeyValue(RegistryRoot::LocalMachine, "K", "V", text);
        if (result) *result = ok;
        EXPECT_EQ(registry.openCount, 0) << "the key is closed on every way out";
        return text;
    }
};

TEST_F(InfoKeyValue, StringsAreTrimmedToTheReportedLengthAndOneTerminator) {
    EXPECT_EQ(read({kRegString, std::string("C:\\x\0", 5), 0, {}}), "C:\\x");
    EXPECT_EQ(read({kRegString, "C:\\x", 0, {}}), "C:\\x");
    EXPECT_EQ(read({kRegString, "abcdef", 0, 3u}), "abc");
    EXPECT_EQ(read({kRegString, "", 0, {}}), "");
    // Extra terminators must not end up inside a path.
    EXPECT_EQ(read({kRegString, std::string("C:\\y\0\0", 6), 0, {}}), "C:\\y");
    EXPECT_EQ(read({kRegString, std::string("C:\\y\0Rest", 9), 0, {}}), "C:\\y");
}

TEST_F(InfoKeyValue, NumbersBecomeDecimalText) {
    EXPECT_EQ(read({kRegDword, std::string("\x03\x02\x01\x00", 4), 0, {}}), "66051");
    EXPECT_EQ(read({kRegDword, std::string("\x00\x01\x00\x00", 4), 0, {}}), "256");
    EXPECT_EQ(read({kRegDword, std::string("\x00\x00\x00\x00", 4), 0, {}}), "0");
    EXPECT_EQ(read({kRegDword, "\xFF\xFF\xFF\xFF", 0, {}}), "4294967295");
    EXPECT_EQ(read({kRegDword, "\x0A", 0, {}}), "10");
}

TEST_F(InfoKeyValue, OtherTypesLeaveTheTextAsItWasButSucceed) {
    bool ok = false;
    EXPECT_EQ(read({2, std::string("%SystemRoot%\0", 13), 0, {}}, "vorher", &ok), "vorher");
    EXPECT_TRUE(ok);
    EXPECT_EQ(read({3, "\x01\x02", 0, {}}, "", &ok), "");
    EXPECT_TRUE(ok);
}

TEST_F(InfoKeyValue, FailuresEmptyTheTextAndReturnFalse) {
    bool ok = true;
    EXPECT_EQ(read({kRegString, "x", 5 /* access denied */, {}}, "vorher", &ok), "");
    EXPECT_FALSE(ok);
    ok = true;
    EXPECT_EQ(read({kRegString, std::string(1025, 'a'), 0, {}}, "vorher", &ok), "")
        << "longer than the buffer";
    EXPECT_FALSE(ok);

    std::string text = "vorher";
    EXPECT_FALSE(about.GetKeyValue(RegistryRoot::LocalMachine, "fehlt", "V", text));
    EXPECT_EQ(text, "");
    EXPECT_EQ(registry.openCount, 0);
}

TEST_F(InfoKeyValue, ALengthBeyondTheBufferIsNotBelieved) {
    const std::string text = read({kRegString, std::string(1024, 'p'), 0, 100000u});
    EXPECT_EQ(text, std::string(1024, 'p'));
}

TEST_F(InfoKeyValue, KeysAreOpenedForReadingOnly) {
    read({kRegString, "x", 0, {}});
    ASSERT_EQ(registry.accessMasks.size(), 1u);
    constexpr std::uint32_t kAnyWrite = 0x0002 | 0x0004 | 0x0020 | 0x00010000 | 0x00040000 | 0x00080000;
    EXPECT_EQ(registry.accessMasks[0] & kAnyWrite, 0u);
    EXPECT_NE(registry.accessMasks[0] & 0x0001, 0u) << "may query values";
}

}  // namespace
}  // namespace gravlin
