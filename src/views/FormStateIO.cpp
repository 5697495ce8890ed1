#include "views/FormStateIO.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QWidget>

#include "views/SortState.h"

namespace qx {
namespace {

QSize ScreenSize(const QWidget& window) {
    QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(0, 0);
}

QRect AvailableArea(const QWidget& window) {
    QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

} // namespace

TWindowPlacement CapturePlacement(const QWidget& window) {
    TWindowPlacement p;
    QRect normal = window.normalGeometry();
    if (!normal.isValid()) normal = window.geometry();
    p.NormPos = {normal.left(), normal.top(), normal.left() + normal.width(), normal.top() + normal.height()};
    p.ShowCmd = window.isMinimized() ? 2 : window.isMaximized() ? 3 : 1;
    p.PixelsPerInch = window.logicalDpiY();
    return p;
}

void ApplyPlacement(QWidget& window, const TWindowPlacement& p, bool resizable) {
    if (p.PixelsPerInch == window.logicalDpiY()) {
        QRect rect(QPoint(p.NormPos[0], p.NormPos[1]), QPoint(p.NormPos[2] - 1, p.NormPos[3] - 1));
        if (!resizable) rect.setSize(window.size());
        QRect area = AvailableArea(window);
        if (rect.width() > 0 && rect.height() > 0) {
            if (!area.isEmpty() && !area.intersects(rect)) rect.moveCenter(area.center());
            if (resizable)
                window.setGeometry(rect);
            else
                window.move(rect.topLeft());
        }
    }
    switch (p.ShowCmd) {
    case 2:
    case 6:
    case 7:
        window.setWindowState(Qt::WindowMinimized);
        break;
    case 3:
        window.setWindowState(Qt::WindowMaximized);
        break;
    default:
        window.setWindowState(Qt::WindowNoState);
        break;
    }
}

void ReadPlacement(QWidget& window, const TIniFile& ini, std::string_view section, bool resizable) {
    QSize screen = ScreenSize(window);
    if (auto p = TWindowPlacement::Read(ini, section, screen.width(), screen.height()))
        ApplyPlacement(window, *p, resizable);
}

void WritePlacement(const QWidget& window, TIniFile& ini, std::string_view section) {
    QSize screen = ScreenSize(window);
    CapturePlacement(window).Write(ini, section, screen.width(), screen.height());
}

void RestoreListLayout(const TIniFile& ini, std::string_view section, const TPersistentList& list) {
    for (int i = 0; i < list.Header->count(); ++i)
        if (auto width = ReadColumnWidth(ini, section, list.Name, i))
            list.Header->resizeSection(i, std::max(0, *width));
    if (list.Sort)
        if (auto sort = ReadSortType(ini, section, list.Name))
            list.Sort->Set(sort->Column, sort->Direction != 0);
}

void SaveListLayout(TIniFile& ini, std::string_view section, const TPersistentList& list) {
    for (int i = 0; i < list.Header->count(); ++i)
        WriteColumnWidth(ini, section, list.Name, i,
                         list.Header->isSectionHidden(i) ? 0 : list.Header->sectionSize(i));
    if (list.Sort)
        WriteSortType(ini, section, list.Name, {list.Sort->Column(), list.Sort->Descending() ? 1 : 0});
}

} // namespace qx
