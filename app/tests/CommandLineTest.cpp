// The command line: the options, the files named on it, and the built
// program answering --help and --version without a display.
#include "app/CommandLine.h"
#include "app/StartupFiles.h"
#include "core/testing/TempFolder.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace vimtal {
namespace {

namespace fs = std::filesystem;
using Action = CommandLine::Action;

QStringList Arguments(const std::vector<std::string>& given) {
    QStringList arguments{QStringLiteral("vimtal")};
    for (const std::string& argument : given) arguments.append(QString::fromStdString(argument));
    return arguments;
}

struct ParseCase {
    std::vector<std::string> arguments;
    Action action;
    int exitCode;
    std::vector<std::string> files;
    std::string output;  // the whole output, or only its start for the help
};

TEST(CommandLine, OptionsAndFileNames) {
    const std::string version = "Vimtal 1.05\n";
    const std::string help = "Użycie: vimtal [OPCJA]... [PLIK]...\n";
    const std::string seeHelp = "Spis opcji: vimtal --help\n";
    const std::vector<ParseCase> cases = {
        {{}, Action::Start, 0, {}, ""},
        {{"a.cwu", "projekt/b.kan", "/tmp/c.moh"}, Action::Start, 0, {"a.cwu", "projekt/b.kan", "/tmp/c.moh"}, ""},
        {{"kanał główny.kan"}, Action::Start, 0, {"kanał główny.kan"}, ""},
        {{"--version"}, Action::Version, 0, {}, version},
        {{"-v"}, Action::Version, 0, {}, version},
        {{"a.moh", "--version"}, Action::Version, 0, {}, version},
        {{"--help"}, Action::Help, 0, {}, help},
        {{"-h"}, Action::Help, 0, {}, help},
        {{"-hv"}, Action::Help, 0, {}, help},
        {{"--version", "--help"}, Action::Help, 0, {}, help},
        {{"--bez-sensu", "--help"}, Action::Help, 0, {}, help},
        {{"--bez-sensu", "-v"}, Action::Version, 0, {}, version},
        {{"--bez-sensu"}, Action::Error, 2, {}, "vimtal: nieznana opcja „--bez-sensu”.\n" + seeHelp},
        {{"a.moh", "-x"}, Action::Error, 2, {}, "vimtal: nieznana opcja „-x”.\n" + seeHelp},
        {{"-xy"}, Action::Error, 2, {}, "vimtal: nieznana opcja „-x”.\nvimtal: nieznana opcja „-y”.\n" + seeHelp},
        {{"--version=2"}, Action::Version, 0, {}, version},
        // After "--" everything is a file name, even one like an option.
        {{"--", "-stary.moh", "--help"}, Action::Start, 0, {"-stary.moh", "--help"}, ""},
        {{"-"}, Action::Start, 0, {"-"}, ""},
    };
    for (const ParseCase& c : cases) {
        const std::string given = Arguments(c.arguments).join(QLatin1Char(' ')).toStdString();
        const CommandLine parsed = ParseCommandLine(Arguments(c.arguments));
        EXPECT_EQ(parsed.action, c.action) << given;
        EXPECT_EQ(parsed.exitCode, c.exitCode) << given;
        EXPECT_EQ(parsed.files, c.files) << given;
        if (c.action == Action::Help) {
            EXPECT_EQ(parsed.output.substr(0, c.output.size()), c.output) << given;
        } else {
            EXPECT_EQ(parsed.output, c.output) << given;
        }
    }
}

TEST(CommandLine, HelpNamesEveryOptionAndFileType) {
    const std::string help = ParseCommandLine(Arguments({"--help"})).output;
    for (const char* line : {"  -h, --help ", "  -v, --version ", "  .cwu  Symulacja czasu ładowania zasobnika CWU\n",
                             "  .kan  Symulacja czasu wychładzania powietrza w kanale wentylacyjnym\n",
                             "  .moh  Kalkulator strat ciśnienia obiegu krytycznego\n",
                             "  .ixp  Przemiany powietrza na wykresie i-x\n", "VIMTAL_WORK_DIR"}) {
        EXPECT_NE(help.find(line), std::string::npos) << line;
    }
}

TEST(StartupFiles, KindsAndTheirWindows) {
    struct Case {
        const char* name;
        FileKind kind;
        const char* form;
    };
    const Case cases[] = {
        {"a.cwu", FileKind::DhwSimulation, "TForm5"},
        {"projekt/b.kan", FileKind::DuctCooling, "TForm9"},
        {"/x/c.moh", FileKind::PressureLoss, "TForm15"},
        {"STARY.CWU", FileKind::DhwSimulation, "TForm5"},
        {"Sieć.Moh", FileKind::PressureLoss, "TForm15"},
        {"zima/centrala.IXP", FileKind::AirProcesses, "IxChartForm"},
    };
    for (const Case& c : cases) {
        const std::optional<FileKind> kind = KindOfName(c.name);
        EXPECT_EQ(kind, c.kind) << c.name;
        if (kind) {
            EXPECT_STREQ(FormOf(*kind), c.form) << c.name;
        }
    }
    // Names whose last extension is none of the four.
    for (const char* name : {"a.cwu.bak", "moh", ".moh.d/plik", "a.mohx", "a.", ""}) {
        EXPECT_EQ(KindOfName(name), std::nullopt) << name;
    }
}

// A project folder of the user's with files of every sort.
class StartupFilesInFolder : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(top_ / "projekt" / "folder.moh");
        fs::create_directories(top_ / "inny");
        for (const char* name : {"a.cwu", "B.KAN", "c.moh", "kanał główny.kan", "notatki.txt", "bez_rozszerzenia"}) {
            std::ofstream(top_ / "projekt" / name) << "x";
        }
        std::ofstream(top_ / "inny" / "d.moh") << "x";
        fs::create_symlink(top_ / "projekt" / "usunięty.moh", top_ / "projekt" / "zerwany.moh");
        ASSERT_EQ(::mkfifo((top_ / "projekt" / "kolejka.moh").c_str(), 0600), 0);
    }
    std::string In(const std::string& name) const { return (top_ / name).string(); }

    vimtal::testing::TempFolder folder_;
    fs::path top_ = folder_.Path();
};

