#include "SetupInfo.h"

namespace gr {

void SetupInfo::let_DBTypeID(int32_t value) {
    m_dbTypeId = value;
    switch (value) {
        case DBLive:
            m_dbTypeKey = "LIVE";
            m_dbTypeDesc = "Live";
            break;
        case DBBlank:
            m_dbTypeKey = "BLANK";
            m_dbTypeDesc = "Blank";
            break;
        default:
            m_dbTypeKey = "TEST";
            m_dbTypeDesc = "Test";
            break;
    }
}

}  // namespace gr
