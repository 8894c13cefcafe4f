#pragma once

#include "ui/AppContext.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class MainWindow;

// Sort order, the two master passwords and the logging switches.
class OptionsDialog : public QDialog
{
    Q_OBJECT

public:
    enum Outcome { Closed = 0, Saved = 1 };

    OptionsDialog(AppContext &context, MainWindow &main, QWidget *parent = nullptr);

    bool changeFlag() const { return m_changed; }
    // Change...: asks for the current masters, warns, then opens the boxes with them filled in.
    // False when the user stopped on the way.
    bool unlockMasters();
    bool mastersUnlocked() const { return m_unlocked; }
    // The Apply button: Validation, then Apply. False when nothing was saved.
    bool apply();
    // Saves the masters (re-encrypting the store when they changed), then the settings.
    bool Apply();
    // Escape and the close box are Cancel.
    void reject() override;

private:
    QWidget *buildOptionsPage();
    QWidget *buildLoggingPage();
    void loadFromSettings();
    void showTab(int index);
    void applyAndClose();
    void cancel();
    void reportMasterChange();

    AppContext &m_context;
    MainWindow &m_main;
    QTabWidget *m_tabs = nullptr;
    std::array<QRadioButton *, 4> m_order{};
    QCheckBox *m_descending = nullptr;
    QLineEdit *m_master1 = nullptr;
    QLineEdit *m_master2 = nullptr;
    QCheckBox *m_show = nullptr;
    QWidget *m_masterFields = nullptr;
    QPushButton *m_changeMasters = nullptr;
    QSpinBox *m_clearClipboard = nullptr;
    std::array<QCheckBox *, 7> m_logging{};
    bool m_changed = false;
    bool m_unlocked = false;
};
