// The save dialog of both sheets' "Save WMF": a metafile by default, or another
// picture format chosen by file type or by the typed extension.
#pragma once

#include <QString>

#include "workbench/prompter.h"

namespace gramarbor {

// "Windows MetaFiles|*.WMF|SVG pictures|*.SVG|PNG images|*.PNG|PDF documents|*.PDF|
// All files|*.*", default extension WMF.
extern const QString PictureFileFilter;

// Asks for a picture file with the given title. A name without an extension gets
// that of the chosen file type (".wmf" for "All files"); empty when cancelled.
QString AskPictureFileName(Prompter& prompts, const QString& title);

} // namespace gramarbor
