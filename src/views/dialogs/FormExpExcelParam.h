#pragma once
#include <QDialog>

#include "export/ExportField.h"

class QComboBox;
class QDoubleSpinBox;
class QLineEdit;

namespace qx {

// "Параметры поля": the caption, alignment and width of one exported column.
class TFormExpExcelParam : public QDialog {
public:
    TFormExpExcelParam(const TExportField& field, char separator, QWidget* parent);

    // The field with what OK stands for.
    TExportField Result() const;

    QLineEdit* CaptionEdit() const { return FCaption; }
    QComboBox* AlignEdit() const { return FAlign; }
    QDoubleSpinBox* WidthEdit() const { return FWidth; }

private:
    TExportField FField;
    char FSeparator;
    QLineEdit* FCaption;
    QComboBox* FAlign;
    QDoubleSpinBox* FWidth;
};

} // namespace qx
