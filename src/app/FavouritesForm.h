#pragma once
#include <string>
#include <vector>

namespace qx {

class TStatList;

// What the favourites manager shows: the registered methods under their groups (groups in the
// order they first occur in the registry), each with its tick and the name the user sees and may
// edit, and the three display options. The dialog edits it; OK hands it to ApplyFavouritesForm.
struct TFavouriteNode {
    int Method = -1;   // registry index
    std::string Text;  // the custom name, else the method's own name
    bool Ticked = true;
};
struct TFavouriteGroup {
    int Group = 0;
    std::string Title;  // "{ num } Числа тиража"
    std::vector<TFavouriteNode> Methods;
};

struct TFavouritesForm {
    std::vector<TFavouriteGroup> Groups;
    bool Ordered = false;
    bool ShowGroupName = true;
    bool ShowMethodFlags = true;
    int MethodCount = 0;

    // "всего %d методов"
    std::string CountText() const;
    void TickGroup(int group, bool ticked);
    void TickAll(bool ticked);
    void Toggle(int group, int node);
    bool Empty() const { return Groups.empty(); }
};

TFavouritesForm FavouritesFormOf(const TStatList& list);
// The tree's names back to the registry: a name equal to the method's own (letter case aside)
// stores no custom name.
void ApplyFormNames(TStatList& list, const TFavouritesForm& form);
// OK: names, ticks (then normalised: all equal means every method) and the display options.
void ApplyFavouritesForm(TStatList& list, const TFavouritesForm& form);

} // namespace qx
