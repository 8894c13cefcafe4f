#pragma once

#include "entries/LoginEditorInput.h"
#include "entries/LoginValidation.h"

#include <QDialog>
#include <array>

class frmMain;
class QCheckBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTabBar;

// The entry editor: one entry's texts, expiry and password rules on three tabs. It adds a new
// entry or updates the main window's current one, as the run's EditMode says.
class frmLogins : public QDialog
{
    Q_OBJECT
    Q_PROPERTY(int helpTopic READ helpTopic NOTIFY helpTopicChanged)

public:
    // Help topics of the three tabs, in tab order.
    static constexpr std::array<int, 3> kHelpTopics{1001, 1008, 1009};

    // Modal over the main window, whose list it brings up to date after a save.
    explicit frmLogins(frmMain &main);

    // Fills the controls for the run's EditMode: a new entry's defaults in "ADD" mode.
    void Form_Load();
    // Shows a stored entry for "UPDATE" mode.
    void showEntry(qint16 loginId, const LoginEditorInput &input);

    // What the controls hold now.
    LoginEditorInput input() const;
    // The help topic of the selected tab.
    int helpTopic() const;

    void cmdOK_Click();
    void cmdCancel_Click();
    void Command1_Click();
    void Check1_Click();

Q_SIGNALS:
    void helpTopicChanged(int topic);

private:
    void buildPasswordPanel(QWidget *panel);
    void buildExpiryPanel(QWidget *panel);
    void buildValidationPanel(QWidget *panel);
    QLayout *buildButtons();
    void connectEvents();

    void setInput(const LoginEditorInput &input);
    void applyTypingRule(QLineEdit *box, EditorField field);
    void txtExpireDays_Change();
    void tbsPassword_Click(int index);
    void showControl(EditorControl control);
    bool store(const LoginEditorInput &validated);

    frmMain &m_main;
    QTabBar *m_tabs = nullptr;
    QStackedWidget *m_panels = nullptr;
    QLineEdit *m_txtLoginDesc = nullptr;
    QLineEdit *m_txtLogin = nullptr;
    QLineEdit *m_txtPassword = nullptr;
    QCheckBox *m_Check1 = nullptr;
    QPushButton *m_Command1 = nullptr;
    QLineEdit *m_txtLoginID = nullptr;
    QLineEdit *m_txtExpireDays = nullptr;
    QLineEdit *m_txtExpireStart = nullptr;
    QLabel *m_lblChangeBefore = nullptr;
    std::array<QCheckBox *, 4> m_chkValidation{};
    std::array<QLineEdit *, 2> m_txtValLength{};
    QPushButton *m_cmdOK = nullptr;
    QPushButton *m_cmdCancel = nullptr;
};
