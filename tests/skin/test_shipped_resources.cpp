// The resources compiled into the program: every picture at its size and pixel format, every
// string-table entry with its text, the dialog templates, the icon and the cursor.
#include "platform/gui/Image.h"
#include "platform/gui/Resources.h"
#include "resources/ResourceIds.h"

#include <QFile>
#include <QImage>
#include <cstdint>
#include <gtest/gtest.h>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

// The PNG header as stored: the first chunk (IHDR) gives size, bit depth and colour type.
struct PngHeader {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int bitDepth = 0;
    int colourType = 0; // 2 RGB, 6 RGBA
};

std::optional<PngHeader> ReadPngHeader(const std::vector<std::uint8_t>& bytes) {
    static const std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (bytes.size() < 29 || !std::equal(std::begin(kSignature), std::end(kSignature), bytes.begin()) ||
        std::string(bytes.begin() + 12, bytes.begin() + 16) != "IHDR") {
        return std::nullopt;
    }
    const auto be32 = [&](std::size_t at) {
        return static_cast<std::uint32_t>(bytes[at]) << 24 | static_cast<std::uint32_t>(bytes[at + 1]) << 16 |
               static_cast<std::uint32_t>(bytes[at + 2]) << 8 | bytes[at + 3];
    };
    return PngHeader{be32(16), be32(20), bytes[24], bytes[25]};
}

constexpr int kRgb = 2;
constexpr int kRgba = 6;

struct PictureCase {
    int id;
    std::uint32_t width;
    std::uint32_t height;
    int colourType;
};

void PrintTo(const PictureCase& c, std::ostream* os) {
    *os << "PNG " << c.id;
}

class ShippedPictureTest : public ::testing::TestWithParam<PictureCase> {};

TEST_P(ShippedPictureTest, HasItsSizeAndPixelFormat) {
    const PictureCase& c = GetParam();
    const auto bytes = LoadResourceData(c.id, u"PNG");
    ASSERT_TRUE(bytes.has_value()) << c.id;
    const auto header = ReadPngHeader(*bytes);
    ASSERT_TRUE(header.has_value()) << c.id;
    EXPECT_EQ(header->width, c.width);
    EXPECT_EQ(header->height, c.height);
    EXPECT_EQ(header->bitDepth, 8);
    EXPECT_EQ(header->colourType, c.colourType);
    const auto image = Image::FromPng(*bytes);
    EXPECT_EQ(image->GetWidth(), c.width);
    EXPECT_EQ(image->GetHeight(), c.height);
}

INSTANTIATE_TEST_SUITE_P(Skin, ShippedPictureTest,
                         ::testing::Values(PictureCase{129, 665, 464, kRgba},
                                           PictureCase{130, 665, 56, kRgba}, PictureCase{132, 40, 17, kRgba},
                                           PictureCase{133, 40, 17, kRgba}, PictureCase{134, 40, 17, kRgba},
                                           PictureCase{135, 27, 17, kRgba}, PictureCase{136, 27, 17, kRgba},
                                           PictureCase{137, 27, 17, kRgba}, PictureCase{160, 98, 23, kRgba},
                                           PictureCase{161, 98, 23, kRgba}, PictureCase{162, 98, 23, kRgba},
                                           PictureCase{163, 98, 23, kRgba}, PictureCase{165, 562, 34, kRgb},
                                           PictureCase{166, 611, 34, kRgb}, PictureCase{167, 49, 20, kRgba},
                                           PictureCase{168, 49, 20, kRgba}, PictureCase{169, 49, 20, kRgba},
                                           PictureCase{170, 49, 20, kRgba}),
                         [](const auto& info) { return std::to_string(info.param.id); });

// Alpha of a picture's pixel, straight (not premultiplied).
int AlphaAt(int id, const char16_t* type, int x, int y) {
    const auto bytes = LoadResourceData(id, type);
    if (!bytes) {
        return -1;
    }
    const auto image = Image::FromPng(*bytes);
    return qAlpha(image->qimage().pixel(x, y));
}

