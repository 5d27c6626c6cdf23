#include "platform/gui/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <cstdio>

namespace {

// Button sets and results beyond what WinTypes.h carries; only this file needs them.
constexpr UINT kButtonMask = 0x000F;
constexpr UINT kIconMask = 0x00F0;
constexpr UINT kOkCancel = 0x0001;
constexpr UINT kYesNoCancel = 0x0003;
constexpr UINT kYesNo = 0x0004;
constexpr UINT kRetryCancel = 0x0005;
constexpr UINT kIconQuestion = 0x0020;
constexpr int kIdRetry = 4;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;

QString ToQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

QMessageBox::Icon IconFor(UINT type) {
    switch (type & kIconMask) {
    case MB_ICONERROR:
        return QMessageBox::Critical;
    case kIconQuestion:
        return QMessageBox::Question;
    case MB_ICONWARNING:
        return QMessageBox::Warning;
    case MB_ICONINFORMATION:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButtons ButtonsFor(UINT type) {
    switch (type & kButtonMask) {
    case kOkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case kYesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case kYesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case kRetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    default:
        return QMessageBox::Ok;
    }
}

int ResultFor(int button) {
    switch (button) {
    case QMessageBox::Cancel:
        return IDCANCEL;
    case QMessageBox::Yes:
        return kIdYes;
    case QMessageBox::No:
        return kIdNo;
    case QMessageBox::Retry:
        return kIdRetry;
    default:
        return IDOK;
    }
}

void LogBox(std::u16string_view text, std::u16string_view caption, UINT type) {
    const QByteArray line =
        (ToQString(caption) + QLatin1Char('|') + ToQString(text) + QLatin1Char('|') + QString::number(type))
            .toUtf8();
    std::fprintf(stderr, "%s\n", line.constData());
    std::fflush(stderr);
}

} // namespace

int MessageBoxW(CWnd* /*owner*/, std::u16string_view text, std::u16string_view caption, UINT type) {
    // Without a widget application there is no screen to show a box on (a fatal error may come
    // before the application object exists); the log line is then the only trace it can leave.
    if (qEnvironmentVariableIsSet("QUELLMARK_MESSAGE_BOX_LOG") ||
        qobject_cast<QApplication*>(qApp) == nullptr) {
        LogBox(text, caption, type);
        return IDOK;
    }
    // The box is application-modal with no parent widget: the owner only decides where a box
    // appears on the reference platform, and a box centred on the screen is just as clear.
    QMessageBox box(IconFor(type), ToQString(caption), ToQString(text), ButtonsFor(type));
    box.setWindowModality(Qt::ApplicationModal);
    return ResultFor(box.exec());
}

int AfxMessageBox(std::u16string_view text, UINT type) {
    QString name = QGuiApplication::applicationDisplayName();
    if (name.isEmpty()) {
        name = QStringLiteral("Quellmark");
    }
    const std::u16string caption(reinterpret_cast<const char16_t*>(name.utf16()),
                                 static_cast<std::size_t>(name.size()));
    return MessageBoxW(nullptr, text, caption, type);
}