TEST_F(StartupFilesInFolder, FilesToOpenAndMessages) {
    const std::string unknown = ": nieznany typ pliku. Vimtal otwiera pliki .cwu, .kan, .moh i .ixp.";
    struct Case {
        std::vector<std::string> names;
        std::vector<StartupFile> files;
        std::vector<std::string> messages;
    };
    const std::vector<Case> cases = {
        {{}, {}, {}},
        {{"a.cwu", "B.KAN", "c.moh"},
         {{FileKind::DhwSimulation, In("projekt/a.cwu")},
          {FileKind::DuctCooling, In("projekt/B.KAN")},
          {FileKind::PressureLoss, In("projekt/c.moh")}},
         {}},
        // Relative names from the current folder, absolute ones as they are,
        // each file once however it is named.
        {{"../inny/d.moh", In("projekt/c.moh"), "./c.moh", "../projekt/c.moh"},
         {{FileKind::PressureLoss, In("inny/d.moh")}, {FileKind::PressureLoss, In("projekt/c.moh")}},
         {}},
        {{"kanał główny.kan"}, {{FileKind::DuctCooling, In("projekt/kanał główny.kan")}}, {}},
        {{"notatki.txt", "bez_rozszerzenia"},
         {},
         {"Nie można otworzyć pliku „notatki.txt”" + unknown, "Nie można otworzyć pliku „bez_rozszerzenia”" + unknown}},
        {{"brak.moh", "zerwany.moh", In("inny/brak.cwu")},
         {},
         {"Nie można otworzyć pliku „brak.moh”: taki plik nie istnieje.",
          "Nie można otworzyć pliku „zerwany.moh”: taki plik nie istnieje.",
          "Nie można otworzyć pliku „" + In("inny/brak.cwu") + "”: taki plik nie istnieje."}},
        {{"folder.moh", ".", "../inny"},
         {},
         {"Nie można otworzyć „folder.moh”: to jest folder, a nie plik.",
          "Nie można otworzyć „.”: to jest folder, a nie plik.",
          "Nie można otworzyć „../inny”: to jest folder, a nie plik."}},
        {{"kolejka.moh"}, {}, {"Nie można otworzyć „kolejka.moh”: to nie jest zwykły plik."}},
        // The good files are opened and the rest reported, each in the
        // order given.
        {{"c.moh", "notatki.txt", "a.cwu", "brak.kan"},
         {{FileKind::PressureLoss, In("projekt/c.moh")}, {FileKind::DhwSimulation, In("projekt/a.cwu")}},
         {"Nie można otworzyć pliku „notatki.txt”" + unknown,
          "Nie można otworzyć pliku „brak.kan”: taki plik nie istnieje."}},
    };
    for (const Case& c : cases) {
        std::string given;
        for (const std::string& name : c.names) given += "[" + name + "] ";
        const StartupFiles resolved = ResolveStartupFiles(c.names, In("projekt"));
        ASSERT_EQ(resolved.files.size(), c.files.size()) << given;
        for (std::size_t i = 0; i < c.files.size(); ++i) {
            EXPECT_EQ(resolved.files[i].kind, c.files[i].kind) << given << i;
            EXPECT_EQ(resolved.files[i].path, c.files[i].path) << given << i;
        }
        EXPECT_EQ(resolved.messages, c.messages) << given;
    }
}