TEST(ShippedPictures, CloseCrossStaysInsideTheVisibleMiddle) {
    // The 40-pixel close faces show in a 28-pixel window, centred: columns 0 to 5 and 34 to 39
    // are never seen, so nothing may be drawn there.
    for (const int id : {132, 133, 134}) {
        for (int y = 0; y < 17; ++y) {
            for (const int x : {0, 1, 2, 3, 4, 5, 34, 35, 36, 37, 38, 39}) {
                EXPECT_EQ(AlphaAt(id, u"PNG", x, y), 0) << id << " at " << x << "," << y;
            }
        }
    }
}

TEST(ShippedPictures, ButtonFacesHaveTransparentCorners) {
    for (const int id : {160, 161, 162, 163, 167, 168, 169, 170}) {
        EXPECT_EQ(AlphaAt(id, u"PNG", 0, 0), 0) << id;
    }
}

TEST(ShippedPictures, FacesOfOneButtonDiffer) {
    const std::vector<std::vector<int>> buttons = {
        {133, 132, 134}, {136, 135, 137}, {163, 162, 160, 161}, {170, 169, 167, 168}};
    for (const auto& faces : buttons) {
        for (std::size_t i = 0; i < faces.size(); ++i) {
            for (std::size_t j = i + 1; j < faces.size(); ++j) {
                EXPECT_NE(LoadResourceData(faces[i], u"PNG"), LoadResourceData(faces[j], u"PNG"))
                    << faces[i] << " and " << faces[j];
            }
        }
    }
}

TEST(ShippedIcon, IsA64PixelRgbaPng) {
    const auto bytes = LoadResourceData(res::kIconProgram, u"ICON");
    ASSERT_TRUE(bytes.has_value());
    const auto header = ReadPngHeader(*bytes);
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(header->width, 64u);
    EXPECT_EQ(header->height, 64u);
    EXPECT_EQ(header->colourType, kRgba);
}

TEST(ShippedCursor, IsA32PixelHandWithItsHotSpotOnTheFingerTip) {
    const auto bytes = LoadResourceData(res::kCursorHand, u"CURSOR");
    ASSERT_TRUE(bytes.has_value());
    const auto header = ReadPngHeader(*bytes);
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(header->width, 32u);
    EXPECT_EQ(header->height, 32u);
    EXPECT_EQ(header->colourType, kRgba);

    QFile hotspot(QStringLiteral(":/res/CURSOR/138.hotspot"));
    ASSERT_TRUE(hotspot.open(QIODevice::ReadOnly));
    EXPECT_EQ(hotspot.readAll().trimmed(), QByteArray("5,0"));
    // The tip is the topmost drawn pixel, right at the hot spot.
    EXPECT_GT(AlphaAt(res::kCursorHand, u"CURSOR", 5, 0), 128);
    EXPECT_EQ(AlphaAt(res::kCursorHand, u"CURSOR", 0, 0), 0);
}

TEST(ShippedStringTable, HoldsEveryEntryWithItsText) {
    const std::map<UINT, std::u16string> entries = {
        {101, u"630,3,27,18"},
        {102, u"600,3,27,18"},
        {103, u"40,480,98,23"},
        {104, u"606,129,20,343"},
        {105, u"43"},
        {106, u"130"},
        {107, u"Quellmark"},
        {200, u"Open"},
        {201, u"Exit"},
        {202, u"Description"},
        {203, u"Mode NO."},
        {204, u"IP Address"},
        {205, u"MAC Address"},
        {206, u"Connect"},
        {207, u"Wireless powerline devices in your local network:"},
        {300, u"48,105,150,24"},
        {301, u"198,105,150,24"},
        {302, u"295,105,150,24"},
        {303, u"400,105,150,24"},
        {304, u"545,105,100,24"},
        {305, u"45,70,500,30"},
        {400, u"0,0,0"},
        {500, u"14"},
        {1005, u"10"},
        {1025, u"Arial"},
        {1030, u"12"},
        {1033, u"93,143,202"},
        {2000, u"5,10,150,24"},
        {2001, u"154,10,100,24"},
        {2002, u"252,10,100,24"},
        {2003, u"359,10,120,24"},
        {2004, u"502,7,49,20"},
    };
    for (const auto& [id, text] : entries) {
        EXPECT_TRUE(LoadStringResource(id) == text) << "entry " << id;
    }
}

