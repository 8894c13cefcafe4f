#pragma once

#include <functional>

class QWidget;

// Ctrl+Tab steps a window's tabs forward (step +1) and Ctrl+Shift+Tab back (step -1), whichever
// form the display server gives the backward key in.
void AddTabShortcuts(QWidget *window, const std::function<void(int step)> &step);
