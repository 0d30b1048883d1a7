#pragma once
// Read-only lists over the person, supplier and article registers:
//  - TfrmP_Q "人员查询" and TfrmM_Q "供应商查询", child windows with their
//    search fields;
//  - TfrmW_A and TfrmW_P, modal viewers of the articles or persons a caller's
//    condition keeps (the statistics windows list what was not issued):
//
//      TfrmW_P w(this, "未领用人员", " AND (PName NOT IN (select ...))", {from, to});
//      w.exec();
//
// Each window shows its row count under the grid and exports its rows
// through the spreadsheet export (ExcelExport) with the layout of its name.

#include <QDialog>
#include <QString>
#include <QVariantList>
#include <QWidget>

class DataGrid;
class QComboBox;
class QLabel;
class QLineEdit;
class QHBoxLayout;
class QPushButton;

// Registers TfrmP_Q and TfrmM_Q with the window registry.
void registerPartyQueryWindows();

namespace PartyQueries {

struct Statement {
    QString sql;
    QVariantList params;
};

// The person query: a chosen department, a text matched against names and
// pinyin initials (either may be empty); ordered by department.
Statement persons(const QString& department, const QString& name);
// The supplier query: a text matched against names and pinyin initials, a
// fragment of the contact; ordered by supplier name.
Statement suppliers(const QString& name, const QString& contact);
// The viewers: every article / person the condition (" AND ...") keeps.
Statement articles(const QString& condition, const QVariantList& params);
Statement people(const QString& condition, const QVariantList& params);

} // namespace PartyQueries

// The frame the two query windows share: search fields on top, the grid, the
// count under it, and "查询", "Excel", "退出".
class TfrmPartyQuery : public QWidget {
    Q_OBJECT
public:
    // "查询".
    void BitBtn1Click();
    // "Excel".
    void BitBtn2Click();
    DataGrid* grid() const { return DBGrid1; }

protected:
    struct Member {
        QString caption;
        QString countLabel;  // "人员数量：" ...
        QString layout;      // export layout
        QList<QPair<QString, int>> widths;
        bool sortable;
    };
    TfrmPartyQuery(const Member& m, QWidget* parent);
    // The statement for the fields as they are now.
    virtual PartyQueries::Statement statement() const = 0;
    // Adds a labelled field to the search row.
    void addField(const QString& label, QWidget* field);
    void finishFields();
    void closeWindow();

    DataGrid* DBGrid1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn3 = nullptr;

private:
    Member member_;
    QHBoxLayout* fields_ = nullptr;
};

class TfrmP_Q : public TfrmPartyQuery {
    Q_OBJECT
public:
    explicit TfrmP_Q(QWidget* parent = nullptr);

protected:
    PartyQueries::Statement statement() const override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox* DBLookupComboBox1 = nullptr;
    QLineEdit* Edit1 = nullptr;
};

class TfrmM_Q : public TfrmPartyQuery {
    Q_OBJECT
public:
    explicit TfrmM_Q(QWidget* parent = nullptr);

protected:
    PartyQueries::Statement statement() const override;

private:
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
};

// The frame the two viewers share: the grid, "数量：" and "Excel", "退出".
class TfrmViewer : public QDialog {
    Q_OBJECT
public:
    // Runs the statement with the caller's condition and shows the count.
    void FormShow();
    // "Excel".
    void BitBtn2Click();
    DataGrid* grid() const { return DBGrid1; }

protected:
    struct Member {
        QString className;
        QString layout;
        QList<QPair<QString, int>> widths;
        PartyQueries::Statement (*statement)(const QString&, const QVariantList&);
    };
    TfrmViewer(const Member& m, QWidget* parent, const QString& caption, const QString& condition,
               const QVariantList& params);
    void showEvent(QShowEvent* event) override;

    DataGrid* DBGrid1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn3 = nullptr;

private:
    Member member_;
    QString condition_;
    QVariantList params_;
    bool shown_ = false;
};

// Articles the caller's condition keeps ("未领用物品", "未借用物品").
class TfrmW_A : public TfrmViewer {
    Q_OBJECT
public:
    TfrmW_A(QWidget* parent, const QString& caption, const QString& condition, const QVariantList& params = {});
};

// Persons the caller's condition keeps ("未领用人员", "未借用人员").
class TfrmW_P : public TfrmViewer {
    Q_OBJECT
public:
    TfrmW_P(QWidget* parent, const QString& caption, const QString& condition, const QVariantList& params = {});
};
