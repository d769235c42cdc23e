// Stores what a catalogue editor form holds (the text of ctlAddNewBrowser::GetValues) through
// the data service: a current id of 0 adds a new record, any other id changes that record.
#pragma once

#include <string>

#include "GRIData.h"
#include "IDataService.h"

namespace gr::ui {

// The stored record comes back in saved (a player, manager master, prize master or position).
// False with the data service's message, or with empty text when it gave none.
bool SaveCatalogueValues(const ComPtr<IDataService>& dataService, InfoTypeEnum recordType,
                         const std::string& values, ComPtr<IPickable>& saved,
                         std::string& errorMessage);

// The message shown for a refused save: the data service's, or "Error in saving.".
void ShowSaveRefused(const std::string& errorMessage);

}  // namespace gr::ui
