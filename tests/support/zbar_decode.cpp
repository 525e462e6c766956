#include "tests/support/zbar_decode.h"

#include <QProcess>
#include <QTemporaryDir>

namespace quirvane::testing {

std::string ZbarRead(const std::string& pngPath, Zbar reading) {
    QProcess zbar;
    // Only QR Code: with every symbology on, zbarimg may also "find" an
    // Interleaved 2 of 5 code in the modules. -Sbinary hands back the bytes as
    // they were encoded, with no charset guessing and no line feed after them.
    QStringList arguments = {"--quiet", reading == Zbar::Xml ? "--xml" : "--raw", "-Sdisable",
                             "-Sqrcode.enable"};
    if (reading == Zbar::Bytes) {
        arguments << "-Sbinary";
    }
    zbar.start("zbarimg", arguments << QString::fromStdString(pngPath));
    if (!zbar.waitForFinished(30000) || zbar.exitStatus() != QProcess::NormalExit) {
        return "(zbarimg did not run)";
    }
    if (zbar.exitCode() != 0) {
        return "(zbarimg read nothing: " + zbar.readAllStandardError().toStdString() + ")";
    }
    std::string read = zbar.readAllStandardOutput().toStdString();
    if (reading == Zbar::Text && !read.empty() && read.back() == '\n') {
        read.pop_back();  // the line feed zbarimg prints after the text
    }
    return read;
}

std::string ZbarRead(const QImage& image, Zbar reading) {
    QTemporaryDir dir;
    const QString path = dir.filePath("symbol.png");
    if (!dir.isValid() || !image.save(path, "PNG")) {
        return "(could not write the temporary PNG)";
    }
    return ZbarRead(path.toStdString(), reading);
}

}  // namespace quirvane::testing
