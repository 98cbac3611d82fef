// The modules whose work the user keeps in files of their own: what the
// launcher opens files from outside in, and asks about before the program
// ends.
#pragma once

#include "core/ui/WindowLink.h"

namespace vimtal {

class IxChartForm;
class TForm5;
class TForm9;
class TForm15;

struct WorkModules {
    WindowLink<TForm15>& circuit;        // .moh
    WindowLink<TForm5>& dhwSimulation;   // .cwu
    WindowLink<TForm9>& ductCooling;     // .kan
    WindowLink<IxChartForm>& airProcesses;  // .ixp
};

}  // namespace vimtal
