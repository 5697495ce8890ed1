#include "views/ProgramIcon.h"

#include <QString>

namespace qx {

const std::vector<int>& ProgramIconSizes() {
    static const std::vector<int> sizes = {16, 24, 32, 48, 64, 128, 256};
    return sizes;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : ProgramIconSizes()) icon.addFile(QString(":/icons/%1/quadrix.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace qx
