#pragma once
// Accessories: the parts that belong to an article, each with a quantity.
// UArticle.FJCount holds the sum of the article's accessory quantities; it
// moves together with every accessory added or deleted, in one transaction.

#include <QDialog>
#include <QString>

#include <functional>

class QGroupBox;
class QLineEdit;
class QMenu;
class QPushButton;
class DataGrid;

namespace Accessories {

inline constexpr int NameBytes = 30;
inline constexpr int CountDigits = 3;
inline constexpr int RemarkBytes = 50;

enum class Field { None, Name, Count };

struct Outcome {
    Field field = Field::None;
    QString message;
    bool ok() const { return field == Field::None; }
};

// The accessories of an article as the list shows them.
QString listSql();

// Adds an accessory and raises the article's FJCount by its quantity.
Outcome add(const QString& articleId, const QString& name, const QString& count, const QString& remark);

// Deletes an accessory and lowers its article's FJCount by its quantity.
// False when there is no such accessory.
bool remove(qlonglong accessoryId);

} // namespace Accessories

// "… 附件管理"
class TfrmA_FJ : public QDialog {
    Q_OBJECT
public:
    // caller: "Article_M" or "Article_Q" (the window refreshed on close).
    TfrmA_FJ(QWidget* parent, const QString& caption, const QString& articleId, const QString& caller);
    ~TfrmA_FJ() override;

    QGroupBox* GroupBox1;  // 附件列表
    DataGrid* DBGrid1;
    QMenu* PopupMenu1;
    QAction* D1;           // 删除 &D
    QLineEdit* Edit1;      // 附件名称
    QLineEdit* Edit2;      // 数量
    QLineEdit* Edit3;      // 备注
    QPushButton* BitBtn1;  // 保存
    QPushButton* BitBtn2;  // 退出

    void FormShow();
    void myRef();
    void BitBtn1Click();
    void D1Click();

    QString caller() const { return caller_; }

signals:
    // When the dialog closes: the caller reloads its list so that its
    // 附件数量 shows the new sum.
    void closed(const QString& caller);

protected:
    void showEvent(QShowEvent* e) override;
    void done(int result) override;

private:
    QString articleId_;
    QString caller_;
    bool shown_ = false;
};
