#include "app/FavouritesForm.h"

#include "core/Text.h"
#include "stats/StatList.h"

namespace qx {

std::string TFavouritesForm::CountText() const { return FormatText("всего %d методов", {IntToStr(MethodCount)}); }

void TFavouritesForm::TickGroup(int group, bool ticked) {
    if (group < 0 || group >= int(Groups.size())) return;
    for (TFavouriteNode& n : Groups[size_t(group)].Methods) n.Ticked = ticked;
}

void TFavouritesForm::TickAll(bool ticked) {
    for (int g = 0; g < int(Groups.size()); ++g) TickGroup(g, ticked);
}

void TFavouritesForm::Toggle(int group, int node) {
    if (group < 0 || group >= int(Groups.size())) return;
    auto& nodes = Groups[size_t(group)].Methods;
    if (node >= 0 && node < int(nodes.size())) nodes[size_t(node)].Ticked = !nodes[size_t(node)].Ticked;
}

TFavouritesForm FavouritesFormOf(const TStatList& list) {
    TFavouritesForm form;
    form.Ordered = list.Ordered;
    form.ShowGroupName = list.ShowGroupName;
    form.ShowMethodFlags = list.ShowMethodFlags;
    form.MethodCount = list.Count();
    for (int i = 0; i < list.Count(); ++i) {
        if (!list.IsAvailable(i)) continue;
        const TStatMethod& m = list.Items(i);
        const int group = m.StatClass->Group();
        TFavouriteGroup* g = nullptr;
        for (TFavouriteGroup& existing : form.Groups)
            if (existing.Group == group) g = &existing;
        if (!g) g = &form.Groups.emplace_back(TFavouriteGroup{group, GroupLongName(group), {}});
        g->Methods.push_back({i, m.BaseName(), m.Favourite});
    }
    return form;
}

void ApplyFormNames(TStatList& list, const TFavouritesForm& form) {
    for (const TFavouriteGroup& g : form.Groups)
        for (const TFavouriteNode& n : g.Methods) {
            TStatMethod& m = list.Items(n.Method);
            m.CustomName = SameText(n.Text, m.StatClass->Name(m.Param)) ? std::string() : n.Text;
        }
}

void ApplyFavouritesForm(TStatList& list, const TFavouritesForm& form) {
    ApplyFormNames(list, form);
    for (const TFavouriteGroup& g : form.Groups)
        for (const TFavouriteNode& n : g.Methods) list.Items(n.Method).Favourite = n.Ticked;
    list.NormalizeFavourites();
    list.Ordered = form.Ordered;
    list.ShowGroupName = form.ShowGroupName;
    list.ShowMethodFlags = form.ShowMethodFlags;
}

} // namespace qx
