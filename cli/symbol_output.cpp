#include "cli/symbol_output.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>

#include "render/symbol_image.h"
#include "render/symbol_svg.h"

namespace quirvane {

std::string SymbolAsText(SymbolView symbol) {
    std::string text;
    text.reserve(static_cast<std::size_t>(symbol.side) * static_cast<std::size_t>(symbol.side + 1));
    for (int r = 0; r < symbol.side; ++r) {
        for (int c = 0; c < symbol.side; ++c) {
            text += symbol.IsDark(r, c) ? '1' : '0';
        }
        text += '\n';
    }
    return text;
}

std::string SymbolAsBytes(SymbolView symbol, OutputFormat format, int moduleWidth,
                          SymbolColour colour) {
    switch (format) {
        case OutputFormat::Png: {
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            if (!RenderSymbolImage(symbol, moduleWidth, colour).save(&buffer, "PNG")) {
                return {};
            }
            return png.toStdString();
        }
        case OutputFormat::Svg:
            return RenderSymbolSvg(symbol, moduleWidth, colour);
        default:
            return SymbolAsText(symbol);
    }
}

std::string WriteOutput(const std::string& path, const std::string& bytes) {
    if (path == "-") {
        if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size() ||
            std::fflush(stdout) != 0) {
            return "--output: cannot write to standard output";
        }
        return {};
    }
    QSaveFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::WriteOnly)) {
        return "--output: cannot write '" + path + "': " + file.errorString().toStdString();
    }
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    if (!file.commit()) {
        return "--output: cannot write '" + path + "': " + file.errorString().toStdString();
    }
    return {};
}

std::string ReadInput(const std::string& path, std::string& bytes) {
    QFile file;
    const bool opened = path == "-" ? file.open(stdin, QIODevice::ReadOnly)
                                    : (file.setFileName(QString::fromStdString(path)),
                                       file.open(QIODevice::ReadOnly));
    if (!opened || (path != "-" && QFileInfo(file).isDir())) {
        return "--input: cannot read '" + path + "': " +
               (opened ? std::string("it is a directory") : file.errorString().toStdString());
    }
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return "--input: cannot read '" + path + "': " + file.errorString().toStdString();
    }
    bytes.assign(content.constData(), static_cast<std::size_t>(content.size()));
    return {};
}

}  // namespace quirvane
