// The enumerations shared by the program and the service libraries.
#pragma once

#include <cstdint>

namespace gr {

enum DBTypeEnum : int32_t {
    DBNone = 0,
    DBLive = 1,
    DBTest = 2,
    DBBlank = 3,
    DBBackup = 4,
    DBSetup = 5,
};

// There is no value 0.
enum InfoTypeEnum : int32_t {
    TypePlayerOrTeam = 1,
    TypeManager = 2,
    TypePrize = 3,
    TypePosition = 4,
};

enum ActionTypeEnum : int32_t {
    ActionTypeNone = 0,
    ActionTypeAdd = 1,
    ActionTypeRemove = 2,
};

enum ManagerSortTypeEnum : int32_t {
    SortByName = 0,
    SortByRank = 1,
};

enum PickableTypesEnum : int32_t {
    PickedNone = 0,
    PickedPlayer = 1,
    PickedTeam = 2,
    PickedManager = 3,
    PickedPrize = 4,
    PickedPosition = 5,
};

}  // namespace gr
