#include <gtest/gtest.h>

#include "SetupInfo.h"

namespace {

struct TypeCase {
    int32_t id;
    const char* key;
    const char* desc;
};

class SetupInfoTypeTest : public ::testing::TestWithParam<TypeCase> {};

TEST_P(SetupInfoTypeTest, TypeIdSetsKeyAndDescriptionAndIsKeptUnchanged) {
    auto info = gr::MakeCom<gr::SetupInfo>();
    info->let_DBTypeID(GetParam().id);
    EXPECT_EQ(info->get_DBTypeID(), GetParam().id);
    EXPECT_EQ(info->get_DBTypeKey(), GetParam().key);
    EXPECT_EQ(info->get_DBTypeDesc(), GetParam().desc);
}

INSTANTIATE_TEST_SUITE_P(AllTypes, SetupInfoTypeTest,
                         ::testing::Values(TypeCase{1, "LIVE", "Live"}, TypeCase{2, "TEST", "Test"},
                                           TypeCase{3, "BLANK", "Blank"},
                                           TypeCase{0, "TEST", "Test"}, TypeCase{4, "TEST", "Test"},
                                           TypeCase{-7, "TEST", "Test"}));

TEST(SetupInfoTest, AnsweresOnlyItsInterfaces) {
    auto info = gr::MakeCom<gr::SetupInfo>();
    gr::ComPtr<gr::ISetupInfo> asInterface(info.get());
    EXPECT_TRUE(asInterface.As<gr::IUnknown>());
    EXPECT_FALSE(asInterface.As<gr::ISetupService>());
    EXPECT_EQ(info->get_BackupCount(), 0);
    EXPECT_EQ(info->get_BackupDate(), gr::setup::ZeroDate());
}

}  // namespace
