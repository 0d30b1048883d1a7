#pragma once
// Registers every module window of the program with the window registry.
// Each subsystem offers its own registration; this calls them all.
void registerAllWindows();
