#pragma once
#include <QString>
#include <QTemporaryDir>

// A fresh, empty program folder for one test; removed with the object.
class TempFolder {
public:
    TempFolder() { dir_.setAutoRemove(true); }
    QString path() const { return dir_.path(); }
    QString file(const QString& rel) const { return dir_.filePath(rel); }

private:
    QTemporaryDir dir_;
};
