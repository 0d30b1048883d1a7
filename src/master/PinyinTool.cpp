#include "master/PinyinTool.h"

#include "master/IMCode.h"

#include <iostream>
#include <string>
#include <string_view>

namespace {

void printCode(std::ostream& out, const QString& text) {
    const QByteArray code = PinyinCodeOf(text).toLatin1();
    out.write(code.constData(), code.size());
    out.put('\n');
}

} // namespace

int pinyinToolMain(const QStringList& args, std::istream& in, std::ostream& out) {
    if (!args.isEmpty()) {
        for (const QString& text : args) printCode(out, text);
    } else {
        std::string line;
        bool first = true;
        while (std::getline(in, line)) {
            std::string_view text(line);
            if (!text.empty() && text.back() == '\r') text.remove_suffix(1);  // CRLF files
            if (first && text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // byte-order mark
            first = false;
            printCode(out, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
        }
    }
    out.flush();
    return out ? 0 : 1;
}

int pinyinToolMain(const QStringList& args) {
    return pinyinToolMain(args, std::cin, std::cout);
}
