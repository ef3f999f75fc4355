// The global options dialog: saving of the environment and the in/out text length.
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace gramarbor {

// The maximum in/out length for an entered text: its trimmed number, 255 when it is
// not a number, 1 for 0.
int MaxTextLengthFrom(const QString& text);

class TGlobOptsDlg final : public QDialog {
    Q_OBJECT
public:
    explicit TGlobOptsDlg(QWidget* parent = nullptr);
    QCheckBox* SaveEnvirCB;
    QLineEdit* IOTextLenME;
};

} // namespace gramarbor
