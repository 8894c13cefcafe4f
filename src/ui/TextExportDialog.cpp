#include "ui/TextExportDialog.h"

#include "platform/Ui.h"
#include "ui/StartFolder.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
const char *const kFieldCaptions[] = {"Login", "&Description", "&Password", "&Validation Rules"};
} // namespace

TextExportDialog::TextExportDialog(AppContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
{
    setObjectName(QStringLiteral("textExportDialog"));
    setWindowTitle(QStringLiteral("Export Options"));

    auto *intro = new QLabel(
        QStringLiteral("Select fields, the format, and the filename, then press OK"), this);
    intro->setObjectName(QStringLiteral("intro"));

    auto *fieldsLabel = new QLabel(QStringLiteral("Fields"), this);
    fieldsLabel->setObjectName(QStringLiteral("fieldsLabel"));
    auto *fields = new QVBoxLayout;
    fields->addWidget(fieldsLabel);
    for (int i = 0; i < 4; ++i) {
        m_fields[i] = new QCheckBox(QString::fromLatin1(kFieldCaptions[i]), this);
        m_fields[i]->setObjectName(QStringLiteral("field%1").arg(i));
        fields->addWidget(m_fields[i]);
    }
    // The login is always exported; its box only says so.
    m_fields[0]->setChecked(true);
    m_fields[0]->setEnabled(false);
    fields->addStretch();

    auto *formatLabel = new QLabel(QStringLiteral("Format"), this);
    formatLabel->setObjectName(QStringLiteral("formatLabel"));
    m_format[1] = new QRadioButton(QStringLiteral("&Horizontal"), this);
    m_format[1]->setObjectName(QStringLiteral("horizontal"));
    m_format[0] = new QRadioButton(QStringLiteral("Ve&rtical"), this);
    m_format[0]->setObjectName(QStringLiteral("vertical"));
    auto *formatGroup = new QButtonGroup(this);
    formatGroup->addButton(m_format[1], 1);
    formatGroup->addButton(m_format[0], 0);
    m_delimiterLabel = new QLabel(QStringLiteral("&Character Delimiter"), this);
    m_delimiterLabel->setObjectName(QStringLiteral("delimiterLabel"));
    m_delimiter = new QComboBox(this);
    m_delimiter->setObjectName(QStringLiteral("delimiter"));
    m_delimiter->setEditable(true);
    // A typed delimiter is used as it is, not added to the choices.
    m_delimiter->setInsertPolicy(QComboBox::NoInsert);
    m_delimiter->addItems({QStringLiteral("Comma"), QStringLiteral("Semicolon"),
                           QStringLiteral("Space"), QStringLiteral("TAB")});
    m_delimiter->setCurrentText(QStringLiteral("Comma"));
    // What was typed stays: "comma" must not be completed into the choice "Comma".
    m_delimiter->completer()->setCaseSensitivity(Qt::CaseSensitive);
    m_delimiterLabel->setBuddy(m_delimiter);
    m_headings = new QCheckBox(QStringLiteral("&Include Headings"), this);
    m_headings->setObjectName(QStringLiteral("headings"));
    auto *format = new QVBoxLayout;
    format->addWidget(formatLabel);
    format->addWidget(m_format[1]);
    format->addWidget(m_format[0]);
    format->addWidget(m_delimiterLabel);
    format->addWidget(m_delimiter);
    format->addWidget(m_headings);
    format->addStretch();
    connect(m_format[1], &QRadioButton::toggled, this, &TextExportDialog::showFormatControls);

    auto *pathLabel = new QLabel(QStringLiteral("&Save As:"), this);
    pathLabel->setObjectName(QStringLiteral("pathLabel"));
    m_path = new QLineEdit(this);
    m_path->setObjectName(QStringLiteral("path"));
    pathLabel->setBuddy(m_path);
    auto *browse = new QPushButton(QStringLiteral("..."), this);
    browse->setObjectName(QStringLiteral("browseButton"));
    browse->setAccessibleName(QStringLiteral("Browse"));
    browse->setAutoDefault(false);
    connect(browse, &QPushButton::clicked, this, &TextExportDialog::browse);
    auto *file = new QHBoxLayout;
    file->addWidget(pathLabel);
    file->addWidget(m_path, 1);
    file->addWidget(browse);

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progressBar"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->hide();
    m_finished = new QLabel(QStringLiteral("Export Completed"), this);
    m_finished->setObjectName(QStringLiteral("finished"));
    m_finished->hide();

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *exportButton =
        buttons->addButton(QStringLiteral("&Export"), QDialogButtonBox::AcceptRole);
    exportButton->setObjectName(QStringLiteral("exportButton"));
    exportButton->setDefault(true);
    QPushButton *done = buttons->addButton(QStringLiteral("Done"), QDialogButtonBox::RejectRole);
    done->setObjectName(QStringLiteral("doneButton"));
    connect(exportButton, &QPushButton::clicked, this, &TextExportDialog::exportText);
    connect(done, &QPushButton::clicked, this, &QDialog::reject);

    auto *choices = new QHBoxLayout;
    choices->addLayout(fields);
    choices->addLayout(format);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(choices);
    layout->addLayout(file);
    layout->addWidget(m_progress);
    layout->addWidget(m_finished);
    layout->addWidget(buttons);

    m_format[1]->setChecked(true);
    m_fields[1]->setFocus();
}

TextExportOptions TextExportDialog::options() const
{
    TextExportOptions o;
    o.description = m_fields[1]->isChecked();
    o.password = m_fields[2]->isChecked();
    o.validationRules = m_fields[3]->isChecked();
    o.vertical = m_format[0]->isChecked();
    o.headings = m_headings->isChecked();
    o.delimiterText = m_delimiter->currentText();
    return o;
}

void TextExportDialog::setProgress(int percent)
{
    m_progress->setValue(percent);
    // The export runs without returning to the event loop, so the bar paints itself.
    m_progress->repaint();
}

void TextExportDialog::showProgress(bool visible)
{
    m_progress->setVisible(visible);
}

void TextExportDialog::showFinished(bool visible)
{
    m_finished->setVisible(visible);
}

void TextExportDialog::showFormatControls(bool horizontal)
{
    m_delimiterLabel->setVisible(horizontal);
    m_delimiter->setVisible(horizontal);
    m_headings->setVisible(horizontal);
}

void TextExportDialog::browse()
{
    const QString chosen = m_context.ui.saveFileName(QStringLiteral("Export to Text File"),
                                                     QStringLiteral("Text (*.txt)|*.txt"),
                                                     m_path->text(), QStringLiteral(".txt"));
    if (!chosen.isEmpty())
        m_path->setText(chosen);
}

void TextExportDialog::exportText()
{
    const QString path = InStartFolder(m_path->text());
    // The box shows where the file goes.
    m_path->setText(path);
    const auto mode = PrepareTextExportTarget(m_context.ui, m_context.state, path);
    if (!mode)
        return;
    showFinished(false);
    repaint();
    setProgress(0);
    showProgress(true);
    ExportTextFile(m_context.ui, m_context.state, m_context.settings, *this, path, options(),
                   *mode);
    // An export refused before it began leaves no progress bar behind either.
    showProgress(false);
}
