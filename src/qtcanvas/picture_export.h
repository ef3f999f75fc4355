// Export of recorded pictures as metafiles, SVG, PNG and PDF, and the clipboard
// payload of a picture.
#pragma once

#include <optional>
#include <string>

#include <QImage>

#include "picture/picture.h"

class QMimeData;

namespace gramarbor {

enum class PictureFormat { Wmf, Svg, Png, Pdf };

// Largest PNG images, after scaling: an image never takes more than a quarter of a
// gigabyte. Larger pictures are refused with a message that points to the vector
// formats.
inline constexpr int MaxImageSide = 32767;
inline constexpr qint64 MaxImagePixels = qint64(1) << 26;
// PNG images have scale pixels per drawing unit, 1 (the default) to 4, so that
// pictures for slides and handouts are sharp.
inline constexpr int MinImageScale = 1;
inline constexpr int MaxImageScale = 4;

// The format for a file name's extension (".wmf", ".svg", ".png", ".pdf", in any
// case); none for other or missing extensions.
std::optional<PictureFormat> PictureFormatFromPath(const std::string& path);

// The picture drawn on white, scale pixels per unit (at least 1 x 1); a null image
// beyond MaxImageSide or MaxImagePixels, or for a scale outside 1 to 4.
QImage RenderPictureImage(const Picture& picture, int scale = 1);

// The file contents of each format; false (with a reason in errorText) on failure.
// scale applies to PNG images only.
bool PictureBytes(const Picture& picture, PictureFormat format, std::string& bytes,
                  std::string* errorText = nullptr, int scale = 1);

// Writes the picture in the given format through a temporary file that replaces
// path only when complete, so a failed save keeps an existing file. The image
// formats need a QGuiApplication; the metafile does not.
bool SavePicture(const Picture& picture, const std::string& path, PictureFormat format,
                 std::string* errorText = nullptr, int scale = 1);

// The clipboard payload: the metafile bytes under "image/x-wmf", "image/wmf" and the
// office suites' "Image WMF" format, the SVG under "image/svg+xml" and the image
// (offered as PNG). The caller owns the result (QClipboard::setMimeData takes it).
QMimeData* MakePictureMimeData(const Picture& picture);

// Puts the picture on the system clipboard; does nothing for a picture smaller than
// 1 x 1.
void CopyPictureToClipboard(const Picture& picture);

} // namespace gramarbor
