#pragma once
// One copy of the program per machine and user: a lock file named after the
// lock in the temp folder. A lock left by a crashed copy is taken over.

#include <QLockFile>
#include <QString>

#include <memory>

class SingleInstance {
public:
    explicit SingleInstance(const QString& name = QStringLiteral("Article"));
    ~SingleInstance();
    // True when this process holds the lock; false when another copy runs.
    bool acquire();
    void release();

private:
    std::unique_ptr<QLockFile> lock_;
};
