#include "tests/support/rasterise.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace quirvane::testing {
namespace {

struct Consumer {
    QString program;
    const char* package;
    QStringList arguments;
};

Consumer ConsumerOf(VectorFormat format, const DrawingOptions& options, int resolution,
                    Raster raster, const QString& in, const QString& out) {
    const QString r = QString::number(resolution);
    switch (format) {
        case VectorFormat::Svg: {
            QStringList scale = options.dpi > 0
                                    ? QStringList{"--dpi-x", r, "--dpi-y", r}
                                    : QStringList{"--zoom", QString::number(resolution / 96.0)};
            if (raster != Raster::Alpha) {
                scale << "--background-color"
                      << "white";
            }
            return {"rsvg-convert", "librsvg2-bin", scale << "-o" << out << in};
        }
        case VectorFormat::Pdf: {
            QString stem = out;
            stem.chop(4);  // both add ".png" to the name they are given
            if (raster == Raster::Alpha) {
                return {"pdftocairo",
                        "poppler-utils",
                        {"-r", r, "-png", "-singlefile", "-transp", in, stem}};
            }
            QStringList arguments{"-r", r, "-png", "-singlefile"};
            if (raster == Raster::Grey) {
                arguments << "-gray";
            }
            return {"pdftoppm", "poppler-utils", arguments << in << stem};
        }
        case VectorFormat::Eps:
            break;
    }
    const char* device = raster == Raster::Alpha  ? "pngalpha"
                         : raster == Raster::Grey ? "pnggray"
                                                  : "png16m";
    return {"gs",
            "ghostscript",
            {"-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-dEPSCrop", QString("-sDEVICE=") + device,
             "-r" + r, "-sOutputFile=" + out, in}};
}

}  // namespace

std::string Rasterise(VectorFormat format, const std::string& bytes, const DrawingOptions& options,
                      int resolution, Raster raster, const QString& directory,
                      const QString& pngPath) {
    const char* extension = format == VectorFormat::Svg   ? "/drawing.svg"
                            : format == VectorFormat::Pdf ? "/drawing.pdf"
                                                          : "/drawing.eps";
    const QString in = directory + extension;
    QFile file(in);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size())) {
        return "cannot write " + in.toStdString();
    }
    file.close();
    const Consumer consumer = ConsumerOf(format, options, resolution, raster, in, pngPath);
    if (QStandardPaths::findExecutable(consumer.program).isEmpty()) {
        return consumer.program.toStdString() + " is not installed: it comes with the Debian " +
               "package " + consumer.package + " (bash scripts/install-deps.sh installs it)";
    }
    QProcess process;
    process.start(consumer.program, consumer.arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        return consumer.program.toStdString() +
               " failed: " + process.readAllStandardError().toStdString();
    }
    if (!QFile::exists(pngPath)) {
        return consumer.program.toStdString() + " wrote no " + pngPath.toStdString();
    }
    return {};
}

}  // namespace quirvane::testing