nlohmann::json LoadTemplate(int id) {
    const auto bytes = LoadResourceData(id, u"DIALOG");
    if (!bytes) {
        return {};
    }
    return nlohmann::json::parse(bytes->begin(), bytes->end());
}

std::uint32_t Number(const nlohmann::json& value) {
    if (value.is_string()) {
        return static_cast<std::uint32_t>(std::stoul(value.get<std::string>(), nullptr, 0));
    }
    return value.get<std::uint32_t>();
}

struct ControlCase {
    int id;
    const char* kind;
};

void ExpectControls(const nlohmann::json& dialog, const std::vector<ControlCase>& expected) {
    ASSERT_TRUE(dialog.contains("controls"));
    const auto& controls = dialog["controls"];
    ASSERT_EQ(controls.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(controls[i]["id"].get<int>(), expected[i].id);
        EXPECT_EQ(controls[i]["class"].get<std::string>(), expected[i].kind) << expected[i].id;
        EXPECT_EQ(controls[i]["rect"].size(), 4u) << expected[i].id;
        EXPECT_NE(Number(controls[i]["style"]) & WS_CHILD, 0u) << expected[i].id;
    }
}

TEST(ShippedDialogs, MainWindowTemplate) {
    const nlohmann::json dialog = LoadTemplate(res::kDialogMainWindow);
    ASSERT_FALSE(dialog.is_null());
    EXPECT_EQ(dialog["id"].get<int>(), 102);
    EXPECT_EQ(Number(dialog["style"]), 0x90000048u);
    EXPECT_EQ(Number(dialog["exStyle"]), WS_EX_APPWINDOW);
    EXPECT_EQ(dialog["rect"], nlohmann::json({0, 0, 665, 520}));
    ExpectControls(dialog, {{1000, "button"},
                            {1001, "button"},
                            {1012, "button"},
                            {1013, "static"},
                            {1014, "static"},
                            {1015, "static"},
                            {1016, "static"},
                            {1017, "static"},
                            {1018, "scrollbar"},
                            {1025, "static"}});
    EXPECT_EQ(Number(dialog["controls"][8]["style"]) & 1u, 1u) << "the scroll bar is vertical";
}

TEST(ShippedDialogs, RowPanelTemplateIsAHiddenChild) {
    const nlohmann::json dialog = LoadTemplate(res::kDialogRowPanel);
    ASSERT_FALSE(dialog.is_null());
    EXPECT_EQ(dialog["id"].get<int>(), 164);
    const std::uint32_t style = Number(dialog["style"]);
    EXPECT_NE(style & WS_CHILD, 0u);
    EXPECT_EQ(style & WS_VISIBLE, 0u);
    ExpectControls(
        dialog, {{1019, "static"}, {1020, "static"}, {1021, "static"}, {1022, "static"}, {1023, "button"}});
    const std::uint32_t button = Number(dialog["controls"][4]["style"]);
    EXPECT_NE(button & WS_TABSTOP, 0u);
    EXPECT_EQ(button & BS_TYPEMASK, BS_PUSHBUTTON);
}

TEST(LoadResourceData, MissingResourceIsNullopt) {
    EXPECT_FALSE(LoadResourceData(129, u"png").has_value());
    EXPECT_FALSE(LoadResourceData(131, u"PNG").has_value());
    EXPECT_FALSE(LoadResourceData(102, u"DIALOGS").has_value());
}

} // namespace
