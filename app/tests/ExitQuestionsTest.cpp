// Nothing lost on exit: closing the launcher asks about each module whose
// work differs from what it last opened or saved, and saves, ends or keeps
// the program as the user answers.
#include "aircalc/IxChartForm.h"
#include "app/ExitQuestions.h"
#include "app/testing/AppHarness.h"
#include "core/testing/TempFolder.h"
#include "dhwsim/DhwSimForm.h"
#include "ductsim/DuctForm.h"
#include "pressureloss/CircuitForm.h"

#include <QFile>

#include <gtest/gtest.h>

#include <functional>

namespace vimtal {
namespace {

const QString kLauncher = QStringLiteral("TForm18");

// A state of an air-handling chain given by t [degC] and phi [%].
aircalc::StateInput StateAt(const char* name, double t, double phi) {
    aircalc::StateInput state;
    state.name = name;
    state.t = t;
    state.phi = phi;
    return state;
}

struct Module {
    const char* window;
    const char* extension;
    std::function<void(AppHarness&)> change;
    const char* question;
    const char* title;
};

const Module kModules[] = {
    {"TForm15", "moh",
     [](AppHarness& app) { app.WindowAs<TForm15>(QStringLiteral("TForm15"))->Circuit().Append({}); },
     "Zapisać zmiany w obiegu krytycznym przed zamknięciem programu?", "Vimtal info"},
    {"TForm5", "cwu", [](AppHarness& app) { app.SetText(QStringLiteral("TForm5"), "Edit2", "1,2"); },
     "Zapisać zmiany w danych symulacji CWU przed zamknięciem programu?", "VIMTAL info"},
    {"TForm9", "kan", [](AppHarness& app) { app.SetText(QStringLiteral("TForm9"), "Edit3", "500"); },
     "Zapisać zmiany w danych symulacji kanału przed zamknięciem programu?", "Vimtal info"},
    {"IxChartForm", "ixp",
     [](AppHarness& app) {
         app.WindowAs<IxChartForm>(QStringLiteral("IxChartForm"))
             ->PutState(std::nullopt, StateAt("Z", -20.0, 90.0));
     },
     "Zapisać zmiany w przemianach powietrza przed zamknięciem programu?", "Vimtal info"},
};

// Each module's question with each answer, by "Zamknij" and by the close
// box: "Zapisz" saves through the save dialog (the work has no file yet) and
// ends the program, "Nie zapisuj" ends it, "Anuluj" keeps it.
TEST(ExitQuestions, EachModuleWithEachAnswer) {
    struct Answer {
        SaveAnswer answer;
        bool saved, closed;
    } answers[] = {{SaveAnswer::Save, true, true}, {SaveAnswer::Discard, false, true},
                   {SaveAnswer::Cancel, false, false}};
    for (const Module& m : kModules) {
        for (const Answer& a : answers) {
            for (bool closeBox : {false, true}) {
                const std::string label = std::string(m.window) + " " + std::to_string(static_cast<int>(a.answer)) +
                                          (closeBox ? " close box" : " Zamknij");
                AppHarness app;
                m.change(app);
                const vimtal::testing::TempFolder dir;
                const QString path = dir.QtFile(QStringLiteral("praca.") + QString::fromLatin1(m.extension));
                app.Fake().saveAnswers = {path};
                app.Fake().saveQuestionAnswers = {a.answer};
                closeBox ? app.Close(kLauncher) : app.Click(kLauncher, QStringLiteral("Zamknij1"));
                ASSERT_EQ(app.Fake().saveQuestions, std::vector<QString>{QString::fromUtf8(m.question)}) << label;
                EXPECT_EQ(app.Fake().messages.at(0).title, QString::fromUtf8(m.title)) << label;
                EXPECT_EQ(QFile::exists(path), a.saved) << label;
                EXPECT_EQ(app.Fake().saveRequests.size(), a.saved ? 1u : 0u) << label;
                EXPECT_EQ(app.IsVisible(kLauncher), !a.closed) << label;
                EXPECT_EQ(app.ErrorCount(), 0) << label;
            }
        }
    }
}

// Work as it was opened or saved asks nothing; changed after a save, it is
// saved into that file without a dialog. Questions come module by module;
// a save dialog cancelled, or a file that cannot be written, keeps the
// program running and asks no further.
TEST(ExitQuestions, ModuleByModuleIntoTheirFilesUntilASaveFails) {
    AppHarness app;
    const vimtal::testing::TempFolder dir;
    const QString cwu = dir.QtFile(QStringLiteral("zasobnik.cwu"));
    app.SetText(QStringLiteral("TForm5"), "Edit2", "1,2");
    ASSERT_TRUE(app.WindowAs<TForm5>(QStringLiteral("TForm5"))->Save(cwu));
    ASSERT_TRUE(app.WindowAs<TForm5>(QStringLiteral("TForm5"))->Open(cwu));
    app.Click(kLauncher, QStringLiteral("Zamknij1"));
    EXPECT_TRUE(app.Fake().saveQuestions.empty());
    EXPECT_FALSE(app.IsVisible(kLauncher));
    app.Window(kLauncher)->show();

    for (const Module& m : kModules) m.change(app);
    app.SetText(QStringLiteral("TForm5"), "Edit2", "1,5");
    // The circuit's save dialog cancelled.
    app.Fake().saveQuestionAnswers = {SaveAnswer::Save};
    app.Fake().saveAnswers = {std::nullopt};
    app.Click(kLauncher, QStringLiteral("Zamknij1"));
    EXPECT_EQ(app.Fake().saveQuestions.size(), 1u);
    EXPECT_TRUE(app.IsVisible(kLauncher));

    // The circuit left as it is, the DHW inputs into their file, the duct's
    // into a folder that does not exist.
    app.ClearRecords();
    app.Fake().saveQuestions.clear();
    app.Fake().saveQuestionAnswers = {SaveAnswer::Discard, SaveAnswer::Save, SaveAnswer::Save};
    app.Fake().saveAnswers = {dir.QtFile(QStringLiteral("brak/kanal.kan"))};
    app.Click(kLauncher, QStringLiteral("Zamknij1"));
    ASSERT_EQ(app.Fake().saveQuestions.size(), 3u);  // the chain is not reached
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(app.Fake().saveQuestions[i], QString::fromUtf8(kModules[i].question));
    EXPECT_EQ(app.Fake().saveRequests.size(), 1u);  // the duct's only
    EXPECT_EQ(app.ErrorCount(), 1);
    EXPECT_TRUE(app.IsVisible(kLauncher));
    EXPECT_EQ(app.WindowAs<TForm5>(QStringLiteral("TForm5"))->Changed(), false);
    EXPECT_EQ(dhwsim::kCwuFormat.Load(cwu.toStdString()).height, "1,5");

    // Asked again: the circuit, the duct, whose save now works, and the
    // chain, left as it is.
    app.Fake().saveQuestions.clear();
    app.Fake().saveQuestionAnswers = {SaveAnswer::Discard, SaveAnswer::Save, SaveAnswer::Discard};
    app.Fake().saveAnswers = {dir.QtFile(QStringLiteral("kanal.kan"))};
    app.Click(kLauncher, QStringLiteral("Zamknij1"));
    EXPECT_EQ(app.Fake().saveQuestions.size(), 3u);
    EXPECT_TRUE(QFile::exists(dir.QtFile(QStringLiteral("kanal.kan"))));
    EXPECT_FALSE(app.IsVisible(kLauncher));
}

// "Nowe obliczenia" starts a circuit without a file: empty again, it is
// nothing to save.
TEST(ExitQuestions, ANewEmptyCircuitIsNothingToSave) {
    AppHarness app;
    auto* circuit = app.WindowAs<TForm15>(QStringLiteral("TForm15"));
    circuit->Circuit().Append({});
    EXPECT_TRUE(circuit->Changed());
    circuit->Noweobliczenia1Click();
    EXPECT_FALSE(circuit->Changed());
}

// "Nowy" on the i-x chart: a chain changed is asked about first ("Anuluj"
// keeps it); the new chain, empty and without a file, is nothing to save,
// and "Zapisz..." then asks for a new name.
TEST(ExitQuestions, ANewChainAsksAboutThePresentOne) {
    AppHarness app;
    auto* chart = app.WindowAs<IxChartForm>(QStringLiteral("IxChartForm"));
    const vimtal::testing::TempFolder dir;
    const QString path = dir.QtFile(QStringLiteral("zima.ixp"));
    kModules[3].change(app);
    ASSERT_TRUE(chart->Save(path));
    EXPECT_FALSE(chart->Changed());
    chart->PutState(std::nullopt, StateAt("W", 22.0, 45.0));
    ASSERT_TRUE(chart->Changed());

    app.Fake().saveQuestionAnswers = {SaveAnswer::Cancel};
    app.Click(QStringLiteral("IxChartForm"), QStringLiteral("Nowy1"));
    EXPECT_EQ(chart->Chain().states.size(), 2u);
    app.Fake().saveQuestionAnswers = {SaveAnswer::Save};
    app.Click(QStringLiteral("IxChartForm"), QStringLiteral("Nowy1"));
    EXPECT_EQ(app.Fake().saveQuestions,
              (std::vector<QString>{QStringLiteral("Zapisać zmiany w przemianach powietrza?"),
                                    QStringLiteral("Zapisać zmiany w przemianach powietrza?")}));
    EXPECT_TRUE(app.Fake().saveRequests.empty());  // into its own file
    EXPECT_TRUE(chart->Chain().states.empty());
    EXPECT_FALSE(chart->Changed());
    EXPECT_TRUE(chart->Open(path));
    EXPECT_EQ(chart->Chain().states.size(), 2u);

    app.Click(QStringLiteral("IxChartForm"), QStringLiteral("Nowy1"));  // unchanged: no question
    EXPECT_EQ(app.Fake().saveQuestions.size(), 2u);
    app.Fake().saveAnswers = {std::nullopt};
    app.Click(QStringLiteral("IxChartForm"), QStringLiteral("Zapisz1"));
    EXPECT_EQ(app.Fake().saveRequests.back().fileName, QStringLiteral("przemiany.ixp"));
}

// When the desktop session ends, the same questions where the session
// manager lets the program ask; the changes the user chose not to save are
// then not asked about again when the launcher closes.
TEST(ExitQuestions, SessionEnd) {
    AppHarness app;
    WindowLink<TForm15> circuit;
    WindowLink<TForm5> dhw;
    WindowLink<TForm9> duct;
    WindowLink<IxChartForm> chain;
    circuit.Bind(*app.WindowAs<TForm15>(QStringLiteral("TForm15")));
    dhw.Bind(*app.WindowAs<TForm5>(QStringLiteral("TForm5")));
    duct.Bind(*app.WindowAs<TForm9>(QStringLiteral("TForm9")));
    chain.Bind(*app.WindowAs<IxChartForm>(QStringLiteral("IxChartForm")));
    const ExitQuestions questions({circuit, dhw, duct, chain});
    kModules[1].change(app);

    EXPECT_TRUE(questions.MaySessionEnd(false));
    EXPECT_TRUE(app.Fake().saveQuestions.empty());
    app.Fake().saveQuestionAnswers = {SaveAnswer::Cancel};
    EXPECT_FALSE(questions.MaySessionEnd(true));
    app.Fake().saveQuestionAnswers = {SaveAnswer::Discard};
    EXPECT_TRUE(questions.MaySessionEnd(true));
    EXPECT_EQ(app.Fake().saveQuestions.size(), 2u);
    app.Click(kLauncher, QStringLiteral("Zamknij1"));
    EXPECT_EQ(app.Fake().saveQuestions.size(), 2u);
    EXPECT_FALSE(app.IsVisible(kLauncher));
}

}  // namespace
}  // namespace vimtal
