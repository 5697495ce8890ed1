#pragma once
#include <QDialog>

#include "online/SelfUpdate.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace qx {

// "Найдена новая версия программы": the running version, the offered one and what is new, read
// only. "Установить" accepts (consent to install), the other button refuses.
class TfrmUpdateInformer : public QDialog {
public:
    TfrmUpdateInformer(const TUpdateOffer& offer, QWidget* parent);

    QPushButton* InstallButton() const { return FInstall; }
    QPushButton* RefuseButton() const { return FRefuse; }

private:
    QPushButton* FInstall;
    QPushButton* FRefuse;
};

} // namespace qx
