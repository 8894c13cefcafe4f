#pragma once

#include "ui/AppContext.h"

#include <QDialog>
#include <QStringList>
#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;

inline constexpr char kTipsFileName[] = "PelloraTips.txt";

// The "Tip of the Day" window: one tip at a time, drawn at random from the tips file.
class frmTip : public QDialog
{
    Q_OBJECT

public:
    // Uniform draws in [0, 1); the default is the process-wide generator, seeded by the system.
    using Random = std::function<double()>;

    explicit frmTip(AppContext &context, QWidget *parent = nullptr, Random random = {});

    // The opening steps: false when the setting says no tips (the window must not be shown);
    // otherwise ticks the check box and loads the tips file of the program folder, or shows the
    // not-found text when there is none.
    bool openTips();
    bool openTips(const QString &tipsFile);

    // Loads one tip per line and shows a first random one; false for an empty name or no file.
    bool LoadTips(const QString &file);
    void DoNextTip();
    void DisplayCurrentTip();

    const QStringList &tips() const { return m_tips; }
    qint32 currentTip() const { return m_currentTip; }

    static QString notFoundText();

private:
    void chkLoadTipsAtStartup_Click(bool checked);

    AppContext &m_context;
    Random m_random;
    QStringList m_tips;
    qint32 m_currentTip = 1;
    QLabel *m_lblTipText = nullptr;
    QCheckBox *m_chkLoadTipsAtStartup = nullptr;
    QPushButton *m_cmdNextTip = nullptr;
    QPushButton *m_cmdOK = nullptr;
};

// Start-up's tip: shown modally unless switched off; any failure is ignored.
void ShowTipOfTheDay(AppContext &context, QWidget *parent);
