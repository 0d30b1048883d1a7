#pragma once
// The three spreadsheet import windows share one design: a hint telling the
// expected layout, "打开" to choose and preview a workbook's Sheet1, a grid
// with the rows read, "导入" to insert the rows not yet in the database, and
// "退出". The article import adds "保存库存" and a storage to book the
// opening stock into. Each member is a row of a small table (ImportWindows.cpp).

#include "platform/SheetReader.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTableView;
class SheetTableModel;

class TfrmImport : public QDialog {
    Q_OBJECT
public:
    enum class Member { Articles, Persons, Suppliers };
    TfrmImport(Member member, QWidget* parent = nullptr);
    ~TfrmImport() override;

    // "打开": choose a file, read its Sheet1 and show it.
    void Button1Click();
    // "导入".
    void BitBtn1Click();
    // Choosing a storage ticks "保存库存".
    void DBLookupComboBox2Click();

    // The file shown (empty before one was read).
    QString fileName() const { return file_; }
    const SheetTable& table() const { return table_; }

private:
    Member member_;
    QString file_;
    SheetTable table_;
    QLabel* Label1 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QTableView* DBGrid1 = nullptr;
    SheetTableModel* model_ = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QComboBox* DBLookupComboBox2 = nullptr;
};

// "物品导入": articles, optionally with an opening stock.
class TfrmIn_A : public TfrmImport {
    Q_OBJECT
public:
    explicit TfrmIn_A(QWidget* parent = nullptr) : TfrmImport(Member::Articles, parent) {}
};

// "人员导入": persons.
class TfrmIn_P : public TfrmImport {
    Q_OBJECT
public:
    explicit TfrmIn_P(QWidget* parent = nullptr) : TfrmImport(Member::Persons, parent) {}
};

// "供应商导入": suppliers.
class TfrmIn_G : public TfrmImport {
    Q_OBJECT
public:
    explicit TfrmIn_G(QWidget* parent = nullptr) : TfrmImport(Member::Suppliers, parent) {}
};
