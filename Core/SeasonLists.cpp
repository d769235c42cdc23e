#include "SeasonLists.h"

#include <string>
#include <vector>

#include "CaselessOrder.h"

namespace gr::core {

namespace {

// Insertion sort: an item moves before an earlier one while before(item, earlier) holds.
template <class T, class Before>
ComPtr<Collection> InsertionSorted(const ComPtr<Collection>& source, Before before) {
    if (!source || source->Count() == 0) return {};
    std::vector<ComPtr<T>> items = source->ItemsAs<T>();
    for (size_t i = 1; i < items.size(); ++i)
        for (size_t j = i; j > 0 && before(items[j], items[j - 1]); --j)
            std::swap(items[j], items[j - 1]);
    ComPtr<Collection> out = Collection::Create();
    for (const auto& item : items) out->Add(item);
    return out;
}

}  // namespace

ComPtr<Collection> SortManagers(const ComPtr<Collection>& managers, ManagerSortTypeEnum sort) {
    if (sort == SortByRank)
        return InsertionSorted<IManagerInfo>(
            managers, [](const auto& a, const auto& b) { return a->get_Rank() < b->get_Rank(); });
    return InsertionSorted<IManagerInfo>(managers, [](const auto& a, const auto& b) {
        return CompareCaseless(a->get_FirstName(), b->get_FirstName()) < 0;
    });
}

ComPtr<Collection> SortSeasonsByYear(const ComPtr<Collection>& seasons) {
    return InsertionSorted<ISeasonInfo>(seasons, [](const auto& a, const auto& b) {
        return CompareCaseless(std::to_string(a->get_Year()), std::to_string(b->get_Year())) > 0;
    });
}

bool IsDraftEmpty(const ComPtr<ISeasonInfo>& season) {
    if (!season) return true;
    const ComPtr<Collection> drafts = season->get_Drafts();
    if (!drafts) return true;
    for (const auto& draft : drafts->ItemsAs<IDraftInfo>())
        if (draft->get_PlayerOrTeam()) return false;
    return true;
}

}  // namespace gr::core
