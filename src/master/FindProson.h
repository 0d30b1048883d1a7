#pragma once
// TfrmFindProson "查找 人员": the person finder of the entry windows' person
// fields. The opener sets Label1 to the target, in the form
// "<window>.<edit>.Text" (e.g. "frmOut_LY.Edit2.Text"), and Label2 to the
// typed text, then shows the finder; on show it lists the persons whose name,
// pinyin initials or staff number contain the text (everyone for an empty
// text), ordered by department and name.
//
// A choice writes the person's name (人员姓名) into the opener's edit named
// in Label1; for the main person of the requisition, loan and request
// windows it also writes the department (部门名称) into the opener's hidden
// department label (see departmentLabelOf). The edit is found through the
// opener (FinderHost::setControlText), never by a global lookup.

#include "master/FindDialog.h"

class QLabel;

class TfrmFindProson : public FinderDialog {
    Q_OBJECT
public:
    QLabel* Label1 = nullptr;  // the target, "frmIN_CG.Edit7.Text"
    QLabel* Label2 = nullptr;  // the search text

    explicit TfrmFindProson(FinderHost& host);

    // What a person field does on Enter or a double click: opens the finder
    // for target with text and runs it modally. Returns the dialog's result
    // (QDialog::Accepted when a person was chosen).
    static int ask(FinderHost& host, const QString& target, const QString& text);

    void setTarget(const QString& target);
    void setSearchText(const QString& text);

    // Runs the person query for Label2's text; returns the rows found.
    // FormShow runs it. Throws DbError.
    int myRef();

    // The edit a target names ("frmIN_CG.Edit7.Text" gives "Edit7"), empty
    // when the text is not of that form.
    static QString editOf(const QString& target);
    // The label that receives the department for a target: "Label3" for
    // "frmOut_LY.Edit2.Text" and "frmSQ_In.Edit2.Text", "Label4" for
    // "frmOut_JC.Edit2.Text", empty for every other target.
    static QString departmentLabelOf(const QString& target);
    // The eighteen targets of the entry windows' person fields.
    static QStringList knownTargets();

protected:
    void FormShow() override;
    void writeChoice(int row) override;
};
