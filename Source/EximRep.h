#pragma once
// The export, import and report objects of the program: made once at
// start-up, after the print manager and before the main window, freed at
// exit. Portable; the host comes from the program (EximRepHostWin32.h).

#include <vector>

#include "Source/EximRepHost.h"
#include "Source/InOut.h"

namespace vk {

// Reads the CSV separators, then makes the CSV export, the text export, the
// import and the list report over the program's store. The host must live
// until FreeEximRep.
void InitEximRep(TExImHost& host);
void FreeEximRep();
// The four objects in the order the main window hands them to its command
// manager; empty before InitEximRep and after FreeEximRep.
std::vector<TInOut*> EximRepObjects();

}  // namespace vk
