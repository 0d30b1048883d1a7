#pragma once
// The values that describe this run of the program: who works, on which date,
// with which rights, storages and defaults. Fixed by the login and by the
// main window when it is shown; read by nearly every window.

#include <QString>
#include <QStringList>

struct Session {
    // Set at start.
    QString AppPath;
    QString VersionText;

    // Set by the login.
    QString UserName;
    QString UserPass;
    QString UserID;
    QString LoginDate;       // "yyyy-mm-dd": the working date of the whole run
    QString CanModify;       // "是"/"否"; only "否" withholds a right
    QString CanDelete;
    QString CanExport;
    QString UserStorages;    // A','B','C: the user's storages as the original text
    QStringList UserStorageNames;  // the same names one by one, for bound IN lists

    // Set when the main window is shown.
    QString UnitName;
    QString DefStorageID;
    QString DefHandler;
    QString DefBuyer;
    QString DefApprover;
    QString DefReturnDays;
    bool AllowNegativeStock = false;
    bool RemindOverdue = false;
    bool WarnBelowMin = false;
    bool WarnAboveMax = false;
    bool ZeroPriceLY = false;
    bool ZeroPriceJY = false;
    bool ZeroPriceGH = false;
    bool ZeroPriceDB = false;
    QString PictureFolder;

    bool mayModify() const { return CanModify != QStringLiteral("否"); }
    bool mayDelete() const { return CanDelete != QStringLiteral("否"); }
    bool mayExport() const { return CanExport != QStringLiteral("否"); }

};

// The one session of the process.
Session& session();
// Empties every value (tests).
void resetSession();
