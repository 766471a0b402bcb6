#include "app/autoeffectspanel.h"

#include "app/formtranslator.h"
#include "app/style.h"
#include "app/widgets.h"
#include "project/optionlists.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QVBoxLayout>

namespace vistarel::app {

namespace {

constexpr int kLinkGap = 20;
const QColor kInfoText(0xDD, 0xDD, 0xDD);

} // namespace

AutoEffectsPanel::AutoEffectsPanel(QWidget* parent)
    : OverlayPanel(QStringLiteral("RzPanelAutoEffects"), {460, 540}, colour::kPanel, parent)
    , m_target(new QComboBox(this))
    , m_names(new QListWidget(this))
    , m_duration(new QComboBox(this))
    , m_selectAll(makeLink(QStringLiteral("LabelAutoEffectsSelectAll"),
                           QStringLiteral("Alle aktivieren"), this))
    , m_selectNone(makeLink(QStringLiteral("LabelAutoEffectsSelectNone"),
                            QStringLiteral("Alle deaktivieren"), this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(8);
    layout->addWidget(makeLabel(QStringLiteral("LabelAutoEffectsTitle"),
                                QStringLiteral("Automatische Effekte"), 18, QFont::Normal,
                                Qt::white, this));
    layout->addWidget(makeLabel(QStringLiteral("LabelAutoEffectsQuestion"),
                                QStringLiteral("Für welche Slides sollen automatische Effekte "
                                               "erstellt werden?"),
                                13, QFont::Normal, kInfoText, this));
    auto* forRow = new QHBoxLayout;
    forRow->addWidget(makeLabel(QStringLiteral("LabelAutoEffectsFor"),
                                QStringLiteral("Effekte erstellen für:"), 13, QFont::Normal,
                                Qt::white, this));
    m_target->setObjectName(QStringLiteral("ElComboBoxAutoEffectsFor"));
    m_target->addItems({QStringLiteral("alle Slides"), QStringLiteral("Slides ohne Effekt"),
                        QStringLiteral("der aktuelle Slide")});
    m_target->setMinimumWidth(200);
    forRow->addWidget(m_target, 1);
    layout->addLayout(forRow);
    layout->addSpacing(6);
    layout->addWidget(makeLabel(QStringLiteral("LabelAutoEffectsNames"),
                                QStringLiteral("Welche Effekte sollen verwendet werden?"), 13,
                                QFont::Normal, kInfoText, this));
    m_names->setObjectName(QStringLiteral("RzCheckListAutoEffectsNames"));
    // The entries are copies of the transition list's texts.
    markProgramTexts(m_names, {QStringLiteral("Items")});
    layout->addWidget(m_names, 1);
    layout->addSpacing(22); // room for the two links
    layout->addWidget(makeLabel(QStringLiteral("LabelAutoEffectsDurationQuestion"),
                                QStringLiteral("Welche Effektdauer soll gesetzt werden?"), 13,
                                QFont::Normal, kInfoText, this));
    auto* durationRow = new QHBoxLayout;
    durationRow->addWidget(makeLabel(QStringLiteral("LabelAutoEffectsDuration"),
                                     QStringLiteral("Effektdauer in Sekunden:"), 13, QFont::Normal,
                                     Qt::white, this));
    m_duration->setObjectName(QStringLiteral("ElComboBoxAutoEffectsDuration"));
    m_duration->addItems(project::transitionDurationEntries());
    m_duration->setCurrentIndex(project::kDefaultTransitionDurationPosition);
    m_duration->setMinimumWidth(90);
    durationRow->addWidget(m_duration);
    durationRow->addStretch(1);
    layout->addLayout(durationRow);
    layout->addSpacing(6);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QAbstractButton* apply = makeButton(QStringLiteral("RzBmpButtonAutoEffectsApply"),
                                        QStringLiteral("Übernehmen"), "primary", this);
    QAbstractButton* cancel = makeButton(QStringLiteral("RzBmpButtonAutoEffectsCancel"),
                                         QStringLiteral("Abbrechen"), "secondary", this);
    for (QAbstractButton* b : {apply, cancel}) {
        b->setMinimumWidth(120);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);

    connect(m_selectAll, &ClickLabel::clicked, this, [this] { setAllTicked(true); });
    connect(m_selectNone, &ClickLabel::clicked, this, [this] { setAllTicked(false); });
    connect(apply, &QAbstractButton::clicked, this, &AutoEffectsPanel::applyClicked);
    connect(cancel, &QAbstractButton::clicked, this, &AutoEffectsPanel::cancelClicked);
}

void AutoEffectsPanel::SyncAutoEffectNames(const QListWidget& transitions)
{
    if (m_names->count() == transitions.count()) {
        for (int i = 0; i < transitions.count(); ++i)
            if (m_names->item(i)->text() != transitions.item(i)->text())
                m_names->item(i)->setText(transitions.item(i)->text());
        return;
    }
    m_names->clear();
    for (int i = 0; i < transitions.count(); ++i) {
        auto* item = new QListWidgetItem(transitions.item(i)->text(), m_names);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
}

void AutoEffectsPanel::setAllTicked(bool ticked)
{
    for (int i = 0; i < m_names->count(); ++i)
        m_names->item(i)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

int AutoEffectsPanel::CountTickedEffects() const
{
    int count = 0;
    for (int i = 0; i < m_names->count(); ++i)
        if (m_names->item(i)->checkState() == Qt::Checked)
            ++count;
    return count;
}

int AutoEffectsPanel::PickAutoEffect(std::mt19937& generator) const
{
    const int ticked = CountTickedEffects();
    if (ticked == 0)
        return -1;
    int r = std::uniform_int_distribution<int>(0, ticked - 1)(generator);
    for (int i = 0; i < m_names->count(); ++i) {
        if (m_names->item(i)->checkState() != Qt::Checked)
            continue;
        if (r == 0)
            return i;
        --r;
    }
    return -1;
}

project::AutoEffectTarget AutoEffectsPanel::target() const
{
    switch (m_target->currentIndex()) {
    case 1:
        return project::AutoEffectTarget::SlidesWithoutEffect;
    case 2:
        return project::AutoEffectTarget::CurrentSlide;
    default:
        return project::AutoEffectTarget::AllSlides;
    }
}

int AutoEffectsPanel::durationPosition() const
{
    return m_duration->currentIndex();
}

void AutoEffectsPanel::placeLinks()
{
    for (ClickLabel* link : {m_selectAll, m_selectNone})
        link->adjustSize();
    const QRect list = m_names->geometry();
    const int y = list.bottom() + 4;
    m_selectNone->move(list.right() + 1 - m_selectNone->width(), y);
    m_selectAll->move(m_selectNone->x() - kLinkGap - m_selectAll->width(), y);
}

void AutoEffectsPanel::resizeEvent(QResizeEvent* event)
{
    OverlayPanel::resizeEvent(event);
    placeLinks();
}

void AutoEffectsPanel::showEvent(QShowEvent* event)
{
    OverlayPanel::showEvent(event);
    placeLinks();
}

} // namespace vistarel::app
