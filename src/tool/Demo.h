#pragma once
#include <QStringList>

namespace Demo {
// kelvora-tool demo [DIR] [--scale N]
int main(const QStringList& args);
} // namespace Demo
