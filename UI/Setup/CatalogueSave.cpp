#include "CatalogueSave.h"

#include "GRNumbers.h"
#include "GRStringUtils.h"
#include "GRUIUtils.h"

namespace gr::ui {

namespace {

// Field n (from 1) of the form's values.
std::string Field(const std::string& values, int32_t n) {
    return GetField(values, "\n", n);
}

// An id field: its numeric value rounded to a whole number; empty text gives 0.
int32_t NumberField(const std::string& values, int32_t n) {
    return core::ToLong(core::NumericValue(Field(values, n)));
}

template <class T>
ComPtr<IPickable> AsPickable(const ComPtr<T>& info) {
    return info ? info.template As<IPickable>() : ComPtr<IPickable>();
}

}  // namespace

bool SaveCatalogueValues(const ComPtr<IDataService>& dataService, InfoTypeEnum recordType,
                         const std::string& values, ComPtr<IPickable>& saved,
                         std::string& errorMessage) {
    if (!dataService) return false;
    bool stored = false;
    switch (recordType) {
        case TypePlayerOrTeam: {
            int32_t id = NumberField(values, 5);
            ComPtr<IPlayerInfo> player;
            stored = dataService->UpdatePlayer(
                Field(values, 1), Field(values, 2), NumberField(values, 3), NumberField(values, 4),
                Field(values, 6) == "True", id, player, errorMessage);
            if (stored) saved = AsPickable(player);
            break;
        }
        case TypeManager: {
            int32_t id = NumberField(values, 3);
            ComPtr<IManagerTmplInfo> manager;
            stored = dataService->UpdateManager(Field(values, 1), Field(values, 2), id, manager,
                                                errorMessage);
            if (stored) saved = AsPickable(manager);
            break;
        }
        case TypePrize: {
            int32_t id = NumberField(values, 3);
            ComPtr<IPrizeTmplInfo> prize;
            stored = dataService->UpdatePrize(Field(values, 1), NumberField(values, 2), id, prize,
                                              errorMessage);
            if (stored) saved = AsPickable(prize);
            break;
        }
        case TypePosition: {
            int32_t id = NumberField(values, 3);
            ComPtr<IPositionInfo> position;
            stored = dataService->UpdatePosition(Field(values, 1), Field(values, 2), id, position,
                                                 errorMessage);
            if (stored) saved = AsPickable(position);
            break;
        }
    }
    return stored;
}

void ShowSaveRefused(const std::string& errorMessage) {
    MsgBox(errorMessage.empty() ? "Error in saving." : errorMessage, MsgButtons::OK, "Gridora");
}

}  // namespace gr::ui
