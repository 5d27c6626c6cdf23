// Image decoding and the message box's headless log line.
#include "platform/gui/Image.h"
#include "platform/gui/MessageBox.h"

#include <QApplication>
#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

std::vector<std::uint8_t> EncodePng(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

TEST(Image, DecodesRgbaToPremultipliedArgb) {
    QImage source(5, 3, QImage::Format_ARGB32);
    source.fill(qRgba(200, 100, 50, 128));
    const auto image = Image::FromPng(EncodePng(source));
    EXPECT_EQ(image->GetWidth(), 5u);
    EXPECT_EQ(image->GetHeight(), 3u);
    EXPECT_EQ(image->qimage().format(), QImage::Format_ARGB32_Premultiplied);
    // Stored premultiplied (200 * 128 / 255), read back straight.
    EXPECT_NEAR(qRed(image->qimage().pixel(2, 1)), 100, 1);
    const QColor colour = image->qimage().pixelColor(2, 1);
    EXPECT_EQ(colour.alpha(), 128);
    EXPECT_NEAR(colour.red(), 200, 2);
}

TEST(Image, DecodesRgbAsOpaque) {
    QImage source(4, 4, QImage::Format_RGB888);
    source.fill(QColor(10, 20, 30));
    const auto image = Image::FromPng(EncodePng(source));
    EXPECT_EQ(image->GetWidth(), 4u);
    EXPECT_EQ(qAlpha(image->qimage().pixel(3, 3)), 255);
}

TEST(Image, AnythingButPngIsEmpty) {
    QImage source(4, 4, QImage::Format_RGB888);
    source.fill(Qt::red);
    QByteArray bmp;
    QBuffer buffer(&bmp);
    buffer.open(QIODevice::WriteOnly);
    source.save(&buffer, "BMP");
    const std::vector<std::vector<std::uint8_t>> inputs = {
        {}, {0x89, 'P', 'N', 'G'}, std::vector<std::uint8_t>(bmp.begin(), bmp.end())};
    for (const auto& bytes : inputs) {
        const auto image = Image::FromPng(bytes);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->GetWidth(), 0u);
        EXPECT_EQ(image->GetHeight(), 0u);
    }
    // A truncated PNG is no picture either.
    auto png = EncodePng(source);
    png.resize(png.size() / 2);
    EXPECT_EQ(Image::FromPng(png)->GetWidth(), 0u);
}

class MessageBoxLog : public ::testing::Test {
protected:
    void SetUp() override { setenv("QUELLMARK_MESSAGE_BOX_LOG", "1", 1); }
};

TEST_F(MessageBoxLog, WritesCaptionTextAndTypeAndReturnsOk) {
    ::testing::internal::CaptureStderr();
    const int result = MessageBoxW(nullptr, u"Load String (7) Failed!", u"Error", 0);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Error|Load String (7) Failed!|0\n");
    EXPECT_EQ(result, IDOK);
}

TEST_F(MessageBoxLog, AfxBoxIsCaptionedWithTheApplicationName) {
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Quellmark"));
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(AfxMessageBox(u"Image Resource Error:129 \u00e9", MB_ICONERROR), IDOK);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Quellmark|Image Resource Error:129 \xc3\xa9|16\n");
}

// Without the log variable a real box comes up; the test answers it as a user would.
class MessageBoxShown : public ::testing::Test {
protected:
    void SetUp() override { unsetenv("QUELLMARK_MESSAGE_BOX_LOG"); }
    void TearDown() override { setenv("QUELLMARK_MESSAGE_BOX_LOG", "1", 1); }

    struct Seen {
        QString caption;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
    };

    // Polls for the modal box, records what it shows and presses the given button.
    static void AnswerWith(QMessageBox::StandardButton answer, Seen& seen) {
        auto* timer = new QTimer;
        QObject::connect(timer, &QTimer::timeout, [timer, answer, &seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) {
                return;
            }
            seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
            box->button(answer)->click();
            timer->stop();
            timer->deleteLater();
        });
        timer->start(5);
    }
};

TEST_F(MessageBoxShown, ShowsCaptionTextAndIconAndReturnsOk) {
    Seen seen;
    AnswerWith(QMessageBox::Ok, seen);
    EXPECT_EQ(MessageBoxW(nullptr, u"Image Resource Error:130", u"Quellmark", MB_ICONERROR), IDOK);
    EXPECT_EQ(seen.caption, QStringLiteral("Quellmark"));
    EXPECT_EQ(seen.text, QStringLiteral("Image Resource Error:130"));
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

TEST_F(MessageBoxShown, TypeZeroHasNoIconAndOkCancelCanBeCancelled) {
    Seen seen;
    AnswerWith(QMessageBox::Ok, seen);
    EXPECT_EQ(MessageBoxW(nullptr, u"Load String (9) Failed!", u"Error", 0), IDOK);
    EXPECT_EQ(seen.icon, QMessageBox::NoIcon);

    AnswerWith(QMessageBox::Cancel, seen);
    EXPECT_EQ(MessageBoxW(nullptr, u"Sure?", u"Question", 0x0001 | MB_ICONWARNING), IDCANCEL);
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok | QMessageBox::Cancel);
}

} // namespace
