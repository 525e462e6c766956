#include "tests/support/zbar_decode.h"

#include <QProcess>
#include <QTemporaryDir>

namespace quirvane::testing {

bool DecodePngWithZbar(const std::string& pngPath, std::string& decoded) {
    QProcess zbar;
    // -Sbinary hands back the bytes as they were encoded, with no charset
    // guessing and no line feed after them.
    zbar.start("zbarimg", {"--quiet", "--raw", "-Sbinary", QString::fromStdString(pngPath)});
    if (!zbar.waitForFinished(30000) || zbar.exitStatus() != QProcess::NormalExit) {
        decoded = "zbarimg did not run";
        return false;
    }
    if (zbar.exitCode() != 0) {
        decoded = zbar.readAllStandardError().toStdString();
        return false;
    }
    const QByteArray out = zbar.readAllStandardOutput();
    decoded.assign(out.constData(), static_cast<std::size_t>(out.size()));
    return true;
}

bool DecodeImageWithZbar(const QImage& image, std::string& decoded) {
    QTemporaryDir dir;
    const QString path = dir.filePath("symbol.png");
    if (!dir.isValid() || !image.save(path, "PNG")) {
        decoded = "could not write the temporary PNG";
        return false;
    }
    return DecodePngWithZbar(path.toStdString(), decoded);
}

}  // namespace quirvane::testing
