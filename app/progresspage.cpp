#include "app/progresspage.h"

#include "app/formmain.h"
#include "app/formtranslator.h"
#include "app/progressring.h"
#include "app/style.h"
#include "app/widgets.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace vistarel::app {

ProgressPage::ProgressPage(TFormMain& form)
    : QWidget(&form)
    , m_form(form)
    , m_ring(new ProgressRing(this))
    , m_state(makeLabel(QStringLiteral("LabelProgressState"), QString(), 15, QFont::Normal,
                        colour::kAccent, this))
    , m_button(makeButton(QStringLiteral("RzBmpButtonProgressCancel"), QStringLiteral("Abbrechen"),
                          "secondary", this))
{
    setObjectName(QStringLiteral("RzPanelProgress"));
    markProgramTexts(m_state, {QStringLiteral("Caption")}); // Str57..Str60
    m_state->setAlignment(Qt::AlignCenter);
    m_button->setFixedSize(120, 41);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 12, 24, 10);
    layout->setSpacing(16);
    layout->addWidget(makeLabel(QStringLiteral("LabelProgressTitle"),
                                QStringLiteral("Slideshow wird erstellt..."), 20, QFont::Light,
                                Qt::white, this));
    layout->addWidget(m_ring, 1);
    layout->addWidget(m_state);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_button);
    bottom->addStretch(1);
    layout->addLayout(bottom);

    connect(m_button, &QAbstractButton::clicked, this, &ProgressPage::buttonClicked);
    connect(&form, &TFormMain::languageChanged, this, &ProgressPage::showTexts);
}

void ProgressPage::setProgress(int percent)
{
    m_ring->setValue(percent);
}

void ProgressPage::setStateMessage(int id)
{
    m_stateId = id;
    showTexts();
}

void ProgressPage::setButtonMessage(int id)
{
    m_buttonId = id;
    showTexts();
}

QString ProgressPage::stateText() const
{
    return m_state->text();
}

QString ProgressPage::buttonText() const
{
    return m_button->text();
}

void ProgressPage::showTexts()
{
    m_state->setText(m_stateId > 0 ? m_form.str(m_stateId) : QString());
    m_button->setText(m_form.str(m_buttonId));
}

} // namespace vistarel::app
