#pragma once

#include "transfer/TextExport.h"
#include "ui/AppContext.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QRadioButton;

// Writes the entries as a text file: the fields, the format and the file are chosen here. Stays
// open after an export until Done.
class TextExportDialog : public QDialog, private TextExportView
{
    Q_OBJECT

public:
    explicit TextExportDialog(AppContext &context, QWidget *parent = nullptr);

    // The choices as the export reads them.
    TextExportOptions options() const;

private:
    void setProgress(int percent) override;
    void showProgress(bool visible) override;
    void showFinished(bool visible) override;

    void showFormatControls(bool horizontal);
    void browse();
    void exportText();

    AppContext &m_context;
    std::array<QCheckBox *, 4> m_fields{};
    // Index 1 is Horizontal, 0 Vertical.
    std::array<QRadioButton *, 2> m_format{};
    QLabel *m_delimiterLabel = nullptr;
    QComboBox *m_delimiter = nullptr;
    QCheckBox *m_headings = nullptr;
    QLineEdit *m_path = nullptr;
    QProgressBar *m_progress = nullptr;
    QLabel *m_finished = nullptr;
};
