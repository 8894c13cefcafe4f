#pragma once

class QIcon;

// The id the desktop knows the program by: its desktop entry, AppStream component and theme
// icon all carry this name.
inline constexpr char kDesktopFileId[] = "com.brantwick.pellora";

// The installed theme icon, or the copy built into the program when the theme has none.
QIcon ApplicationIcon();

// Application and organisation names, desktop entry and window icon, set once before any window.
void SetApplicationIdentity();
