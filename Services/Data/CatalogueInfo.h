// The catalogue's master records: positions, teams, players, manager masters, prize
// types and prize masters. Interfaces only read them; the data service fills them
// through the internal setters below.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "ComObject.h"
#include "GRIData.h"

namespace gr::data {

class PositionInfo final : public ComObject<IPositionInfo, IPickable> {
  public:
    int32_t get_ID() override { return m_id; }
    std::string get_Abbr() override { return m_abbr; }
    std::string get_Desc() override { return m_desc; }

    PickableTypesEnum get_PickType() override { return PickedPosition; }
    std::string get_PickName() override { return m_desc; }
    int32_t get_PickID() override { return m_id; }

    void SetID(int32_t id) { m_id = id; }
    void SetAbbr(std::string abbr) { m_abbr = std::move(abbr); }
    void SetDesc(std::string desc) { m_desc = std::move(desc); }

  private:
    int32_t m_id = 0;
    std::string m_abbr;
    std::string m_desc;
};

class TeamInfo final : public ComObject<ITeamInfo, IPickable> {
  public:
    int32_t get_ID() override { return m_id; }
    std::string get_Abbr() override { return m_abbr; }
    std::string get_Name() override { return m_name; }
    std::string get_Nickname() override { return m_nickname; }
    ComPtr<IPositionInfo> get_Position() override { return m_position; }

    PickableTypesEnum get_PickType() override { return PickedTeam; }
    std::string get_PickName() override { return m_name; }
    int32_t get_PickID() override { return m_id; }

    void SetID(int32_t id) { m_id = id; }
    void SetAbbr(std::string abbr) { m_abbr = std::move(abbr); }
    void SetName(std::string name) { m_name = std::move(name); }
    void SetNickname(std::string nickname) { m_nickname = std::move(nickname); }
    void SetPosition(ComPtr<IPositionInfo> position) { m_position = std::move(position); }

  private:
    int32_t m_id = 0;
    std::string m_abbr;
    std::string m_name;
    std::string m_nickname;
    ComPtr<IPositionInfo> m_position;
};

class PlayerInfo final : public ComObject<IPlayerInfo, IPickable> {
  public:
    int32_t get_ID() override { return m_id; }
    std::string get_LastName() override { return m_lastName; }
    std::string get_FirstName() override { return m_firstName; }
    ComPtr<IPositionInfo> get_Position() override { return m_position; }
    ComPtr<ITeamInfo> get_Team() override { return m_team; }
    bool get_IsRetired() override { return m_retired; }

    PickableTypesEnum get_PickType() override { return PickedPlayer; }
    std::string get_PickName() override { return m_firstName + " " + m_lastName; }
    int32_t get_PickID() override { return m_id; }

    void SetID(int32_t id) { m_id = id; }
    void SetLastName(std::string name) { m_lastName = std::move(name); }
    void SetFirstName(std::string name) { m_firstName = std::move(name); }
    void SetPosition(ComPtr<IPositionInfo> position) { m_position = std::move(position); }
    void SetTeam(ComPtr<ITeamInfo> team) { m_team = std::move(team); }
    void SetRetired(bool retired) { m_retired = retired; }

  private:
    int32_t m_id = 0;
    std::string m_lastName;
    std::string m_firstName;
    ComPtr<IPositionInfo> m_position;
    ComPtr<ITeamInfo> m_team;
    bool m_retired = false;
};

class ManagerTmplInfo final : public ComObject<IManagerTmplInfo, IPickable> {
  public:
    int32_t get_ID() override { return m_id; }
    std::string get_LastName() override { return m_lastName; }
    std::string get_FirstName() override { return m_firstName; }

    PickableTypesEnum get_PickType() override { return PickedManager; }
    std::string get_PickName() override { return m_firstName + " " + m_lastName; }
    int32_t get_PickID() override { return m_id; }

    void SetID(int32_t id) { m_id = id; }
    void SetLastName(std::string name) { m_lastName = std::move(name); }
    void SetFirstName(std::string name) { m_firstName = std::move(name); }

  private:
    int32_t m_id = 0;
    std::string m_lastName;
    std::string m_firstName;
};

class PrizeTypeInfo final : public ComObject<IPrizeTypeInfo> {
  public:
    int32_t get_ID() override { return m_id; }
    std::string get_Name() override { return m_name; }

    void SetID(int32_t id) { m_id = id; }
    void SetName(std::string name) { m_name = std::move(name); }

  private:
    int32_t m_id = 0;
    std::string m_name;
};

class PrizeTmplInfo final : public ComObject<IPrizeTmplInfo, IPickable> {
  public:
    int32_t get_ID() override { return m_id; }
    std::string get_Desc() override { return m_desc; }
    ComPtr<IPrizeTypeInfo> get_PrizeType() override { return m_type; }

    PickableTypesEnum get_PickType() override { return PickedPrize; }
    std::string get_PickName() override { return m_desc; }
    int32_t get_PickID() override { return m_id; }

    void SetID(int32_t id) { m_id = id; }
    void SetDesc(std::string desc) { m_desc = std::move(desc); }
    void SetPrizeType(ComPtr<IPrizeTypeInfo> type) { m_type = std::move(type); }

  private:
    int32_t m_id = 0;
    std::string m_desc;
    ComPtr<IPrizeTypeInfo> m_type;
};

}  // namespace gr::data
