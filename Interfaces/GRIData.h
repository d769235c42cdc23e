// The contract between the program and the two service libraries: the interfaces of
// every domain object and of the data service. Declaration order is slot order.
#pragma once

#include <cstdint>
#include <string>

#include "Collection.h"
#include "ComPtr.h"
#include "GRIDataEnums.h"
#include "GRUnknown.h"

namespace gr {

// Library identifier of GRIData 1.0.
inline constexpr Guid LIBID_GRIData = MakeGuid("1B7E2844-F1CC-4D00-9CE5-46FA96460CD0");

class IPositionInfo;
class ITeamInfo;
class IPrizeTypeInfo;
class IPrizeTmplInfo;
class IManagerTmplInfo;

// Everything that can be searched for and picked.
class IPickable : public IUnknown {
  public:
    static constexpr Guid IID = MakeGuid("8711D2CB-DC47-4A52-9B12-37E2A176E24A");
    virtual PickableTypesEnum get_PickType() = 0;
    virtual std::string get_PickName() = 0;
    virtual int32_t get_PickID() = 0;
};

class IPositionInfo : public IUnknown {
  public:
    static constexpr Guid IID = MakeGuid("C24CF9A0-C092-41DF-8DDE-3F78678BFAD4");
    virtual int32_t get_ID() = 0;
    virtual std::string get_Abbr() = 0;
    virtual std::string get_Desc() = 0;
};

class ITeamInfo : public IUnknown {
  public:
    static constexpr Guid IID = MakeGuid("C0965CA2-55F5-4091-BF24-CC5D863EF254");
    virtual int32_t get_ID() = 0;
    virtual std::string get_Abbr() = 0;
    virtual std::string get_Name() = 0;
    virtual std::string get_Nickname() = 0;
    virtual ComPtr<IPositionInfo> get_Position() = 0;
};

class IPlayerInfo : public IUnknown {
  public:
    static constexpr Guid IID = MakeGuid("84C6F51F-A910-4E85-AEA8-4F989DE8E072");
    virtual int32_t get_ID() = 0;
    virtual std::string get_LastName() = 0;
    virtual std::string get_FirstName() = 0;
    virtual ComPtr<IPositionInfo> get_Position() = 0;
    virtual ComPtr<ITeamInfo> get_Team() = 0;
    virtual bool get_IsRetired() = 0;
};

class IManagerTmplInfo : public IUnknown {
  public:
    static constexpr Guid IID = MakeGuid("56873D70-9188-43DD-8045-6CCA70E83AAF");
    virtual int32_t get_ID() = 0;
    virtual std::string get_LastName() = 0;
    virtual std::string get_FirstName() = 0;
};

class IManagerInfo : public IUnknown {
  public:
    static constexpr Guid IID = MakeGuid("59A27639-FA3A-4644-8A09-861233A8D87B");
    virtual int32_t get_ID() = 0;
    virtual std::string get_LastName() = 0;
    virtual std::string get_FirstName() = 0;
    virtual int32_t get_Rank() = 0;
    virtual void let_Rank(int32_t value) = 0;
    virtual bool get_IsFeePaid() = 0;
    virtual void let_IsFeePaid(bool value) = 0;
    virtual ComPtr<IManagerTmplInfo> get_ManagerTmpl() = 0;
};

class IPrizeTypeInfo : public IUnknown {
  public:
    static constexpr Guid IID = MakeGuid("3426FE29-31C1-4DEE-A3F6-47FD2B1F9E86");
    virtual int32_t get_ID() = 0;
    virtual std::string get_Name() = 0;
};

class IPrizeTmplInfo : public IUnknown {
  public:
    static constexpr Guid IID = MakeGuid("BF6268AA-3568-4734-9789-98A46711CD79");
    virtual int32_t get_ID() = 0;
    virtual std::string get_Desc() = 0;
    virtual ComPtr<IPrizeTypeInfo> get_PrizeType() = 0;
};

class IPrizeInfo : public IUnknown {
  public:
    static constexpr Guid IID = MakeGuid("F7C3A5E1-E4FC-414E-B23E-23670353AAF5");
    virtual int32_t get_ID() = 0;
    virtual std::string get_Desc() = 0;
    virtual ComPtr<IPrizeTypeInfo> get_PrizeType() = 0;
    virtual int32_t get_Amount() = 0;
    virtual void let_Amount(int32_t value) = 0;
    virtual ComPtr<IPrizeTmplInfo> get_PrizeTmpl() = 0;
};

class IWinningInfo : public IUnknown {
  public:
    static constexpr Guid IID = MakeGuid("F0B3DA1F-FB69-4D6A-A3FB-29757FDE0268");
    virtual int32_t get_ID() = 0;
    virtual std::string get_Key() = 0;
    virtual int32_t get_SeasonID() = 0;
    virtual void let_SeasonID(int32_t value) = 0;
    virtual std::string get_ManagerID() = 0;
    virtual void let_ManagerID(const std::string& value) = 0;
    virtual std::string get_PrizeID() = 0;
    virtual void let_PrizeID(const std::string& value) = 0;
    virtual int32_t get_Week() = 0;
    virtual void let_Week(int32_t value) = 0;
    virtual void let_Action(ActionTypeEnum value) = 0;
    virtual ActionTypeEnum get_Action() = 0;
};

class IDraftInfo : public IUnknown {
  public:
    static constexpr Guid IID = MakeGuid("A040FCCC-8D16-4BE4-95E9-60C61F10D78B");
    virtual int32_t get_DraftNo() = 0;
    virtual void let_DraftNo(int32_t value) = 0;
    virtual ComPtr<IPickable> get_PlayerOrTeam() = 0;
    virtual void set_PlayerOrTeam(const ComPtr<IPickable>& value) = 0;
    virtual ComPtr<IManagerInfo> get_Manager() = 0;
    virtual void set_Manager(const ComPtr<IManagerInfo>& value) = 0;
};

// Note that let stands before get.
class ISettingInfo : public IUnknown {
  public:
    static constexpr Guid IID = MakeGuid("B35D7DE2-788C-4C5D-B93D-2D61E5A7011D");
    virtual void let_CurrentSeason(int32_t value) = 0;
    virtual int32_t get_CurrentSeason() = 0;
};

// Outgoing events of the settings object. Sinks are held without a reference, so a
// listener that also holds the settings object makes no cycle.
class ISettingInfoEvents {
  public:
    virtual void SettingsChanged() = 0;

