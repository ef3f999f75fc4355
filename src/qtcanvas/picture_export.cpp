// Exports recorded pictures as metafile, SVG, PNG and PDF files and to the clipboard.
#include "qtcanvas/picture_export.h"

#include <algorithm>
#include <new>
#include <string>

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "base/file_io.h"
#include "picture/svg_writer.h"
#include "picture/wmf_writer.h"
#include "qtcanvas/qt_canvas.h"
#include "qtcanvas/qt_text_measurer.h"

namespace gramarbor {

namespace {

QSize PictureSize(const Picture& picture) {
    return QSize(std::max(1, picture.Width), std::max(1, picture.Height));
}

// Sizes in 64 bits: a picture's int32 size times the scale may pass 2^31.
qint64 ImageWidth(const Picture& picture, int scale) {
    return qint64(PictureSize(picture).width()) * scale;
}

qint64 ImageHeight(const Picture& picture, int scale) {
    return qint64(PictureSize(picture).height()) * scale;
}

bool FitsImage(const Picture& picture, int scale) {
    const qint64 width = ImageWidth(picture, scale), height = ImageHeight(picture, scale);
    return width <= MaxImageSide && height <= MaxImageSide && width * height <= MaxImagePixels;
}

std::string ImageTooLargeText(const Picture& picture, int scale) {
    return "The picture is " + std::to_string(ImageWidth(picture, scale)) + " x " +
           std::to_string(ImageHeight(picture, scale)) +
           " pixels, too large for a PNG image (at most " + std::to_string(MaxImageSide) +
           " pixels a side and " + std::to_string(MaxImagePixels) +
           " pixels in all); save it as SVG, PDF or WMF instead, which have no such limit";
}

void Draw(const Picture& picture, QPainter& painter) {
    QtCanvas canvas(painter);
    picture.Replay(canvas, 0, 0);
}

void Fail(std::string* errorText, const std::string& text) {
    if (errorText) *errorText = text;
}

std::string ToStd(const QByteArray& data) {
    return std::string(data.constData(), static_cast<std::size_t>(data.size()));
}

bool PdfBytes(const Picture& picture, std::string& bytes) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(96);
    const QSize size = PictureSize(picture);
    writer.setPageSize(QPageSize(QSizeF(size.width() * 72.0 / 96, size.height() * 72.0 / 96),
                                 QPageSize::Point, QString(), QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&writer)) return false;
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    Draw(picture, painter);
    if (!painter.end()) return false;
    bytes = ToStd(data);
    return true;
}

} // namespace

std::optional<PictureFormat> PictureFormatFromPath(const std::string& path) {
    std::string ext = FileExtension(path);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    if (ext == ".wmf") return PictureFormat::Wmf;
    if (ext == ".svg") return PictureFormat::Svg;
    if (ext == ".png") return PictureFormat::Png;
    if (ext == ".pdf") return PictureFormat::Pdf;
    return std::nullopt;
}

QImage RenderPictureImage(const Picture& picture, int scale) {
    if (scale < MinImageScale || scale > MaxImageScale || !FitsImage(picture, scale))
        return QImage();
    QImage image(PictureSize(picture) * scale, QImage::Format_RGB32);
    if (image.isNull()) return image;
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    Draw(picture, painter);
    painter.end();
    return image;
}

bool PictureBytes(const Picture& picture, PictureFormat format, std::string& bytes,
                  std::string* errorText, int scale) {
    try {
        switch (format) {
        case PictureFormat::Wmf:
            bytes = WriteWmfBytes(picture);
            return true;
        case PictureFormat::Svg: {
            // Measured like the display, so that the text sits where it is shown.
            QtTextMeasurer measurer;
            bytes = WriteSvgText(picture, measurer);
            if (!bytes.empty()) return true;
            Fail(errorText, SvgTooLargeText(MaxSvgBytes));
            return false;
        }
        case PictureFormat::Pdf:
            if (PdfBytes(picture, bytes)) return true;
            Fail(errorText, "Cannot draw the picture as PDF");
            return false;
        case PictureFormat::Png: {
            if (scale < MinImageScale || scale > MaxImageScale) {
                Fail(errorText, "The PNG scale must be 1 to 4");
                return false;
            }
            if (!FitsImage(picture, scale)) {
                Fail(errorText, ImageTooLargeText(picture, scale));
                return false;
            }
            const QImage image = RenderPictureImage(picture, scale);
            QByteArray data;
            QBuffer buffer(&data);
            buffer.open(QIODevice::WriteOnly);
            if (image.isNull() || !image.save(&buffer, "PNG")) {
                Fail(errorText, "Cannot draw the picture as a PNG image");
                return false;
            }
            bytes = ToStd(data);
            return true;
        }
        }
    } catch (const std::bad_alloc&) {
        Fail(errorText, "Not enough memory to proceed.");
        return false;
    }
    return false;
}

bool SavePicture(const Picture& picture, const std::string& path, PictureFormat format,
                 std::string* errorText, int scale) {
    std::string bytes;
    if (!PictureBytes(picture, format, bytes, errorText, scale)) return false;
    switch (AtomicSave(path, bytes)) {
    case FileError::None:
        return true;
    case FileError::CannotCreate:
    case FileError::CannotOpen:
        Fail(errorText, "Cannot create file " + path);
        return false;
    default:
        Fail(errorText, "Cannot write file " + path);
        return false;
    }
}

QMimeData* MakePictureMimeData(const Picture& picture) {
    auto* data = new QMimeData;
    std::string bytes;
    if (PictureBytes(picture, PictureFormat::Wmf, bytes)) {
        const QByteArray wmf(bytes.data(), static_cast<qsizetype>(bytes.size()));
        data->setData(QStringLiteral("image/x-wmf"), wmf);
        data->setData(QStringLiteral("image/wmf"), wmf);
        data->setData(
            QStringLiteral("application/x-openoffice-wmf;windows_formatname=\"Image WMF\""), wmf);
    }
    if (PictureBytes(picture, PictureFormat::Svg, bytes))
        data->setData(QStringLiteral("image/svg+xml"),
                      QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (PictureBytes(picture, PictureFormat::Png, bytes))
        data->setData(QStringLiteral("image/png"),
                      QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return data;
}

void CopyPictureToClipboard(const Picture& picture) {
    if (picture.Width < 1 || picture.Height < 1) return;
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setMimeData(MakePictureMimeData(picture));
}

} // namespace gramarbor
