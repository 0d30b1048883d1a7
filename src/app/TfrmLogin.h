#pragma once
// The login window: the first window of the run. Closing it ends the program.

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;
class TfrmMain;

class TfrmLogin : public QWidget {
    Q_OBJECT
public:
    explicit TfrmLogin(TfrmMain* main);

    QComboBox* DBLookupComboBox1;
    QLineEdit* Edit1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;

    void BitBtn1Click();
    void DBLookupComboBox1Click();

protected:
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    TfrmMain* main_;
};
