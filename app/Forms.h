// Creation of every window of the program, once, at start-up.
#pragma once

namespace vimtal {

// Creates the windows in their fixed order, the launcher first (it becomes
// the main window), registers them (core/ui/FormRegistry.h) and enables the
// launcher's buttons of the modules that exist.
void CreateForms();

// Destroys every window (end of the program, end of a test).
void DestroyForms();

}  // namespace vimtal
