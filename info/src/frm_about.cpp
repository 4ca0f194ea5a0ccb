#include "gravlin/info/frm_about.h"

#include <algorithm>
#include <array>

namespace gravlin {

namespace {

constexpr const char* kSysInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr const char* kSysInfoValue = "PATH";
constexpr const char* kSysInfoLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr const char* kSysInfoLocationValue = "MSINFO";
constexpr const char* kSysInfoUnavailable = "Systeminformationen sind momentan nicht verfügbar";

constexpr const char* kDisclaimer =
    "Dieses Programm wird ohne jede Gewährleistung bereitgestellt. Die Nutzung geschieht auf "
    "eigene Verantwortung; für Schäden, die aus ihr entstehen, wird nicht gehaftet.";

}  // namespace

frmAbout::frmAbout(Host& host, Window& owner, Registry& registry)
    : host_(host), owner_(owner), registry_(registry) {
    geometry = {0, 0, 7050, 5385};
    picIcon.geometry = {240, 240, 540, 540};
    lblTitle = makeLabel({}, {1050, 240, 5760, 480});
    lblTitle.font.size = 18;
    lblTitle.font.bold = true;
    lblVersion = makeLabel({}, {1050, 780, 5760, 225});
    Beschreibung.geometry = {960, 1200, 5775, 2895};
    Beschreibung.multiLine = true;
    Beschreibung.verticalScrollBar = true;
    Beschreibung.tabIndex = 2;
    lblDisclaimer = makeLabel({}, {240, 4320, 5040, 825});
    cmdOK = makeButton("OK", {5580, 4320, 1260, 345}, 0);
    cmdSysInfo = makeButton("&Systeminfo...", {5580, 4800, 1260, 345}, 1);
}

const std::string& frmAbout::featureHistory() {
    static const std::string text =
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
        "   Endlich auch ein benutzerdefiniertes Feld\r\n";
    return text;
}

const std::string& frmAbout::versionNumber() {
    // Set by the build from the project's version, so the window cannot disagree with it.
    static const std::string number = std::to_string(GRAVLIN_VERSION_MAJOR) + "." +
                                      std::to_string(GRAVLIN_VERSION_MINOR) + "." +
                                      std::to_string(GRAVLIN_VERSION_PATCH);
    return number;
}

const std::string& frmAbout::versionText() {
    static const std::string text = "Version " + versionNumber();
    return text;
}

void frmAbout::show() {
    Form_Load();
    host_.showModal(*this, &owner_);
    loaded = false;
}

void frmAbout::Form_Load() {
    loaded = true;
    caption = std::string("Info zu ") + kProgramTitle;
    lblTitle.caption = kProgramTitle;
    lblVersion.caption = versionText();
    lblDisclaimer.caption = kDisclaimer;
    Beschreibung.text = featureHistory();
    picIcon.picture = Picture::AppIcon;
}

void frmAbout::cmdOK_Click() {
    host_.closeWindow(*this);
}

void frmAbout::cmdSysInfo_Click() {
    StartSysInfo();
}

void frmAbout::StartSysInfo() {
    std::string SysInfoPath;
    bool found = false;
    if (GetKeyValue(RegistryRoot::LocalMachine, kSysInfoKey, kSysInfoValue, SysInfoPath)) {
        found = true;
    } else if (GetKeyValue(RegistryRoot::LocalMachine, kSysInfoLocationKey, kSysInfoLocationValue,
                           SysInfoPath)) {
        SysInfoPath += "\\MSINFO32.EXE";
        found = host_.fileExists(SysInfoPath);
    }
    if (found && host_.startProgram(SysInfoPath)) return;
    host_.messageBox(kSysInfoUnavailable, MsgButtons::Ok, MsgIcon::None, kProgramTitle);
}

bool frmAbout::GetKeyValue(RegistryRoot KeyRoot, const std::string& KeyName, const std::string& SubKeyRef,
                           std::string& KeyVal) {
    RegistryKey hKey = 0;
    if (registry_.openKey(KeyRoot, KeyName, kRegistryRead, hKey) != kRegistrySuccess) {
        KeyVal.clear();
        return false;
    }
    std::array<unsigned char, 1024> buffer{};
    std::uint32_t type = 0;
    std::uint32_t size = static_cast<std::uint32_t>(buffer.size());
    if (registry_.queryValue(hKey, SubKeyRef, type, buffer.data(), size) != kRegistrySuccess) {
        registry_.closeKey(hKey);
        KeyVal.clear();
        return false;
    }
    // The reported length is the value's, which a misbehaving registry may give larger than
    // the buffer.
    std::size_t length = std::min<std::size_t>(size, buffer.size());
    if (length > 0 && buffer[length - 1] == 0) --length;

    if (type == kRegString) {
        // A string stored with more than one terminator must not carry a zero into a path.
        const auto end = std::find(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(length), 0);
        KeyVal = registry_.toUtf8(std::string(buffer.begin(), end));
    } else if (type == kRegDword) {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < std::min<std::size_t>(length, 4); ++i)
            value |= std::uint32_t{buffer[i]} << (8 * i);
        KeyVal = std::to_string(value);
    }
    registry_.closeKey(hKey);
    return true;
}

}  // namespace gravlin
