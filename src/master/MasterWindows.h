#pragma once
// Registers the master-data windows (registers, users, articles, queries) with the window registry.
void registerMasterWindows();
