#pragma once

#include "ui/AppContext.h"
#include "ui/SystemInfo.h"

#include <QDialog>

class MainWindow;

// "About Pellora": the title, the version, and a way to the desktop's system information.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    // The finder and starter default to PATH and a detached process.
    explicit AboutDialog(AppContext &context, QWidget *parent = nullptr, ExecutableFinder find = {},
                         ProcessStarter start = {});

    void showSystemInfo();

private:
    AppContext &m_context;
    ExecutableFinder m_find;
    ProcessStarter m_start;
};

// The Help menu's "&About Pellora": modal, owned by the main window.
void ShowAbout(MainWindow &main);
