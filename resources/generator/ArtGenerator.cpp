// Build-time tool: draws every picture of the image table into <out>/ and writes <out>/images.qrc
// listing them under the prefix /images.
//   art-generator <out-dir>

#include "ArtPainter.h"

#include "resources/GifWriter.h"
#include "resources/ImageTable.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>

#include <cstdio>

namespace {

bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    // Leave an identical file alone so its timestamp does not trigger rebuilds.
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == bytes)
        return true;
    existing.close();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(bytes);
    return f.commit();
}

QByteArray EncodeBusyGif(const ImageSpec& spec)
{
    const BusyAnimationFrames art = PaintBusyAnimation(spec.width, spec.height);
    GifWriterImage gif;
    gif.width = art.width;
    gif.height = art.height;
    gif.globalPalette = art.palette;
    gif.backgroundIndex = 0;
    gif.loopCount = 0;
    for (const auto& frame : art.frames) {
        GifWriterFrame f;
        f.width = art.width;
        f.height = art.height;
        f.indices = frame;
        f.delay = art.delay;
        f.disposal = 1;
        gif.frames.push_back(std::move(f));
    }
    const std::vector<std::uint8_t> bytes = EncodeGif(gif);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: art-generator <out-dir>\n");
        return 2;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    QByteArray qrc = "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/images\">\n";
    for (const ImageSpec& spec : AllImageSpecs()) {
        const QString rel = ImageRelativePath(spec);
        QByteArray bytes;
        if (spec.kind == ImageKind::Gif) {
            bytes = EncodeBusyGif(spec);
        } else {
            const QImage img = PaintArt(spec);
            if (img.size() != QSize(spec.width, spec.height)) {
                std::fprintf(stderr, "art-generator: %u painted at the wrong size\n", spec.id);
                return 1;
            }
            bytes = [&img] {
                QByteArray out;
                QBuffer buf(&out);
                buf.open(QIODevice::WriteOnly);
                img.save(&buf, "PNG");
                return out;
            }();
        }
        if (bytes.isEmpty() || !WriteBytes(outDir + QLatin1Char('/') + rel, bytes)) {
            std::fprintf(stderr, "art-generator: cannot write %s\n", qPrintable(rel));
            return 1;
        }
        qrc += "  <file>" + rel.toUtf8() + "</file>\n";
    }
    qrc += "</qresource>\n</RCC>\n";
    if (!WriteBytes(outDir + QStringLiteral("/images.qrc"), qrc)) {
        std::fprintf(stderr, "art-generator: cannot write images.qrc\n");
        return 1;
    }
    return 0;
}
