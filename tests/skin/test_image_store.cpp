// The image store against the test resources: PNG 901 (3 x 2 RGBA), 902 (4 x 5 RGB), and 900,
// which holds bytes that are no picture.
#include "platform/gui/Image.h"
#include "skin/ImageStore.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

class ImageStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("QUELLMARK_MESSAGE_BOX_LOG", "1", 1);
        InitImageStore();
    }
    void TearDown() override { ClearImageStore(); }
};

TEST_F(ImageStoreTest, DecodesOnceAndHandsOutTheSameImage) {
    Image* first = GetSkinImage(901, u"PNG");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetWidth(), 3u);
    EXPECT_EQ(first->GetHeight(), 2u);
    Image* other = GetSkinImage(902, u"PNG");
    EXPECT_NE(other, first);
    EXPECT_EQ(other->GetWidth(), 4u);
    EXPECT_EQ(other->GetHeight(), 5u);
    EXPECT_EQ(GetSkinImage(901, u"PNG"), first);
    EXPECT_EQ(GetSkinImage(902, u"PNG"), other);
}

TEST_F(ImageStoreTest, UndecodableResourceGivesAnEmptyImageAndNoMessage) {
    ::testing::internal::CaptureStderr();
    Image* image = GetSkinImage(900, u"PNG");
    const std::string messages = ::testing::internal::GetCapturedStderr();
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->GetWidth(), 0u);
    EXPECT_EQ(image->GetHeight(), 0u);
    EXPECT_EQ(messages, "");
    EXPECT_EQ(GetSkinImage(900, u"PNG"), image);
}

TEST_F(ImageStoreTest, ImagesStayValidAcrossLaterRequests) {
    Image* first = GetSkinImage(901, u"PNG");
    for (int i = 0; i < 3; ++i) {
        GetSkinImage(902, u"PNG");
        GetSkinImage(900, u"PNG");
    }
    EXPECT_EQ(first->GetWidth(), 3u);
    EXPECT_EQ(GetSkinImage(901, u"PNG"), first);
}

TEST(ImageStoreLifecycle, ClearOnAFreshStoreAndStartAgain) {
    InitImageStore();
    ClearImageStore();
    InitImageStore();
    EXPECT_EQ(GetSkinImage(902, u"PNG")->GetWidth(), 4u);
    ClearImageStore();
}

class ImageStoreDeathTest : public ImageStoreTest {
protected:
    void SetUp() override {
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        ImageStoreTest::SetUp();
    }
};

TEST_F(ImageStoreDeathTest, MissingResourceShowsTheErrorAndExitsWithOne) {
    // Type 16 is the error icon with an OK button.
    EXPECT_EXIT(GetSkinImage(777, u"PNG"), ::testing::ExitedWithCode(1),
                "\\|Image Resource Error:777\\|16\n");
}

TEST_F(ImageStoreDeathTest, TypeIsComparedExactly) {
    GetSkinImage(901, u"PNG");
    EXPECT_EXIT(GetSkinImage(901, u"png"), ::testing::ExitedWithCode(1),
                "\\|Image Resource Error:901\\|16\n");
}

} // namespace
