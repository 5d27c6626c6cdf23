#pragma once

// The platform class the owner-drawn menu picks its drawing style by: bit value 2 for the kernel
// family of current desktops, bit value 1 for major version 4 or later. Every current system
// gives 3, and this desktop has no older family to tell apart, so the value is fixed.
inline constexpr int OsVersionClass = 3;

// The newer shell look (face colour from the 3-D face role, the menu font selected when
// measuring, sunken check cells): version class 1 or 3.
inline constexpr bool NewShellLook = OsVersionClass == 1 || OsVersionClass == 3;
