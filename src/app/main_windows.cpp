#include "app/Windows.h"

#include "exchange/ExchangeWindows.h"
#include "master/MasterWindows.h"

void registerAllWindows() {
    registerMasterWindows();
    registerExchangeWindows();
}
