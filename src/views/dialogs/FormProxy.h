#pragma once
#include <QDialog>

#include "core/Config.h"

class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace qx {

// "Параметры proxy-сервера": off, automatic search or a server given by hand. The four fields
// are enabled only while the manual choice is made. Result() is the record its OK stands for.
class TFormProxy : public QDialog {
public:
    TFormProxy(const TProxy& proxy, QWidget* parent);
    TProxy Result() const;

private:
    void ModeChanged();

    QRadioButton* FOff;
    QRadioButton* FAuto;
    QRadioButton* FManual;
    QLineEdit* FServer;
    QSpinBox* FPort;
    QLineEdit* FUsername;
    QLineEdit* FPassword;
};

} // namespace qx
