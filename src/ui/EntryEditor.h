#pragma once

#include "entries/LoginEditorInput.h"
#include "entries/LoginValidation.h"

#include <QDialog>
#include <array>

class MainWindow;
class QCheckBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTabBar;

// The entry editor: one entry's texts, expiry and password rules on three tabs. It adds a new
// entry or updates the main window's current one, as the run's EditMode says.
class EntryEditor : public QDialog
{
    Q_OBJECT
    Q_PROPERTY(int helpTopic READ helpTopic NOTIFY helpTopicChanged)

public:
    // Help topics of the three tabs, in tab order.
    static constexpr std::array<int, 3> kHelpTopics{1001, 1008, 1009};

    // Modal over the main window, whose list it brings up to date after a save.
    explicit EntryEditor(MainWindow &main);

    // Fills the controls for the run's EditMode: a new entry's defaults in "ADD" mode.
    void prepare();
    // Shows a stored entry for "UPDATE" mode.
    void showEntry(qint16 loginId, const LoginEditorInput &input);

    // What the controls hold now.
    LoginEditorInput input() const;
    // The help topic of the selected tab.
    int helpTopic() const;

    void saveEntry();
    void cancelEdit();
    void generatePassword();
    void showPasswordToggled();

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
    void expireDaysChanged();
    void showPanel(int index);
    void showControl(EditorControl control);
    bool store(const LoginEditorInput &validated);

    MainWindow &m_main;
    QTabBar *m_tabs = nullptr;
    QStackedWidget *m_panels = nullptr;
    QLineEdit *m_description = nullptr;
    QLineEdit *m_login = nullptr;
    QLineEdit *m_password = nullptr;
    QCheckBox *m_showPassword = nullptr;
    QPushButton *m_createButton = nullptr;
    QLineEdit *m_loginId = nullptr;
    QLineEdit *m_expireDays = nullptr;
    QLineEdit *m_expireStart = nullptr;
    QLabel *m_changeBefore = nullptr;
    std::array<QCheckBox *, 4> m_rules{};
    std::array<QLineEdit *, 2> m_lengthLimits{};
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
};
