#pragma once

// The single-instance marker: the window property the main window carries, and the name of the
// per-user channel through which a second start asks the running copy to show that window.
inline constexpr char16_t kInstanceMarker[] = u"ORVALE-QUELLMARK";
