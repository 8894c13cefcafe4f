#pragma once

#include <QUrl>
#include <functional>

struct AppContext;

// Hands a URL to the desktop; false when nothing could open it.
using UrlOpener = std::function<bool(const QUrl &url)>;
UrlOpener DesktopUrlOpener();

// "View &Logs": the activity log file in the desktop's viewer, without waiting for it. When there
// is no log file yet, or nothing opens it, says so instead.
void ShowLogViewer(AppContext &context, const UrlOpener &open = DesktopUrlOpener());
