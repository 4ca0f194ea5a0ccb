// The About window: its texts, the search for the system information tool in a fake
// registry, and the registry reading itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "fake_host.h"
#include "gravlin/info/frm_about.h"

namespace gravlin {
namespace {

constexpr const char* kFirstKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* kSecondKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr const char* kUnavailable = "Systeminformationen sind momentan nicht verfügbar";

// A registry held in memory that behaves like the advapi32 calls; its handles start at 100.
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
    int openCount = 0;

    long openKey(RegistryRoot root, const std::string& subKey, std::uint32_t access,
                 RegistryKey& key) override {
        EXPECT_TRUE(root == RegistryRoot::LocalMachine && (access & 0x000D0026) == 0) << "read only";
        if (!keys.contains(subKey)) return kRegistryNotFound;
        opened.push_back(subKey);
        key = opened.size() + 99;
        ++openCount;
        return kRegistrySuccess;
    }
    long queryValue(RegistryKey key, const std::string& name, std::uint32_t& type, unsigned char* data,
                    std::uint32_t& size) override {
        const auto& values = keys.at(opened.at(key - 100));
        const Value& value = values.contains(name) ? values.at(name) : Value{0, {}, kRegistryNotFound, {}};
        if (value.queryError != kRegistrySuccess) return value.queryError;
        const auto length = static_cast<std::uint32_t>(value.bytes.size());
        const bool fits = length <= size;
        if (fits) std::copy(value.bytes.begin(), value.bytes.end(), data);
        type = value.type;
        size = fits ? value.reportedSize.value_or(length) : length;
        return fits ? kRegistrySuccess : kRegistryMoreData;
    }
    long closeKey(RegistryKey) override { return --openCount, kRegistrySuccess; }
};

struct AboutParts {
    testing::FakeHost host;
    Window owner;
    FakeRegistry registry;
    frmAbout about{host, owner, registry};
};
struct InfoAbout : ::testing::Test, AboutParts {};

TEST_F(InfoAbout, LoadFillsTitleVersionAndHistory) {
    about.Form_Load();
    EXPECT_EQ(std::tie(about.caption, about.lblVersion.caption, about.cmdSysInfo.caption),
              std::tuple("Info zu Gravlin", "Version 3.2.5", "&Systeminfo..."));
    const std::string& history = about.Beschreibung.text;
    EXPECT_TRUE(history.starts_with("Ab Version 1: \r\n   Umsetzung der drei verschiedenen \r\n"));
    EXPECT_NE(history.find("\r\n\r\nAb Version 2.1.20: Auf Anregungen von Ruk mehrere Sonderfunktionen\r\n"
                           "   Speichern und Laden von Spielen\r\n"),
              std::string::npos);
    EXPECT_TRUE(
        history.ends_with("\r\n\r\nAb Version 3.2:\r\n   Endlich auch ein benutzerdefiniertes Feld\r\n"));
    EXPECT_EQ(std::pair(std::ranges::count(history, '\n'), std::ranges::count(history, '\r')),
              std::pair(26L, 26L));
}

TEST(InfoAboutSysInfo, TheToolIsFoundAsWrittenAndEveryFailureGivesTheMessage) {
    using V = std::vector<std::string>;
    struct Case {
        const char *first, *second;  // the two registry values; nullptr: not there
        bool starts;
        const char* started;  // nullptr: nothing started
    } cases[] = {
        {"C:\\P\\MSINFO32.EXE", "D:\\anderswo", true, "C:\\P\\MSINFO32.EXE"},  // the first wins
        {nullptr, "C:\\G D\\MSINFO", true, "C:\\G D\\MSINFO\\MSINFO32.EXE"},
        {nullptr, nullptr, true, nullptr},
        {nullptr, "C:\\leer", true, nullptr},                // no tool in that folder
        {nullptr, "C:\\da", false, "C:\\da\\MSINFO32.EXE"},  // fails to start
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first ? c.first : c.second ? c.second : "none");
        AboutParts t;  // a fresh window, host and registry per case
        const std::string tool = std::string(c.second ? c.second : "") + "\\MSINFO32.EXE";
        if (c.first) t.registry.keys[kFirstKey]["PATH"].bytes = c.first + std::string(1, '\0');
        if (c.second) t.registry.keys[kSecondKey]["MSINFO"].bytes = c.second + std::string(1, '\0');
        t.host.existingFiles = {"C:\\G D\\MSINFO\\MSINFO32.EXE", "C:\\da\\MSINFO32.EXE",
                                "D:\\anderswo\\MSINFO32.EXE"};
        t.host.programsStart = c.starts;
        t.about.Form_Load();
        t.about.cmdSysInfo_Click();
        EXPECT_EQ(t.host.startedPrograms, c.started ? V{c.started} : V{});
        // Only the folder of the second value is looked into; the first names the tool itself.
        EXPECT_EQ(t.host.fileChecks, !c.first && c.second ? V{tool} : V{});
        EXPECT_EQ(t.registry.openCount, 0) << "every opened key is closed again";
        EXPECT_EQ(t.host.messages.size(), c.started && c.starts ? 0u : 1u);
        for (const auto& m : t.host.messages)
            EXPECT_EQ(std::tie(m.text, m.title, m.buttons, m.icon),
                      std::tuple(kUnavailable, "Gravlin", MsgButtons::Ok, MsgIcon::None));
    }
}

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
    check({kRegString, "abcdef", 0, 3u}, "abc", true);
    check({kRegString, "C:\\y\0Rest"s, 0, {}}, "C:\\y", true);
    check({kRegString, std::string(1024, 'p'), 0, 100000u}, std::string(1024, 'p'), true);  // not believed
    // Numbers become decimal text, least significant byte first; other types keep the text.
    check({kRegDword, "\x03\x02\x01\x00"s, 0, {}}, "66051", true);
    check({kRegDword, "\x0A", 0, {}}, "10", true);
    check({2, "%SystemRoot%\0"s, 0, {}}, "vorher", true);
    // Failures empty it.
    check({kRegString, "x", 5 /* access denied */, {}}, "", false);
    check({kRegString, std::string(1025, 'a'), 0, {}}, "", false);  // longer than the buffer
}

}  // namespace
}  // namespace gravlin
