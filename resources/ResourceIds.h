#pragma once

// Every resource id of the program in one place. The numbers are those the resources are stored
// under (":/res/TYPE/ID", and the ID column of strings.txt), so the skin is changed by editing the
// resources, never these values.

namespace res {

// Resource types.
inline constexpr char16_t kTypePng[] = u"PNG";

// Dialog templates.
inline constexpr int kDialogMainWindow = 102;
inline constexpr int kDialogRowPanel = 164;

// Icon, cursor, menu.
inline constexpr int kIconProgram = 128;
inline constexpr int kCursorHand = 138;
inline constexpr int kMenuTray = 159;

// Images (type "PNG").
inline constexpr int kImageBody = 129;
inline constexpr int kImageBanner = 130;
inline constexpr int kImageCloseHover = 132; // also the disabled face
inline constexpr int kImageCloseNormal = 133;
inline constexpr int kImageClosePressed = 134;
inline constexpr int kImageMinimiseHover = 135; // also the disabled face
inline constexpr int kImageMinimiseNormal = 136;
inline constexpr int kImageMinimisePressed = 137;
inline constexpr int kImageRescanPressed = 160;
inline constexpr int kImageRescanDisabled = 161;
inline constexpr int kImageRescanHover = 162;
inline constexpr int kImageRescanNormal = 163;
inline constexpr int kImageRowNormal = 165;
inline constexpr int kImageRowHover = 166;
inline constexpr int kImageConnectPressed = 167;
inline constexpr int kImageConnectDisabled = 168;
inline constexpr int kImageConnectHover = 169;
inline constexpr int kImageConnectNormal = 170;

// String table: the main window's frame.
inline constexpr unsigned kStrCloseRect = 101;
inline constexpr unsigned kStrMinimiseRect = 102;
inline constexpr unsigned kStrRescanRect = 103;
inline constexpr unsigned kStrScrollBarRect = 104;
inline constexpr unsigned kStrRowLeft = 105;
inline constexpr unsigned kStrRowsTop = 106;
inline constexpr unsigned kStrTitle = 107;

// String table: captions.
inline constexpr unsigned kStrMenuOpen = 200;
inline constexpr unsigned kStrMenuExit = 201;
inline constexpr unsigned kStrHeaderDescription = 202;
inline constexpr unsigned kStrHeaderModel = 203;
inline constexpr unsigned kStrHeaderIp = 204;
inline constexpr unsigned kStrHeaderMac = 205;
inline constexpr unsigned kStrHeaderConnect = 206;
inline constexpr unsigned kStrListTitle = 207;

// String table: the main window's labels.
inline constexpr unsigned kStrHeaderDescriptionRect = 300;
inline constexpr unsigned kStrHeaderModelRect = 301;
inline constexpr unsigned kStrHeaderIpRect = 302;
inline constexpr unsigned kStrHeaderMacRect = 303;
inline constexpr unsigned kStrHeaderConnectRect = 304;
inline constexpr unsigned kStrListTitleRect = 305;
inline constexpr unsigned kStrHeaderColor = 400;
inline constexpr unsigned kStrListTitlePointSize = 500;

// String table: font sizes, font keys and the title colour.
inline constexpr unsigned kStrLabelPointSize = 1005;
inline constexpr unsigned kFontKeyLabels = 1025;
inline constexpr unsigned kStrLabelsFontPointSize = 1030;
inline constexpr unsigned kStrListTitleColor = 1033;

// String table: the device row panel.
inline constexpr unsigned kStrRowDescriptionRect = 2000;
inline constexpr unsigned kStrRowModelRect = 2001;
inline constexpr unsigned kStrRowIpRect = 2002;
inline constexpr unsigned kStrRowMacRect = 2003;
inline constexpr unsigned kStrRowConnectRect = 2004;

// Controls of dialog template 102 (main window).
inline constexpr int kCtlMinimise = 1000;
inline constexpr int kCtlClose = 1001;
inline constexpr int kCtlRescan = 1012;
inline constexpr int kCtlHeaderDescription = 1013;
inline constexpr int kCtlHeaderModel = 1014;
inline constexpr int kCtlHeaderIp = 1015;
inline constexpr int kCtlHeaderMac = 1016;
inline constexpr int kCtlHeaderConnect = 1017;
inline constexpr int kCtlScrollBar = 1018;
inline constexpr int kCtlListTitle = 1025;

// Controls of dialog template 164 (device row panel).
inline constexpr int kCtlRowDescription = 1019;
inline constexpr int kCtlRowModel = 1020;
inline constexpr int kCtlRowIp = 1021;
inline constexpr int kCtlRowMac = 1022;
inline constexpr int kCtlRowConnect = 1023;

// Commands of the tray menu.
inline constexpr int kCmdOpen = 32771;
inline constexpr int kCmdExit = 32772;

} // namespace res
