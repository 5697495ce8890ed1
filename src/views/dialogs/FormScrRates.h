#pragma once
#include <QDialog>
#include <vector>

#include "online/ScriptCatalogue.h"

class QTreeWidget;

namespace qx {

// "Оценки пользователей": the users' ratings of a library script.
class TFormScrRates : public QDialog {
public:
    TFormScrRates(const std::vector<tScriptRate>& rates, QWidget* parent);
    QTreeWidget* List() const { return FList; }

private:
    QTreeWidget* FList;
};

} // namespace qx
