#include <gtest/gtest.h>

#include "Collection.h"
#include "ComObject.h"

namespace {

class INamed : public gr::IUnknown {
  public:
    static constexpr gr::Guid IID = gr::MakeGuid("1F0A5E77-2C3D-4B8A-9E61-0A7B3C4D5E60");
    virtual std::string Name() = 0;
};

class Named final : public gr::ComObject<INamed> {
  public:
    explicit Named(std::string name) : m_name(std::move(name)) {}
    std::string Name() override { return m_name; }

  private:
    std::string m_name;
};

gr::ComPtr<INamed> Make(const std::string& name) {
    return gr::MakeCom<Named>(name);
}

std::vector<std::string> Names(const gr::Collection& c) {
    std::vector<std::string> out;
    for (const auto& item : c.ItemsAs<INamed>()) out.push_back(item->Name());
    return out;
}

class CollectionTest : public ::testing::Test {
  protected:
    gr::ComPtr<gr::Collection> c = gr::Collection::Create();
};

TEST_F(CollectionTest, IndexesFromOneInInsertionOrder) {
    c->Add(Make("a"), "Ka");
    c->Add(Make("b"));
    c->Add(Make("c"), "Kc");
    EXPECT_EQ(c->Count(), 3);
    EXPECT_EQ(c->ItemAs<INamed>(1)->Name(), "a");
    EXPECT_EQ(c->ItemAs<INamed>(3)->Name(), "c");
    EXPECT_EQ(Names(*c), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(c->KeyAt(2), "");
    EXPECT_EQ(c->KeyAt(3), "Kc");
}

TEST_F(CollectionTest, PositionsOutsideTheListGiveNothing) {
    c->Add(Make("a"));
    EXPECT_FALSE(c->Item(0));
    EXPECT_FALSE(c->Item(2));
    EXPECT_FALSE(c->Item(-1));
    EXPECT_FALSE(c->Remove(2));
    EXPECT_EQ(c->Count(), 1);
}

TEST_F(CollectionTest, MissingKeyIsDetectableNotFatal) {
    c->Add(Make("a"), "K1");
    EXPECT_FALSE(c->Item("K2"));
    EXPECT_FALSE(c->Contains("K2"));
    EXPECT_FALSE(c->Remove("K2"));
    EXPECT_TRUE(c->Contains("K1"));
}

TEST_F(CollectionTest, DuplicateKeyIsRefusedAndChangesNothing) {
    EXPECT_TRUE(c->Add(Make("a"), "K1"));
    EXPECT_FALSE(c->Add(Make("b"), "K1"));
    EXPECT_EQ(c->Count(), 1);
    EXPECT_EQ(c->ItemAs<INamed>("K1")->Name(), "a");
}

TEST_F(CollectionTest, InsertsBeforeAndAfterAPosition) {
    c->Add(Make("a"), "Ka");
    c->Add(Make("c"), "Kc");
    EXPECT_TRUE(c->Add(Make("b"), "Kb", /*before=*/2));
    EXPECT_TRUE(c->Add(Make("d"), "Kd", 0, /*after=*/3));
    EXPECT_TRUE(c->Add(Make("z"), "", /*before=*/1));
    EXPECT_EQ(Names(*c), (std::vector<std::string>{"z", "a", "b", "c", "d"}));
    EXPECT_EQ(c->ItemAs<INamed>("Kd")->Name(), "d");
}

TEST_F(CollectionTest, InsertAtAMissingPositionIsRefused) {
    c->Add(Make("a"));
    EXPECT_FALSE(c->Add(Make("b"), "", /*before=*/2));
    EXPECT_FALSE(c->Add(Make("b"), "", 0, /*after=*/5));
    EXPECT_FALSE(c->Add(Make("b"), "", 1, 1));
    EXPECT_FALSE(c->Add(gr::ComPtr<INamed>()));
    EXPECT_EQ(c->Count(), 1);
}

TEST_F(CollectionTest, RemovesByPositionAndByKeyKeepingOtherKeys) {
    c->Add(Make("a"), "Ka");
    c->Add(Make("b"), "Kb");
    c->Add(Make("c"), "Kc");
    EXPECT_TRUE(c->Remove("Kb"));
    EXPECT_EQ(Names(*c), (std::vector<std::string>{"a", "c"}));
    EXPECT_TRUE(c->Remove(1));
    EXPECT_FALSE(c->Contains("Ka"));
    EXPECT_EQ(c->ItemAs<INamed>("Kc")->Name(), "c");
    EXPECT_EQ(c->ItemAs<INamed>(1)->Name(), "c");
}

TEST_F(CollectionTest, ReAddingUnderANewKeyAtTheSamePosition) {
    // The draft board re-keys a pick this way when it changes hands.
    c->Add(Make("1"), "N1");
    c->Add(Make("2"), "N2");
    c->Add(Make("3"), "N3");
    auto item = c->Item(2);
    ASSERT_TRUE(c->Remove(2));
    ASSERT_TRUE(c->Add(item, "P77", /*before=*/2));
    EXPECT_EQ(c->KeyAt(2), "P77");
    EXPECT_FALSE(c->Contains("N2"));
    EXPECT_EQ(Names(*c), (std::vector<std::string>{"1", "2", "3"}));
}

TEST_F(CollectionTest, IsSharedByReference) {
    gr::ComPtr<gr::Collection> other = c;
    other->Add(Make("a"), "Ka");
    EXPECT_EQ(c->Count(), 1);
}

TEST_F(CollectionTest, HoldsItsItemsAlive) {
    auto item = Make("kept");
    c->Add(item, "K");
    INamed* raw = item.get();
    item.reset();
    EXPECT_EQ(c->ItemAs<INamed>("K").get(), raw);
    EXPECT_EQ(c->ItemAs<INamed>("K")->Name(), "kept");
}

}  // namespace
