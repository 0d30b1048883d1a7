#pragma once
// Registers the spreadsheet import windows with the window registry.
void registerExchangeWindows();
