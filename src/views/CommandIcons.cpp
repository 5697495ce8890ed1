#include "views/CommandIcons.h"

#include <QApplication>
#include <QStyle>

namespace qx {

QIcon CommandIcon(std::string_view command) {
    QStyle* style = QApplication::style();
    if (!style) return {};
    // Keep and remove steps of every filter (statistics, card, layout, week), and the undo.
    if (command == "StatFilter_Include" || command == "CardFilter_Include" || command == "LayoutFilter_Include" ||
        command == "WeekFilter_Include")
        return style->standardIcon(QStyle::SP_DialogApplyButton);
    if (command == "StatFilter_Exclude" || command == "CardFilter_Exclude" || command == "LayoutFilter_Exclude" ||
        command == "WeekFilter_Exclude")
        return style->standardIcon(QStyle::SP_DialogCancelButton);
    if (command == "CombsUndo") return style->standardIcon(QStyle::SP_ArrowBack);
    return {};
}

} // namespace qx
