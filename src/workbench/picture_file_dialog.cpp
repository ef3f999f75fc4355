// The save dialog for pictures.
#include "workbench/picture_file_dialog.h"

namespace gramarbor {

const QString PictureFileFilter = QStringLiteral(
    "Windows MetaFiles|*.WMF|SVG pictures|*.SVG|PNG images|*.PNG|PDF documents|*.PDF|"
    "All files|*.*");

const QString TreePictureFileFilter = QStringLiteral(
    "Windows MetaFiles|*.WMF|SVG pictures|*.SVG|PNG images|*.PNG|PNG images, 2x|*.PNG|"
    "PNG images, 3x|*.PNG|PNG images, 4x|*.PNG|PDF documents|*.PDF|LaTeX, forest|*.TEX|"
    "LaTeX, tikz-qtree|*.TEX|All files|*.*");

TTreePictureChoice AskTreePictureFile(Prompter& prompts, const QString& title) {
    const TFileChoice choice =
        prompts.SaveFile({title, TreePictureFileFilter, QStringLiteral("WMF")});
    TTreePictureChoice result;
    result.Name = WithChosenExtension(choice, TreePictureFileFilter, QStringLiteral("WMF"));
    // File types 2 to 5 are the PNG scales 1x to 4x, type 8 tikz-qtree.
    if (choice.Filter >= 2 && choice.Filter <= 5) result.Scale = choice.Filter - 1;
    result.Qtree = choice.Filter == 8;
    return result;
}

QString AskPictureFileName(Prompter& prompts, const QString& title) {
    const TFileChoice choice = prompts.SaveFile({title, PictureFileFilter, QStringLiteral("WMF")});
    return WithChosenExtension(choice, PictureFileFilter, QStringLiteral("WMF"));
}

} // namespace gramarbor
