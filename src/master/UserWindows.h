#pragma once
// The users' dialogs: the menu rights of a user (TfrmLevel), the storage
// rights of a user (TfrmLW) and the password change of the logged-in user
// (TfrmChangePass). The user register itself is a register window
// (UserGrants::userSpec()).

#include <QDialog>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;

// A user's menu entries (a four-column check list of every SMenu row) and
// the three rights.
class TfrmLevel : public QDialog {
    Q_OBJECT
public:
    TfrmLevel(QWidget* parent, qlonglong uid, const QString& userName);

    void FormShow();
    // "全选": ticks or unticks every entry and sets the three rights alike.
    void CheckBox1Click();
    // "保存".
    void BitBtn1Click();

    QListWidget* list() const { return CheckListBox1; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layoutColumns();

    qlonglong uid_;
    QGroupBox* GroupBox1 = nullptr;
    QListWidget* CheckListBox1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QCheckBox* CheckBox3 = nullptr;
    QCheckBox* CheckBox4 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};

// A user's storages: a check list of every storage.
class TfrmLW : public QDialog {
    Q_OBJECT
public:
    TfrmLW(QWidget* parent, qlonglong uid, const QString& userName);

    void FormShow();
    void BitBtn1Click();

    QListWidget* list() const { return CheckListBox1; }

private:
    qlonglong uid_;
    QGroupBox* GroupBox1 = nullptr;
    QListWidget* CheckListBox1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};

// The logged-in user's password: old, new and its confirmation.
class TfrmChangePass : public QDialog {
    Q_OBJECT
public:
    explicit TfrmChangePass(QWidget* parent = nullptr);

    // "确认".
    void BitBtn1Click();

private:
    QGroupBox* GroupBox1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};
