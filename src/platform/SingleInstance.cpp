#include "platform/SingleInstance.h"

#include <QDir>

SingleInstance::SingleInstance(const QString& name)
    : lock_(std::make_unique<QLockFile>(QDir::temp().filePath(name + QStringLiteral(".lock")))) {
    lock_->setStaleLockTime(0); // only a dead owner makes the lock stale
}

SingleInstance::~SingleInstance() { release(); }

bool SingleInstance::acquire() {
    if (lock_->isLocked()) return true;
    if (lock_->tryLock(0)) return true;
    if (lock_->error() == QLockFile::LockFailedError) {
        // A lock whose owner is gone is stale; take it over.
        if (lock_->removeStaleLockFile() && lock_->tryLock(0)) return true;
    }
    return false;
}

void SingleInstance::release() {
    if (lock_ && lock_->isLocked()) lock_->unlock();
}
