#pragma once
// The members of the register window design: storages, places, departments,
// persons, suppliers, article types and article packs (the user window's
// member lives with the users windows).

#include "master/RegisterSpec.h"

#include <QStringList>

class TfrmRegister;
class QWidget;

namespace RegisterMembers {

// The class names of the seven basic registers, in menu order.
const QStringList& basicRegisters();
// The member of a class ("TfrmStorage"); throws std::out_of_range for an unknown one.
const RegisterSpec& spec(const QString& className);
// A new window of that member.
TfrmRegister* create(const QString& className, QWidget* parent = nullptr);

} // namespace RegisterMembers
