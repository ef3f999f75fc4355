// The save dialog for pictures.
#include "workbench/picture_file_dialog.h"

namespace gramarbor {

const QString PictureFileFilter = QStringLiteral(
    "Windows MetaFiles|*.WMF|SVG pictures|*.SVG|PNG images|*.PNG|PDF documents|*.PDF|"
    "All files|*.*");

QString AskPictureFileName(Prompter& prompts, const QString& title) {
    const TFileChoice choice = prompts.SaveFile({title, PictureFileFilter, QStringLiteral("WMF")});
    return WithChosenExtension(choice, PictureFileFilter, QStringLiteral("WMF"));
}

} // namespace gramarbor
