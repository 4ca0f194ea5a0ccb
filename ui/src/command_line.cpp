#include "command_line.h"

#include <QCommandLineParser>
#include <QLibraryInfo>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "gravlin/info/frm_about.h"
#include "gravlin/text.h"
#include "gravlin_gui.h"

namespace gravlin::ui {

namespace {

constexpr const char* kUsage = "Aufruf: gravlin [--help] [--version] [DATEI.qzd]\n";

struct Options {
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Zeigt diese Hilfe und endet.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Zeigt die Version und endet.")};
};

void describe(QCommandLineParser& parser, const Options& options) {
    parser.setApplicationDescription(
        QStringLiteral("Gravlin: Minensuche mit einem Löser für lineare Gleichungssysteme."));
    parser.addOption(options.help);
    parser.addOption(options.version);
    parser.addPositionalArgument(
        QStringLiteral("DATEI.qzd"),
        QStringLiteral("Lädt nach dem Start dieses gespeicherte Spiel, wie \"Spiel → Laden\". "
                       "Eine Datei .txt wird als Minenverteilung geladen, wie \"Lade Minen\"."),
        QStringLiteral("[DATEI.qzd]"));
}

// The bytes the argument came as: a file name need not be UTF-8, and only these bytes
// name that file.
std::string givenBytes(const std::vector<std::string>& arguments, const QString& decoded) {
    for (auto it = arguments.rbegin(); it + 1 < arguments.rend(); ++it) {
        if (QString::fromLocal8Bit(it->data(), static_cast<qsizetype>(it->size())) == decoded) return *it;
    }
    return decoded.toStdString();
}

std::string absolutePath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}

CommandLine refuse(const QString& error) {
    CommandLine command;
    command.action = CommandLine::Action::Refuse;
    command.error = error;
    return command;
}

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toUtf8().constData(), stream);
}

}  // namespace

CommandLine readCommandLine(const std::vector<std::string>& arguments) {
    QStringList list;
    for (const std::string& a : arguments)
        list << QString::fromLocal8Bit(a.data(), static_cast<qsizetype>(a.size()));
    QCommandLineParser parser;
    const Options options;
    describe(parser, options);
    if (!parser.parse(list)) {
        const QStringList unknown = parser.unknownOptionNames();
        if (unknown.isEmpty()) {
            // With no option that takes a value, the other failure is a value given to one.
            for (const QString& a : list) {
                if (a.startsWith(QLatin1String("--")) && a.contains(QLatin1Char('=')))
                    return refuse(
                        QStringLiteral("Die Option %1 nimmt keinen Wert an.").arg(a.section('=', 0, 0)));
            }
            return refuse(QStringLiteral("Die Argumente sind nicht zu verstehen."));
        }
        const QString& name = unknown.first();
        return refuse(QStringLiteral("Unbekannte Option: %1%2").arg(name.size() == 1 ? "-" : "--", name));
    }
    CommandLine command;
    if (parser.isSet(options.help)) {
        command.action = CommandLine::Action::Help;
        return command;
    }
    if (parser.isSet(options.version)) {
        command.action = CommandLine::Action::Version;
        return command;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return refuse(QStringLiteral("Es kann nur eine Datei geladen werden, nicht %1.").arg(files.size()));
    if (files.size() == 1) {
        if (files.first().isEmpty()) return refuse(QStringLiteral("Der Dateiname ist leer."));
        command.file = absolutePath(givenBytes(arguments, files.first()));
    }
    return command;
}

int answerCommandLine(const CommandLine& command) {
    switch (command.action) {
        case CommandLine::Action::Help: {
            installQtTranslation(QLibraryInfo::path(QLibraryInfo::TranslationsPath));
            QCommandLineParser parser;
            const Options options;
            describe(parser, options);
            print(stdout, parser.helpText());
            return 0;
        }
        case CommandLine::Action::Version:
            print(stdout, QStringLiteral("%1 %2\n").arg(QString::fromUtf8(kProgramTitle),
                                                        QString::fromStdString(frmAbout::versionNumber())));
            return 0;
        case CommandLine::Action::Refuse:
            print(stderr, QStringLiteral("gravlin: %1\n%2").arg(command.error, QString::fromUtf8(kUsage)));
            return 2;
        case CommandLine::Action::Play:
            break;
    }
    return 0;
}

}  // namespace gravlin::ui
