#pragma once
// TfrmFind "供应商 查找": the supplier finder of the purchase-in window
// (mode "CG") and the return-to-supplier window ("TH"), opened by Enter or a
// double click in their supplier name (Edit1) and always shown, whatever the
// number of matches.
//
// A choice writes into the opener: FindID (the supplier's ID) into the
// hidden label LabJSSID, 商家名称 into Edit1, 电话号码 into Edit2, 联系人 into
// Edit3, 地址 into Edit4, 备注 into Edit5; then the focus goes to the
// opener's line grid.

#include "master/FindDialog.h"

class TfrmFind : public FinderDialog {
    Q_OBJECT
public:
    // mode: "CG" or "TH"; any other code throws std::invalid_argument.
    TfrmFind(FinderHost& host, const QString& mode);

    QString mode() const { return mode_; }

    // What the supplier field does on Enter or a double click (myFindJXS):
    // lists the suppliers for the opener's Edit1 text and runs the finder
    // modally, whatever the number of matches. Returns the dialog's result.
    static int ask(FinderHost& host, const QString& mode);

    // Lists the suppliers whose pinyin initials or name contain text (every
    // supplier for an empty text): FindID hidden, then 商家名称 200,
    // 电话号码 100, 联系人 100, 地址 150, 备注 100 pixels. Returns the rows
    // found. Throws DbError.
    int search(const QString& text);

protected:
    void writeChoice(int row) override;

private:
    QString mode_;
};
