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
class TipDialog : public QDialog
{
    Q_OBJECT

public:
    // Uniform draws in [0, 1); the default is the process-wide generator, seeded by the system.
    using Random = std::function<double()>;

    explicit TipDialog(AppContext &context, QWidget *parent = nullptr, Random random = {});

    // The opening steps: false when the setting says no tips (the window must not be shown);
    // otherwise ticks the check box and loads the tips file of the program folder, or shows the
    // not-found text when there is none.
    bool openTips();
    bool openTips(const QString &tipsFile);

    // Loads one tip per line and shows a first random one; false for an empty name or no file.
    bool LoadTips(const QString &file);
    void nextTip();
    void showCurrentTip();

    const QStringList &tips() const { return m_tips; }
    qint32 currentTip() const { return m_currentTip; }

    static QString notFoundText();

private:
    void showAtStartupClicked(bool checked);

    AppContext &m_context;
    Random m_random;
    QStringList m_tips;
    qint32 m_currentTip = 1;
    QLabel *m_tipText = nullptr;
    QCheckBox *m_showAtStartup = nullptr;
    QPushButton *m_nextButton = nullptr;
    QPushButton *m_okButton = nullptr;
};

// Start-up's tip: shown modally unless switched off; any failure is ignored.
void ShowTipOfTheDay(AppContext &context, QWidget *parent);
