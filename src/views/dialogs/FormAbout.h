#pragma once
#include <QDialog>

namespace qx {

class TWebLinks;

// "О программе": the title, "Версия программы:" with the version and the contacts that are set.
class TFormAbout : public QDialog {
public:
    TFormAbout(const QString& title, const QString& version, const TWebLinks& links, QWidget* parent);
};

} // namespace qx
