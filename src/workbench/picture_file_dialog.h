// The save dialog of both sheets' "Save WMF": a metafile by default, or another
// picture format chosen by file type or by the typed extension.
#pragma once

#include <QString>

#include "workbench/prompter.h"

namespace gramarbor {

// "Windows MetaFiles|*.WMF|SVG pictures|*.SVG|PNG images|*.PNG|PDF documents|*.PDF|
// All files|*.*", default extension WMF.
extern const QString PictureFileFilter;

// The trees sheet's choice adds PNG images at 2x, 3x and 4x and LaTeX code with
// forest or tikz-qtree (all as file types of the same dialog).
extern const QString TreePictureFileFilter;

struct TTreePictureChoice {
    QString Name;       // empty when cancelled
    int Scale = 1;      // pixels per unit of a PNG image
    bool Qtree = false; // LaTeX with tikz-qtree rather than forest
};

TTreePictureChoice AskTreePictureFile(Prompter& prompts, const QString& title);

// Asks for a picture file with the given title. A name without an extension gets
// that of the chosen file type (".wmf" for "All files"); empty when cancelled.
QString AskPictureFileName(Prompter& prompts, const QString& title);

} // namespace gramarbor
