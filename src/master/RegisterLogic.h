#pragma once
// What the register window does when it saves, checks and deletes, without a
// window: the required fields, the duplicate check on insert (a bound
// equality, so a name with quotes, % or _ is compared exactly), the pinyin
// initials, the fixed values, the delete guards and the rights. Every write
// runs in one transaction.

#include "master/RegisterSpec.h"

#include <functional>

class TfrmDM;

struct RegisterResult {
    bool ok = false;
    QString message;  // shown in a plain box when not empty
    QString focus;    // objectName of the editor to focus after the message
    qlonglong id = 0; // the row written (insert and edit)
};

class RegisterLogic {
public:
    RegisterLogic(const RegisterSpec& spec, TfrmDM& dm);

    // The load query as one statement.
    QString loadSql() const;

    // The first required field that is empty (message and focus), or ok.
    RegisterResult validate(const RegisterValues& values) const;
    // True when a row with this unique value exists (insert only).
    bool isDuplicate(const QString& uniqueValue) const;

    // Saving a new record: required fields, duplicate check, pinyin, fixed
    // values, the insert and the member's afterInsert, in one transaction.
    RegisterResult saveNew(const RegisterValues& values);
    // Saving an edit of row id: required fields, the unique value against the
    // other rows where the member asks for it, pinyin, the edit's fixed
    // values, one update.
    RegisterResult saveEdit(qlonglong id, const RegisterValues& values);

    // "修改" may start: there is a current row, its key is not empty and the
    // right to modify is not withheld.
    bool mayStartEdit(bool hasRow, const QString& keyText) const;

    // The first guard that refuses the row (its message), or empty.
    QString deleteRefusal(const RegisterRow& row) const;
    // Deleting the current row: nothing (not ok, no message) without a row or
    // with the right to delete withheld; a guard's message; confirm() asked;
    // on Yes the row (and the member's alsoDelete rows) go in one transaction.
    RegisterResult remove(const RegisterRow& row, const std::function<bool()>& confirm);

    const RegisterSpec& spec() const { return spec_; }

private:
    // Column -> value to bind, for the editors, pinyin and fixed values.
    QList<QPair<QString, QVariant>> columnValues(const RegisterValues& values,
                                                 const std::vector<FixedValue>& fixed) const;
    RegisterResult checkNumbers(const RegisterValues& values) const;

    const RegisterSpec& spec_;
    TfrmDM& dm_;
};
