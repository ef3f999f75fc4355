// Widgets made the way every view of the program makes them: named after their
// controls, so that tests and settings find them.
#pragma once

#include <QString>
#include <QStringList>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QWidget;

namespace gramarbor {

class TRadioGroup;
class TUpDown;

QPushButton* MakeButton(const QString& caption, const char* name, QWidget* parent);
// name may be null for a label nobody refers to.
QLabel* MakeLabel(const QString& text, const char* name, QWidget* parent);
QCheckBox* MakeCheckBox(const QString& caption, const char* name, QWidget* parent);
TUpDown* MakeUpDown(const char* name, int lo, int hi, QWidget* parent);
// A number field from lo to hi showing value.
QSpinBox* MakeSpinBox(const char* name, int lo, int hi, int value, QWidget* parent);
TRadioGroup* MakeRadioGroup(const QString& title, const QStringList& items, int columns,
                            const char* name, QWidget* parent);
// A scroll box on white around content, which keeps its own size.
QScrollArea* MakeWhiteScrollBox(const char* name, QWidget* content, QWidget* parent);
// A text field of lines in a fixed-pitch font, without line wrapping.
QPlainTextEdit* MakeMemo(const char* name, bool readOnly, QWidget* parent);

} // namespace gramarbor
