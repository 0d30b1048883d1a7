#include "app/Session.h"

#include <QStringList>

Session& session() {
    static Session s;
    return s;
}

void resetSession() { session() = Session(); }
