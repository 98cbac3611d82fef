// Creation of every window of the program, once, at start-up.
#pragma once

#include <vector>

namespace vimtal {

class AmbientAir;
class Form;
struct StartupFiles;

// Creates the program's shared state (the ambient air, the pressure-loss
// calculator's circuit) and the windows in their fixed order, the launcher
// first (it becomes the main window), handing each window what it uses.
// Returns the windows in that order; they are the program's until
// DestroyForms.
std::vector<Form*> CreateForms();

// Opens the files named on the command line, each in its module, once the
// program's event loop runs: after start-up, above the launcher
// (app/ModuleFiles.h).
void OpenStartupFiles(const StartupFiles& files);

// Destroys every window and the shared state (end of the program, end of a
// test).
void DestroyForms();

// The ambient air the windows share (for the test harness).
AmbientAir& ProgramAmbientAir();

}  // namespace vimtal
