#pragma once
#include <string_view>

#include "core/FormState.h"
#include "core/IniFile.h"
#include "views/ViewPage.h"

class QWidget;

namespace qx {

// The window-state file's placement keys mapped onto Qt geometry: NormPos is the normal
// (not maximized) geometry as left, top, right, bottom; ShowCmd 1 normal, 2 minimized,
// 3 maximized; the keys carrying the screen size in their names win on the same screen.
TWindowPlacement CapturePlacement(const QWidget& window);
// A saved position counts only on a screen of the same resolution; a window whose border does
// not resize keeps its size; a position off every screen is brought back onto the screen.
void ApplyPlacement(QWidget& window, const TWindowPlacement& placement, bool resizable);
void ReadPlacement(QWidget& window, const TIniFile& ini, std::string_view section, bool resizable);
void WritePlacement(const QWidget& window, TIniFile& ini, std::string_view section);

// Column widths and sort settings of a list.
void RestoreListLayout(const TIniFile& ini, std::string_view section, const TPersistentList& list);
void SaveListLayout(TIniFile& ini, std::string_view section, const TPersistentList& list);

} // namespace qx
