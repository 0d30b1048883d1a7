#include "exchange/ExchangeWindows.h"

#include "app/WindowRegistry.h"
#include "exchange/ImportWindows.h"

void registerExchangeWindows() {
    WindowRegistry::add(QStringLiteral("TfrmIn_A"), WindowKind::Modal,
                        [](QWidget* parent, const QVariant&) { return new TfrmIn_A(parent); });
    WindowRegistry::add(QStringLiteral("TfrmIn_P"), WindowKind::Modal,
                        [](QWidget* parent, const QVariant&) { return new TfrmIn_P(parent); });
    WindowRegistry::add(QStringLiteral("TfrmIn_G"), WindowKind::Modal,
                        [](QWidget* parent, const QVariant&) { return new TfrmIn_G(parent); });
}
