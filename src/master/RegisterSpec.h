#pragma once
// The register window as data. Every master-data register (storages, places,
// departments, persons, suppliers, article types, article packs, users and
// the article register) is one RegisterSpec: its table, the load query whose
// aliases are the grid titles, the editors bound to columns, the required
// fields, the unique column checked on insert, where the pinyin initials come
// from, the delete guards and the few hooks a member needs beyond that.
// The window (TfrmRegister) and the logic (RegisterLogic) read nothing else.

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <vector>

class QComboBox;
class TfrmRegister;
class Db;

// What kind of control edits a column.
enum class EditorKind {
    Text,    // a line edit
    Lookup,  // a drop-down list filled by a data-module lookup service; yields its key
    Number,  // a line edit accepting a decimal number (digits and one point), bound as a number
};

struct RegisterEditor {
    QString name;    // objectName: "DBEdit1", "DBLookupComboBox1"
    QString column;  // the table column it writes: "SName"
    QString field;   // the field of the load query it shows: "仓库名称"
    EditorKind kind = EditorKind::Text;
    int maxLength = 0;  // characters; the column's width, so a save never fails on length
    // When above 0, the text is also limited in GBK bytes (a Chinese
    // character counts two), as the entry fields of the article dialogs are.
    int gbkBytes = 0;
    QString label;      // the caption beside it; empty gives field + "："
    // Lookup: fills the box's list (a DBCom... service of the data module).
    std::function<void(QComboBox*)> fill;
    // Number: the message for a text that is no number (%1 = the text).
    QString invalidMessage;
};

// A required field, checked in order on both saves: when the editor's text is
// empty (or only blanks) the message is shown and the editor gets the focus.
struct RequiredCheck {
    QString column;
    QString message;
};

// A column set on save from something other than an editor.
struct FixedValue {
    QString column;
    std::function<QVariant()> value;
};

// A check before a row may be deleted: a select over other tables bound with
// fields of the current row. The row is refused with the message when the
// select yields any row (AnyRow) or exactly one row (ExactlyOneRow, the last
// user). %1 in the message is the current row's messageField.
struct DeleteGuard {
    enum class Refuse { AnyRow, ExactlyOneRow };
    QString sql;
    QStringList params;  // fields of the load query, bound in order
    Refuse refuse = Refuse::AnyRow;
    QString message;
    QString messageField;
};

// The values of the current grid row, by field name of the load query.
using RegisterRow = QHash<QString, QVariant>;
// The texts of the editors, by table column.
using RegisterValues = QHash<QString, QString>;

struct RegisterSpec {
    QString className;  // "TfrmStorage"; the window's objectName drops the leading T
    QString caption;    // window caption: "仓库设置"
    QString group;      // editor group title: "仓库信息"
    QString table;      // "SStorage"

    // The load query in its pieces, joined in order. Its aliases are the grid
    // titles; it must carry the row's ID (as idField) so the row can be written.
    QStringList loadQuery;
    QString idField = QStringLiteral("ID");
    QStringList hidden;                  // fields not shown in the grid
    QList<QPair<QString, int>> widths;   // field -> column width in pixels
    bool sortableTitles = false;         // a click on a title sorts (ascending, then toggling)

    std::vector<RegisterEditor> editors;  // in the order Enter and Tab move through them
    QString keyEditor;                    // objectName of the key editor: focused on New and Edit; Edit needs it non-empty
    std::vector<RequiredCheck> required;  // in order

    QString uniqueColumn;      // checked on insert; empty: no check
    QString duplicateMessage;  // "仓库名称 添加重复！"
    // When not empty, an edit may not give the row a unique value that another
    // row has (this message); empty: an edit may take any value.
    QString editDuplicateMessage;

    QString pinyinColumn;  // "thePY" when the table carries pinyin initials
    QString pinyinFrom;    // the column whose text gives them ("SName", "PName")

    std::vector<FixedValue> insertValues;  // also written on insert (the user's default password, ...)
    std::vector<FixedValue> editValues;    // also written on an edit

    std::vector<DeleteGuard> guards;  // all must pass, in order
    // Statements run (bound with the row's ID) in the same transaction before
    // the row itself is deleted, e.g. the article's zero stock rows.
    QStringList alsoDelete;

    // After an edit is saved: reload with the first row current (true), or
    // reload keeping the edited row current (false).
    bool firstRowAfterEdit = false;

    // Shown whenever the window closes (empty: nothing).
    QString closeMessage;

    // Hooks.
    // After the window is built: popup menus, notes, hints.
    std::function<void(TfrmRegister&)> setup;
    // After "新增" has entered the inserting state (e.g. propose a code).
    std::function<void(TfrmRegister&)> afterNew;
    // Inside the insert's transaction, after the row is stored (the new ID).
    std::function<void(Db&, const RegisterValues&, qlonglong id)> afterInsert;

    // The editor with that objectName (nullptr when none).
    const RegisterEditor* editor(const QString& name) const;
    const RegisterEditor* editorForColumn(const QString& column) const;
};
