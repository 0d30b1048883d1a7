#include "app/Windows.h"

#include "exchange/ExchangeWindows.h"
#include "master/MasterWindows.h"
#include "master/PartyQueries.h"

void registerAllWindows() {
    registerMasterWindows();
    registerPartyQueryWindows();
    registerExchangeWindows();
}
