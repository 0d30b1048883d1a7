#pragma once
// Helpers of the QR code tests: the PBM text image as pictures, an outside
// decoder (zbarimg) and an outside encoder (Debian's python3-segno).

#include <QByteArray>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <optional>
#include <string>
#include <vector>

namespace qrtest {

// The pictures of the symbols of a PBM text image ("P1", the mode line, the
// size line, then per symbol two empty lines and its pixel rows), each pixel
// magnified by scale.
inline std::vector<QImage> pbmImages(const QStringList& pbm, int scale = 1) {
    std::vector<QImage> out;
    if (pbm.size() < 3) return out;
    const QStringList size = pbm[2].split(QLatin1Char(' '));
    const int w = size.value(0).toInt();
    const int h = size.value(1).toInt();
    int line = 3;
    while (line + 2 + h <= pbm.size()) {
        line += 2;   // the two empty lines before each symbol
        QImage img(w * scale, h * scale, QImage::Format_RGB32);
        for (int y = 0; y < h; ++y, ++line) {
            const QString& row = pbm[line];
            for (int x = 0; x < w; ++x) {
                const bool dark = row.at(2 * x + 1) == QLatin1Char('1');
                for (int dy = 0; dy < scale; ++dy)
                    for (int dx = 0; dx < scale; ++dx)
                        img.setPixel(x * scale + dx, y * scale + dy, dark ? 0xFF000000 : 0xFFFFFFFF);
            }
        }
        out.push_back(img);
    }
    return out;
}

// Path of zbarimg, or empty.
inline QString zbarimg() { return QStandardPaths::findExecutable(QStringLiteral("zbarimg")); }

// Decodes each picture with zbarimg; an entry is empty when nothing was
// found. Without binary, all pictures go to one zbarimg run (its XML output
// tells the files apart) and the data come back as zbarimg converts them,
// which is right for ASCII text. With binary, each picture is read on its
// own and the data bytes come back unconverted.
inline std::vector<std::optional<QByteArray>> zbarDecode(const std::vector<QImage>& images, bool binary = false) {
    std::vector<std::optional<QByteArray>> result(images.size());
    QTemporaryDir dir;
    QStringList files;
    for (std::size_t i = 0; i < images.size(); ++i) {
        const QString f = dir.filePath(QStringLiteral("s%1.png").arg(i));
        images[i].save(f);
        files << f;
    }
    auto run = [](const QStringList& args) {
        QProcess p;
        p.setProcessChannelMode(QProcess::SeparateChannels);
        p.start(zbarimg(), args);
        p.waitForFinished(-1);
        return p.readAllStandardOutput();
    };
    if (binary) {
        for (std::size_t i = 0; i < images.size(); ++i) {
            const QByteArray out = run({QStringLiteral("--nodbus"), QStringLiteral("-q"), QStringLiteral("--raw"),
                                        QStringLiteral("-Sbinary"), files[static_cast<qsizetype>(i)]});
            if (!out.isEmpty()) result[i] = out;
        }
        return result;
    }
    QXmlStreamReader xml(run(QStringList{QStringLiteral("--nodbus"), QStringLiteral("--xml")} + files));
    int current = -1;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) continue;
        if (xml.name() == QLatin1String("source")) {
            current = static_cast<int>(files.indexOf(xml.attributes().value(QLatin1String("href")).toString()));
        } else if (xml.name() == QLatin1String("data") && current >= 0) {
            const bool base64 = xml.attributes().value(QLatin1String("format")) == QLatin1String("base64");
            const QString text = xml.readElementText();
            QByteArray bytes = base64 ? QByteArray::fromBase64(text.trimmed().toLatin1()) : text.toUtf8();
            auto& slot = result[static_cast<std::size_t>(current)];
            slot = slot ? *slot + bytes : bytes;
        }
    }
    return result;
}

// Debian's python3 with segno, or empty when it is not there.
inline QString segnoPython() {
    const QString py = QStandardPaths::findExecutable(QStringLiteral("python3"), {QStringLiteral("/usr/bin")});
    if (py.isEmpty()) return {};
    QProcess p;
    p.start(py, {QStringLiteral("-c"), QStringLiteral("import segno")});
    p.waitForFinished(-1);
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 ? py : QString();
}

} // namespace qrtest
