// What a season holds of the catalogue: a manager taking part (with rank and fee) and a
// prize with the money it pays that season.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "ComObject.h"
#include "GRIData.h"

namespace gr::data {

// Id and names are those of the manager master, so catalogue edits show at once.
class ManagerInfo final : public ComObject<IManagerInfo> {
  public:
    explicit ManagerInfo(ComPtr<IManagerTmplInfo> master) : m_master(std::move(master)) {}

    int32_t get_ID() override { return m_master ? m_master->get_ID() : 0; }
    std::string get_LastName() override { return m_master ? m_master->get_LastName() : ""; }
    std::string get_FirstName() override { return m_master ? m_master->get_FirstName() : ""; }
    int32_t get_Rank() override { return m_rank; }
    void let_Rank(int32_t value) override { m_rank = value; }
    bool get_IsFeePaid() override { return m_feePaid; }
    void let_IsFeePaid(bool value) override { m_feePaid = value; }
    ComPtr<IManagerTmplInfo> get_ManagerTmpl() override { return m_master; }

  private:
    ComPtr<IManagerTmplInfo> m_master;
    int32_t m_rank = 0;
    bool m_feePaid = false;
};

// Id, description and type are those of the prize master.
class PrizeInfo final : public ComObject<IPrizeInfo> {
  public:
    explicit PrizeInfo(ComPtr<IPrizeTmplInfo> master, int32_t amount = 0)
        : m_master(std::move(master)), m_amount(amount) {}

    int32_t get_ID() override { return m_master ? m_master->get_ID() : 0; }
    std::string get_Desc() override { return m_master ? m_master->get_Desc() : ""; }
    ComPtr<IPrizeTypeInfo> get_PrizeType() override {
        return m_master ? m_master->get_PrizeType() : nullptr;
    }
    int32_t get_Amount() override { return m_amount; }
    void let_Amount(int32_t value) override { m_amount = value; }
    ComPtr<IPrizeTmplInfo> get_PrizeTmpl() override { return m_master; }

  private:
    ComPtr<IPrizeTmplInfo> m_master;
    int32_t m_amount = 0;
};

}  // namespace gr::data
