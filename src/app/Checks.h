#pragma once
// The invariants the stored data keeps, checked over a whole database.

#include <QStringList>

class Db;

namespace Checks {

// One line per row that breaks an invariant; empty when everything holds.
QStringList run(Db& db);

} // namespace Checks
