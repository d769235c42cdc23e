#include <gtest/gtest.h>

#include "ComObject.h"
#include "ComponentFactory.h"
#include "GRIData.h"
#include "IDataService.h"
#include "ISetupService.h"

namespace {

class IFirst : public gr::IUnknown {
  public:
    static constexpr gr::Guid IID = gr::MakeGuid("7A9C8B6D-1E2F-4A3B-8C4D-5E6F7A8B9C01");
    virtual int First() = 0;
};
class ISecond : public gr::IUnknown {
  public:
    static constexpr gr::Guid IID = gr::MakeGuid("7A9C8B6D-1E2F-4A3B-8C4D-5E6F7A8B9C02");
    virtual int Second() = 0;
};

int g_alive = 0;

class Both final : public gr::ComObject<IFirst, ISecond> {
  public:
    Both() { ++g_alive; }
    ~Both() override { --g_alive; }
    int First() override { return 1; }
    int Second() override { return 2; }
};

// A pair that refer to each other: the child keeps only a plain back pointer, as the
// settings object does with its listener, so releasing the parent frees both.
class Child;
class Parent final : public gr::ComObject<IFirst> {
  public:
    Parent();
    ~Parent() override { --g_alive; }
    int First() override { return 0; }
    gr::ComPtr<Child> child;
};
class Child final : public gr::ComObject<ISecond> {
  public:
    explicit Child(Parent* owner) : owner(owner) { ++g_alive; }
    ~Child() override { --g_alive; }
    int Second() override { return owner ? 2 : 0; }
    Parent* owner;
};
Parent::Parent() : child(gr::MakeCom<Child>(this)) {
    ++g_alive;
}

TEST(ComponentModel, GuidParsesTheTextForm) {
    constexpr gr::Guid g = gr::MakeGuid("43EC95E8-C8A0-4446-8038-1A90902F0112");
    EXPECT_EQ(g.data1, 0x43EC95E8u);
    EXPECT_EQ(g.data2, 0xC8A0u);
    EXPECT_EQ(g.data3, 0x4446u);
    EXPECT_EQ(g.data4[0], 0x80);
    EXPECT_EQ(g.data4[7], 0x12);
    EXPECT_EQ(g.ToString(), "{43EC95E8-C8A0-4446-8038-1A90902F0112}");
    EXPECT_EQ(gr::IDataService::IID, g);
}

TEST(ComponentModel, ContractIdentifiersAreDistinct) {
    const gr::Guid ids[] = {
        gr::IDataService::IID,     gr::ISeasonInfo::IID,  gr::IManagerInfo::IID,
        gr::IManagerTmplInfo::IID, gr::IPlayerInfo::IID,  gr::ITeamInfo::IID,
        gr::IPositionInfo::IID,    gr::IPrizeInfo::IID,   gr::IPrizeTmplInfo::IID,
        gr::IPrizeTypeInfo::IID,   gr::IWinningInfo::IID, gr::IDraftInfo::IID,
        gr::ISettingInfo::IID,     gr::IPickable::IID,    gr::ISetupService::IID,
        gr::ISetupInfo::IID,       gr::IUnknown::IID,     gr::ICollection::IID};
    for (size_t i = 0; i < std::size(ids); ++i)
        for (size_t j = i + 1; j < std::size(ids); ++j)
            EXPECT_FALSE(ids[i] == ids[j]) << i << "," << j;
}

TEST(ComponentModel, QueryInterfaceReachesEveryInterfaceOfOneObject) {
    gr::ComPtr<IFirst> first = gr::MakeCom<Both>();
    gr::ComPtr<ISecond> second = first.As<ISecond>();
    ASSERT_TRUE(second);
    EXPECT_EQ(second->Second(), 2);
    EXPECT_EQ(second.As<IFirst>()->First(), 1);
    EXPECT_TRUE(gr::IsSameObject(first, second));
}

TEST(ComponentModel, QueryInterfaceRefusesAForeignIdentifier) {
    gr::ComPtr<IFirst> first = gr::MakeCom<Both>();
    void* pv = reinterpret_cast<void*>(0x1);
    EXPECT_FALSE(first->QueryInterface(gr::IDataService::IID, &pv));
    EXPECT_EQ(pv, nullptr);
    EXPECT_FALSE(first.As<gr::ISeasonInfo>());
}

TEST(ComponentModel, LastReleaseDestroysTheObject) {
    ASSERT_EQ(g_alive, 0);
    {
        gr::ComPtr<IFirst> a = gr::MakeCom<Both>();
        gr::ComPtr<ISecond> b = a.As<ISecond>();
        gr::ComPtr<IFirst> c = a;
        EXPECT_EQ(g_alive, 1);
        a.reset();
        c.reset();
        EXPECT_EQ(g_alive, 1);
        EXPECT_EQ(b->Second(), 2);
    }
    EXPECT_EQ(g_alive, 0);
}

TEST(ComponentModel, ObjectsThatReferToEachOtherDoNotLeak) {
    {
        auto parent = gr::MakeCom<Parent>();
        EXPECT_EQ(parent->child->Second(), 2);
        EXPECT_EQ(g_alive, 2);
    }
    EXPECT_EQ(g_alive, 0);
}

TEST(ComponentModel, MovedPointersTransferTheirReference) {
    gr::ComPtr<IFirst> a = gr::MakeCom<Both>();
    gr::ComPtr<IFirst> b = std::move(a);
    EXPECT_FALSE(a);  // NOLINT(bugprone-use-after-move): a moved-from pointer is empty
    EXPECT_EQ(b->AddRef(), 2u);
    EXPECT_EQ(b->Release(), 1u);
    b = nullptr;
    EXPECT_EQ(g_alive, 0);
}

TEST(ComponentFactory, CreatesAnObjectByClassName) {
    std::string err;
    auto obj = gr::CreateObject("GRTestComp.Widget", err);
    ASSERT_TRUE(obj) << err;
    EXPECT_TRUE(err.empty());
}

TEST(ComponentFactory, MissingLibraryGivesAClearError) {
    std::string err;
    auto obj = gr::CreateObject("GRNoSuchLib.Thing", err);
    EXPECT_FALSE(obj);
    EXPECT_NE(err.find("libGRNoSuchLib.so"), std::string::npos) << err;
    EXPECT_NE(err.find("missing"), std::string::npos) << err;
}

TEST(ComponentFactory, UnknownClassInAKnownLibraryIsNotRegistered) {
    std::string err;
    auto obj = gr::CreateObject("GRTestComp.Gadget", err);
    EXPECT_FALSE(obj);
    EXPECT_EQ(err, "Class GRTestComp.Gadget is not registered.");
}

TEST(ComponentFactory, MalformedClassNamesAreRefused) {
    for (const char* name : {"", "NoDot", ".Thing", "Lib.", "../evil.Thing"}) {
        std::string err;
        EXPECT_FALSE(gr::CreateObject(name, err)) << name;
        EXPECT_FALSE(err.empty()) << name;
    }
}

TEST(ComponentFactory, ObjectWithoutTheAskedInterfaceIsReported) {
    std::string err;
    auto svc = gr::CreateObjectAs<gr::IDataService>("GRTestComp.Widget", err);
    EXPECT_FALSE(svc);
    EXPECT_NE(err.find("does not support"), std::string::npos) << err;
}

}  // namespace