  protected:
    ~ISettingInfoEvents() = default;
};

class ISeasonInfo : public IUnknown {
  public:
    static constexpr Guid IID = MakeGuid("4A7F0D1F-1FBA-49D1-B6B7-739B397FD747");
    virtual int32_t get_ID() = 0;
    virtual int32_t get_Year() = 0;
    virtual void let_Year(int32_t value) = 0;
    virtual int32_t get_NoOfManagers() = 0;
    virtual void let_NoOfManagers(int32_t value) = 0;
    virtual int32_t get_NoOfRounds() = 0;
    virtual void let_NoOfRounds(int32_t value) = 0;
    virtual int32_t get_MoneyContribution() = 0;
    virtual void let_MoneyContribution(int32_t value) = 0;
    virtual ComPtr<Collection> get_Prizes() = 0;
    virtual void set_Prizes(const ComPtr<Collection>& value) = 0;
    virtual int32_t get_NoOfRegularWeeks() = 0;
    virtual void let_NoOfRegularWeeks(int32_t value) = 0;
    virtual int32_t get_TotalNoOfWeeks() = 0;
    virtual void let_TotalNoOfWeeks(int32_t value) = 0;
    virtual bool get_IsRankingLocked() = 0;
    virtual void let_IsRankingLocked(bool value) = 0;
    virtual bool get_IsDraftLocked() = 0;
    virtual void let_IsDraftLocked(bool value) = 0;
    virtual bool get_IsSeasonLocked() = 0;
    virtual void let_IsSeasonLocked(bool value) = 0;
    virtual bool get_HasSeasonStarted() = 0;
    virtual void let_HasSeasonStarted(bool value) = 0;
    virtual ComPtr<Collection> get_Managers() = 0;
    virtual ComPtr<Collection> get_Winnings() = 0;
    virtual ComPtr<Collection> get_Drafts() = 0;
    virtual int32_t get_CurrentPick() = 0;
    virtual bool IsPickableTaken(const ComPtr<IPickable>& oPick, std::string& PickedInfo) = 0;
    bool IsPickableTaken(const ComPtr<IPickable>& oPick) {
        std::string ignored;
        return IsPickableTaken(oPick, ignored);
    }
    virtual void UpdateDraft(const ComPtr<IPickable>& oPick, int32_t CurPick,
                             const ComPtr<IManagerInfo>& oMgr) = 0;
    virtual void RemoveDraft(int32_t CurPick) = 0;
    virtual bool AddPrize(const ComPtr<IPrizeTmplInfo>& oPrizeTmpl) = 0;
    virtual bool AddManager(const ComPtr<IManagerTmplInfo>& oMgrTmpl) = 0;
    virtual bool RemoveManager(const ComPtr<IManagerInfo>& oMgr) = 0;
};

}  // namespace gr
