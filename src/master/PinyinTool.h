#pragma once
// The "pinyin" command of kelvora-tool: the pinyin code of texts from the shell.

#include <QStringList>

#include <iosfwd>

// Prints the pinyin code of each text in args on a line of its own. With no
// text, reads UTF-8 lines from standard input and prints the code of each, in
// order (an empty line gives an empty line). Returns the exit status.
int pinyinToolMain(const QStringList& args);

// The same on the given streams.
int pinyinToolMain(const QStringList& args, std::istream& in, std::ostream& out);
