#include "master/MasterWindows.h"

#include "app/WindowRegistry.h"

void registerMasterWindows() {
}