// The built program, with no display and no platform chosen: --help and
// --version answer at once; a refused option ends the program before any
// window (on the offscreen platform, which Qt's own -platform option picks).
TEST(Program, AnswersWithoutDisplay) {
    struct Case {
        QStringList arguments;
        int exitCode;
        std::string out;  // the start of standard output
        std::string err;  // the end of standard error
    };
    const std::string refused = "vimtal: nieznana opcja „--bez-sensu”.\nSpis opcji: vimtal --help\n";
    const Case cases[] = {
        {{"--version"}, 0, "Vimtal 1.05\n", ""},
        {{"-v"}, 0, "Vimtal 1.05\n", ""},
        {{"--help"}, 0, "Użycie: vimtal [OPCJA]... [PLIK]...\n", ""},
        {{"-h", "a.moh"}, 0, "Użycie: vimtal [OPCJA]... [PLIK]...\n", ""},
        {{"-platform", "offscreen", "--version"}, 0, "Vimtal 1.05\n", ""},
        {{"-platform", "offscreen", "--bez-sensu"}, 2, "", refused},
    };
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(QString::fromLatin1(name));
    for (const Case& c : cases) {
        const std::string given = c.arguments.join(QLatin1Char(' ')).toStdString();
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(VIMTAL_PROGRAM), c.arguments);
        ASSERT_TRUE(program.waitForFinished(30000)) << given;
        const std::string out = program.readAllStandardOutput().toStdString();
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit) << given;
        EXPECT_EQ(program.exitCode(), c.exitCode) << given;
        EXPECT_EQ(out.substr(0, c.out.size()), c.out) << given;
        if (c.out.empty()) {
            EXPECT_EQ(out, "") << given;
        }
        // Qt may warn first about the environment (no XDG_RUNTIME_DIR).
        const std::string err = program.readAllStandardError().toStdString();
        EXPECT_EQ(err.substr(err.size() - std::min(err.size(), c.err.size())), c.err) << given;
        if (c.err.empty()) {
            EXPECT_EQ(err, "") << given;
        }
    }
}

// The built program on the offscreen platform, files on its command line:
// the first opens in its module at once, and is first in that module's
// recent files, kept in the user's settings; the next waits until that
// module is closed. The program reports what it opened when asked to.
TEST(Program, OpensTheFilesNamedOnItsCommandLine) {
    const QString data = QStringLiteral(VIMTAL_SOURCE_DIR);
    const QString circuit = data + "/pressureloss/tests/data/circuit.moh";
    vimtal::testing::TempFolder home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("VIMTAL_TRACE_OPENING", "1");
    environment.insert("HOME", home.QtPath());
    environment.remove("XDG_CONFIG_HOME");
    // The kept circuit is written with decimal commas, as a Polish user's
    // program reads them.
    environment.remove("LC_ALL");
    environment.insert("LC_NUMERIC", "pl_PL.UTF-8");
    QProcess program;
    program.setProcessEnvironment(environment);
    // A relative name, from the folder the program was started in.
    program.setWorkingDirectory(data + "/pressureloss");
    program.start(QStringLiteral(VIMTAL_PROGRAM), {"tests/data/circuit.moh", data + "/ductsim/tests/data/round-every-field.kan"});
    ASSERT_TRUE(program.waitForStarted(10000));

    // Standard error until the deadline (Qt may warn about the environment
    // first).
    QByteArray err;
    const auto readUntil = [&](QDeadlineTimer deadline, const QByteArray& wanted) {
        while (!err.contains(wanted) && !deadline.hasExpired() && program.state() == QProcess::Running) {
            program.waitForReadyRead(100);
            err += program.readAllStandardError();
        }
        err += program.readAllStandardError();
    };
    const QByteArray opened = "vimtal: opened " + circuit.toUtf8() + " in TForm15 (8 records)\n";
    readUntil(QDeadlineTimer(30000), opened);
    EXPECT_TRUE(err.contains(opened)) << err.toStdString();
    // The duct file waits for the pressure-loss window to be closed.
    readUntil(QDeadlineTimer(1500), "TForm9");
    EXPECT_FALSE(err.contains("TForm9")) << err.toStdString();
    EXPECT_EQ(program.state(), QProcess::Running);
    program.kill();
    program.waitForFinished(10000);

    QFile settings(home.QtPath() + "/.config/Vimtal/Vimtal.conf");
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly)) << settings.fileName().toStdString();
    const QByteArray kept = settings.readAll();
    EXPECT_TRUE(kept.contains("[RecentFiles]\nmoh=" + circuit.toUtf8() + "\n")) << kept.toStdString();
    EXPECT_FALSE(kept.contains("kan=")) << kept.toStdString();
}

}  // namespace
}  // namespace vimtal
