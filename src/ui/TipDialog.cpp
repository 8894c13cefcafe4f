#include "ui/TipDialog.h"

#include "app/ProgramFolder.h"
#include "app/Settings.h"
#include "platform/Ansi.h"
#include "platform/ClassicError.h"
#include "platform/Ui.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <exception>

namespace {
// Each line without its end is one tip; CR LF, LF and a lone CR all end a line, and a last line
// without an end still counts.
QStringList TipLines(const QByteArray &bytes)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes.at(i);
        if (c != '\r' && c != '\n')
            continue;
        lines << Ansi::toText(bytes.mid(start, i - start));
        if (c == '\r' && i + 1 < bytes.size() && bytes.at(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    if (start < bytes.size())
        lines << Ansi::toText(bytes.mid(start));
    return lines;
}
} // namespace

TipDialog::TipDialog(AppContext &context, QWidget *parent, Random random)
    : QDialog(parent)
    , m_context(context)
    , m_random(random ? std::move(random)
                      : Random([] { return QRandomGenerator::global()->generateDouble(); }))
{
    setObjectName(QStringLiteral("tipDialog"));
    setWindowTitle(QStringLiteral("Tip of the Day"));

    auto *bulb = new QLabel(this);
    bulb->setObjectName(QStringLiteral("tipImage"));
    bulb->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    bulb->setAlignment(Qt::AlignTop);

    auto *didYouKnow = new QLabel(QStringLiteral("Did you know..."), this);
    didYouKnow->setObjectName(QStringLiteral("didYouKnow"));
    QFont bold = didYouKnow->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    didYouKnow->setFont(bold);

    m_tipText = new QLabel(this);
    m_tipText->setObjectName(QStringLiteral("tipText"));
    m_tipText->setTextFormat(Qt::PlainText);
    m_tipText->setWordWrap(true);
    m_tipText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_tipText->setMinimumSize(360, 110);
    m_tipText->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    auto *text = new QVBoxLayout;
    text->addWidget(didYouKnow);
    text->addWidget(m_tipText, 1);
    auto *panelLayout = new QHBoxLayout(panel);
    panelLayout->addWidget(bulb);
    panelLayout->addLayout(text, 1);

    m_showAtStartup = new QCheckBox(QStringLiteral("&Show Tips at Startup"), this);
    m_showAtStartup->setObjectName(QStringLiteral("showTipsAtStartup"));
    m_nextButton = new QPushButton(QStringLiteral("&Next Tip"), this);
    m_nextButton->setObjectName(QStringLiteral("nextTipButton"));
    m_nextButton->setAutoDefault(false);
    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_okButton->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_showAtStartup);
    buttons->addStretch(1);
    buttons->addWidget(m_nextButton);
    buttons->addWidget(m_okButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(panel, 1);
    layout->addLayout(buttons);

    connect(m_nextButton, &QPushButton::clicked, this, &TipDialog::nextTip);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    // A click, not a programmatic tick, stores the choice.
    connect(m_showAtStartup, &QCheckBox::clicked, this, &TipDialog::showAtStartupClicked);
    m_okButton->setFocus();
}

QString TipDialog::notFoundText()
{
    const QString name = QString::fromLatin1(kTipsFileName);
    return QStringLiteral("That the ") + name + QStringLiteral(" file was not found? ") +
           QStringLiteral("\r\n\r\n") + QStringLiteral("Create a text file named ") + name +
           QStringLiteral(" using NotePad with 1 tip per line. ") +
           QStringLiteral("Then place it in the same directory as the application. ");
}

bool TipDialog::openTips()
{
    return openTips(ProgramFolder() + QLatin1Char('/') + QString::fromLatin1(kTipsFileName));
}

bool TipDialog::openTips(const QString &tipsFile)
{
    if (m_context.settings.getLong(Setting::ShowTipsAtStartup) == 0)
        return false;
    m_showAtStartup->setChecked(true);
    if (!LoadTips(tipsFile))
        m_tipText->setText(notFoundText());
    return true;
}

bool TipDialog::LoadTips(const QString &file)
{
    if (file.isEmpty() || !QFileInfo(file).isFile())
        return false;
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    m_tips = TipLines(in.readAll());
    in.close();
    nextTip();
    return true;
}

void TipDialog::nextTip()
{
    const auto count = qint32(m_tips.size());
    const double r = m_random();
    // A draw of exactly 1 (or a faulty source) must not point past the last tip.
    m_currentTip = std::clamp(qint32(std::floor(r * count + 1)), qint32(1), std::max(count, 1));
    showCurrentTip();
}

void TipDialog::showCurrentTip()
{
    if (!m_tips.isEmpty())
        m_tipText->setText(m_tips.at(m_currentTip - 1));
}

void TipDialog::showAtStartupClicked(bool checked)
{
    try {
        m_context.settings.save(Setting::ShowTipsAtStartup,
                                checked ? QStringLiteral("1") : QStringLiteral("0"));
    } catch (const ClassicError &e) {
        m_context.ui.message(QStringLiteral("The tips setting could not be saved: ") +
                             e.description);
    }
}

void ShowTipOfTheDay(AppContext &context, QWidget *parent)
{
    try {
        TipDialog tip(context, parent);
        if (!tip.openTips())
            return;
        tip.exec();
    } catch (const ClassicError &) {
    } catch (const std::exception &) {
    }
}
