#pragma once
#include <QDialog>
#include <QString>

#include "core/Config.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace qx {

// "Создание нового списка комбинаций": the generation mode, its parameter (own numbers or a
// combinations file) and whether they become the defaults. Opens with the stored defaults and
// the save box cleared.
class TFormGenCombs : public QDialog {
public:
    TFormGenCombs(const TCombsGenParams& defaults, const QString& fileDirectory, QWidget* parent);

    TCombsGenParams Params() const;
    bool SaveAsDefaults() const;

    QComboBox* ModeList() const { return FMode; }
    QLineEdit* ParamEdit() const { return FParam; }
    QPushButton* FileButton() const { return FFile; }
    QCheckBox* SaveBox() const { return FSave; }

private:
    // The parameter means something for every mode but the full list; a file only for mode 4.
    void ModeChanged();
    void ChooseFile();

    QComboBox* FMode;
    QLineEdit* FParam;
    QPushButton* FFile;
    QCheckBox* FSave;
    QString FFileDirectory;
};

} // namespace qx
