#include "CommandLine.h"

#include "core/Version.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

namespace vimtal {

namespace {

const char* const kHelp =
    "Użycie: vimtal [OPCJA]... [PLIK]...\n"
    "Kalkulatory dla projektantów instalacji wentylacji i ciepłej wody użytkowej.\n"
    "\n"
    "Każdy podany plik otwiera się w swoim module, tak jakby wybrano w nim\n"
    "„Otwórz” i wskazano ten plik. Ścieżki względne liczą się od folderu,\n"
    "w którym wydano polecenie.\n"
    "\n"
    "Opcje:\n"
    "  -h, --help     wyświetla ten opis i kończy pracę\n"
    "  -v, --version  wyświetla wersję programu i kończy pracę\n"
    "  --             kończy opcje: dalej są już tylko nazwy plików\n"
    "\n"
    "Typy plików:\n"
    "  .cwu  Symulacja czasu ładowania zasobnika CWU\n"
    "  .kan  Symulacja czasu wychładzania powietrza w kanale wentylacyjnym\n"
    "  .moh  Kalkulator strat ciśnienia obiegu krytycznego\n"
    "  .ixp  Przemiany powietrza na wykresie i-x\n"
    "\n"
    "Polecenie vimtal uruchamia program w folderze roboczym ~/Vimtal (albo\n"
    "w folderze ze zmiennej VIMTAL_WORK_DIR); tam domyślnie trafiają pliki.\n"
    "Więcej: man vimtal, https://www.vimtal.pl/\n";

// "-x" for a one-letter option, "--name" for a long one.
QString Spelled(const QString& name) {
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

std::string RefusedOptions(const QCommandLineParser& parser) {
    QString text;
    for (const QString& name : parser.unknownOptionNames()) {
        text += QStringLiteral("vimtal: nieznana opcja „%1”.\n").arg(Spelled(name));
    }
    // Any other refusal would be a value given to an option without one,
    // and both options end the parse before that matters.
    if (text.isEmpty()) text = QStringLiteral("vimtal: %1\n").arg(parser.errorText());
    text += QStringLiteral("Spis opcji: vimtal --help\n");
    return text.toStdString();
}

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(help);
    parser.addOption(version);
    const bool understood = parser.parse(arguments);

    CommandLine result;
    if (parser.isSet(help)) {
        result.action = CommandLine::Action::Help;
        result.output = kHelp;
    } else if (parser.isSet(version)) {
        result.action = CommandLine::Action::Version;
        result.output = std::string(kProgramName) + " " + kProgramVersion + "\n";
    } else if (!understood) {
        result.action = CommandLine::Action::Error;
        result.output = RefusedOptions(parser);
        result.exitCode = 2;
    } else {
        for (const QString& name : parser.positionalArguments()) result.files.push_back(name.toStdString());
    }
    return result;
}

QStringList ArgumentsOf(int argc, const char* const* argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

}  // namespace vimtal
