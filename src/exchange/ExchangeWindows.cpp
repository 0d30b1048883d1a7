#include "exchange/ExchangeWindows.h"

#include "app/WindowRegistry.h"

void registerExchangeWindows() {
}
