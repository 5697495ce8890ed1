#pragma once
#include <string>
#include <vector>

namespace qx {

class TStatList;
struct TStatMethod;

// A method chooser of the statistics or graphs tab: the visible methods of the registry, each
// entry with its display name and its registry index.
struct TMethodEntry {
    int Method = -1;
    std::string Text;
};

class TMethodChooser {
public:
    explicit TMethodChooser(std::string componentName, bool graphsOnly)
        : FName(std::move(componentName)), FGraphsOnly(graphsOnly) {}

    // Entries of every available, listed and visible method in registry order (alphabetical when
    // the registry says so). With keepSelection the selected index is kept when it still exists.
    void Fill(const TStatList& registry, bool keepSelection);
    const std::vector<TMethodEntry>& Entries() const { return FEntries; }
    int Selected() const { return FSelected; }
    void Select(int entry) { FSelected = (entry >= 0 && entry < int(FEntries.size())) ? entry : -1; }
    // Selects the entry of that registry method; false when the chooser does not offer it.
    bool SelectMethod(int method);
    int SelectedMethod() const { return FSelected >= 0 ? FEntries[size_t(FSelected)].Method : -1; }
    std::string SelectedText() const { return FSelected >= 0 ? FEntries[size_t(FSelected)].Text : std::string(); }
    // The selected method; raises "Не выбран метод расчета статистики (cb: %s)!" when none is.
    int RequireMethod() const;
    const std::string& Name() const { return FName; }

private:
    std::string FName;
    bool FGraphsOnly;
    std::vector<TMethodEntry> FEntries;
    int FSelected = -1;
};

} // namespace qx
