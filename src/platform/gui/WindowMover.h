#pragma once

// Moving a top-level window with the pointer (the caption drag). The compositor's own move on
// Wayland; elsewhere the window follows the pointer while the left button is held.
// Internal to src/platform/gui.

class QWidget;

void StartWindowMove(QWidget* window);
