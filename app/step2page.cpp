// Step 2: the page's controls, its layout and strip sizes, and the language reload.
#include "app/step2page.h"

#include "app/autoeffectspanel.h"
#include "app/coverflowstrip.h"
#include "app/formmain.h"
#include "app/formtranslator.h"
#include "app/previewplayer.h"
#include "app/previewview.h"
#include "app/questionpanel.h"
#include "app/step2art.h"
#include "app/style.h"
#include "app/subtitleeditor.h"
#include "app/widgets.h"
#include "project/optionlists.h"
#include "project/settings.h"
#include "project/transitioncatalogue.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHideEvent>
#include <QLabel>
#include <QListWidget>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vistarel::app {

namespace {

constexpr int kMargin = 24;
constexpr int kStripTop = 52;
constexpr int kNormalStripHeight = 200;
constexpr int kLargeStripHeight = 400;
constexpr int kBottomReserve = 68; // under the settings area: "Zurück" and "Weiter"
constexpr int kButtonWidth = 168;
constexpr int kButtonHeight = 41;
constexpr int kTransitionListWidth = 258;
constexpr int kTransitionRowHeight = 17;

QComboBox* makeList(const char* name, const QStringList& entries, QWidget* parent)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->addItems(entries);
    list->setMinimumWidth(110);
    return list;
}

QLabel* makeFieldLabel(const char* name, const QString& text, QWidget* parent)
{
    return makeLabel(QString::fromLatin1(name), text, 13, QFont::Normal, Qt::white, parent);
}

} // namespace

Step2StripDecision step2StripRule(int windowHeight, int bottomPanelTop)
{
    if (windowHeight >= kLargeStripMinWindowHeight)
        return {true, false};
    return {false, bottomPanelTop == kLargeStripBottomTop};
}

Step2Page::Step2Page(TFormMain& form)
    : QWidget(&form)
    , m_form(form)
{
    setObjectName(QStringLiteral("RzPanelStep2"));
    buildTop();
    buildTabs();
    buildPreview();
    buildPanels();
    connectControls();
    TimerStep2Subtitle.setObjectName(QStringLiteral("TimerStep2Subtitle"));
    TimerStep2Subtitle.setInterval(200);
    connect(&TimerStep2Subtitle, &QTimer::timeout, this, &Step2Page::TimerStep2SubtitleTimer);
    TimerStep2Subtitle.start();
    InitSubtitleEditor();
    SyncAutoEffectNames();
    showIconPictures();
    connect(&m_form, &TFormMain::languageAboutToChange, this, &Step2Page::rememberListPositions);
    connect(&m_form, &TFormMain::languageChanged, this, &Step2Page::languageChanged);
}

Step2Page::~Step2Page() = default;

void Step2Page::buildTop()
{
    m_title = makeLabel(QStringLiteral("LabelStep2Title"), QStringLiteral("Aktueller Slide"), 20,
                        QFont::Light, Qt::white, this);
    m_counter = makeLabel(QStringLiteral("LabelStep2Number"), QStringLiteral("Slide 1 von 100"), 14,
                          QFont::Normal, colour::kDimText, this);
    m_counter->setAlignment(Qt::AlignCenter);
    m_normalIcon = new PictureIcon(QStringLiteral("ImageStep2ImagesNormal"), Glyph::StripNormal,
                                   QStringLiteral("Normale Ansicht"), this);
    m_largeIcon = new PictureIcon(QStringLiteral("ImageStep2ImagesLarge"), Glyph::StripLarge,
                                  QStringLiteral("Vergrößerte Ansicht"), this);
    m_strip = new CoverFlowStrip(this);
    m_bottom = new QWidget(this);
    m_bottom->setObjectName(QStringLiteral("RzPanelStep2Bottom"));
    m_back = makeButton(QStringLiteral("RzBmpButtonStep2Back"), QStringLiteral("Zurück"),
                        "secondary", this);
    m_next = makeButton(QStringLiteral("RzBmpButtonStep2Next"), QStringLiteral("Weiter"),
                        "primary", this);
}

void Step2Page::buildTabs()
{
    m_tabs = new QTabWidget(m_bottom);
    m_tabs->setObjectName(QStringLiteral("RzPageControlStep2Settings"));
    m_tabs->addTab(buildDisplayTab(), QStringLiteral("Anzeige"));
    m_tabs->addTab(buildEffectsTab(), QStringLiteral("Effekte"));
    m_editor = new SubtitleEditor(m_tabs);
    auto* subtitlePage = new QWidget(m_tabs);
    auto* subtitleLayout = new QVBoxLayout(subtitlePage);
    subtitleLayout->setContentsMargins(10, 10, 10, 10);
    subtitleLayout->addWidget(m_editor);
    m_tabs->addTab(subtitlePage, QStringLiteral("Untertitel"));
    m_tabs->addTab(buildAudioTab(), QStringLiteral("Audio"));
    m_tabs->setCurrentIndex(kDisplayTab);
}

QWidget* Step2Page::buildDisplayTab()
{
    auto* page = new QWidget(m_tabs);
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(10);
    m_duration = makeList("ElComboBoxStep2ImageDuration", project::displayDurationEntries(), page);
    m_stretch = makeList("ElComboBoxStep2Stretch", project::yesNoEntries(), page);
    m_blur = makeList("ElComboBoxStep2Blur", project::yesNoEntries(), page);
    grid->addWidget(makeFieldLabel("LabelStep2ImageDuration",
                                   QStringLiteral("Anzeigedauer in Sekunden:"), page), 0, 0);
    grid->addWidget(m_duration, 0, 1);
    grid->addWidget(makeFieldLabel("LabelStep2Stretch", QStringLiteral("Formatfüllend anzeigen:"),
                                   page), 1, 0);
    grid->addWidget(m_stretch, 1, 1);
    grid->addWidget(makeFieldLabel("LabelStep2Blur", QStringLiteral("Unscharfer Hintergrund:"),
                                   page), 2, 0);
    grid->addWidget(m_blur, 2, 1);
    ClickLabel* apply = makeLink(QStringLiteral("LabelStep2ApplyToAll"),
                                 QStringLiteral("Für alle Slides übernehmen"),
                                 page);
    grid->addWidget(apply, 3, 1, Qt::AlignLeft | Qt::AlignTop);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(4, 1);
    connect(apply, &ClickLabel::clicked, this, [this] { m_applyToAll->showInFront(); });
    return page;
}

QWidget* Step2Page::buildEffectsTab()
{
    auto* page = new QWidget(m_tabs);
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(10, 10, 16, 10);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(10);
    m_transitions = new QListWidget(page);
    m_transitions->setObjectName(QStringLiteral("RzListBoxStep2Transition"));
    m_transitions->setFixedWidth(kTransitionListWidth);
    m_transitions->setUniformItemSizes(true);
    m_transitions->setStyleSheet(
        QStringLiteral("QListWidget::item { height: %1px; padding: 0px 4px; }").arg(kTransitionRowHeight));
    m_transitions->addItem(QStringLiteral("kein Effekt"));
    for (int ordinal = 1; ordinal <= project::kLastListedTransition; ++ordinal)
        m_transitions->addItem(project::transitionListName(ordinal));
    // Only entry 0 is translated; the effect names are the catalogue's.
    markProgramTexts(m_transitions, {QStringLiteral("Items")});
    m_transitions->setCurrentRow(0);
    m_transitionDuration =
        makeList("ElComboBoxStep2TransitionDuration", project::transitionDurationEntries(), page);
    m_transitionDuration->setCurrentIndex(project::kDefaultTransitionDurationPosition);
    ClickLabel* apply = makeLink(QStringLiteral("LabelStep2EffectsApplyToAll"),
                                 QStringLiteral("Für alle Slides übernehmen"), page);
    QAbstractButton* automatic = makeButton(QStringLiteral("FlatButtonStep2AutoEffects"),
                                            QStringLiteral("Automatische Effekte"), "secondary", page);
    // The label stands above its list: beside it, the longer translations would run
    // into the transition list in the narrow room right of it.
    grid->addWidget(m_transitions, 0, 0, 5, 1);
    grid->addWidget(makeFieldLabel("LabelStep2TransitionDuration",
                                   QStringLiteral("Effektdauer in Sekunden:"), page), 0, 1,
                    Qt::AlignLeft | Qt::AlignBottom);
    grid->addWidget(m_transitionDuration, 1, 1, Qt::AlignLeft);
    grid->addWidget(apply, 2, 1, Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(automatic, 4, 1, Qt::AlignRight | Qt::AlignBottom);
    grid->setRowStretch(3, 1);
    grid->setColumnStretch(1, 1);
    connect(apply, &ClickLabel::clicked, this, [this] { m_effectsApplyToAll->showInFront(); });
    connect(automatic, &QAbstractButton::clicked, this, [this] { m_autoEffects->showInFront(); });
    return page;
}

QWidget* Step2Page::buildAudioTab()
{
    auto* page = new QWidget(m_tabs);
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(16);
    m_audio = makeList("ElComboBoxStep2VideoAudio",
                       {QStringLiteral("Originalton"), QStringLiteral("Hintergrundmusik"),
                        QStringLiteral("Originalton + Hintergrundmusik")},
                       page);
    grid->addWidget(makeFieldLabel("LabelStep2VideoAudio",
                                   QStringLiteral("Tonspur des Video-Clips:"), page), 0, 0);
    grid->addWidget(m_audio, 0, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(1, 1);
    return page;
}

void Step2Page::buildPreview()
{
    m_previewArea = new QWidget(m_bottom);
    QLabel* caption = makeLabel(QStringLiteral("LabelStep2Preview"), QStringLiteral("Effektvorschau"),
                                15, QFont::Normal, Qt::white, m_previewArea);
    m_repeat =
        makeLink(QStringLiteral("LabelStep2TransitionRepeat"), QStringLiteral("⟳"), m_previewArea);
    QFont f = m_repeat->font();
    f.setUnderline(false);
    f.setPixelSize(18);
    m_repeat->setFont(f);
    m_repeat->setToolTip(QStringLiteral("Wiederholen"));
    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(caption);
    row->addWidget(m_repeat);
    row->addStretch(1);
    m_view = new PreviewView(m_previewArea);
    auto* column = new QVBoxLayout(m_previewArea);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    column->addLayout(row);
    column->addWidget(m_view, 1);
    m_player = new PreviewPlayer(m_form.appDataDir(), this);
}

void Step2Page::buildPanels()
{
    m_applyToAll = new QuestionPanel(
        QStringLiteral("RzPanelApplyToAll"), QStringLiteral("ApplyToAll"), QStringLiteral("Anzeige"),
        QStringLiteral("Sind Sie sicher, dass die vorgenommenen Einstellungen für die Anzeige für "
                       "alle Slides übernommen werden sollen?"),
        this);
    m_effectsApplyToAll = new QuestionPanel(
        QStringLiteral("RzPanelEffectsApplyToAll"), QStringLiteral("EffectsApplyToAll"),
        QStringLiteral("Überblendungseffekt"),
        QStringLiteral("Sind Sie sicher, dass der definierte Überblendungseffekt für alle Slides "
                       "übernommen werden soll?"),
        this);
    m_autoEffects = new AutoEffectsPanel(this);
}

void Step2Page::closeOverlays()
{
    m_applyToAll->hide();
    m_effectsApplyToAll->hide();
    m_autoEffects->hide();
}

// ---- layout ---------------------------------------------------------------------------

void Step2Page::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutPage();
}

void Step2Page::layoutPage()
{
    const int w = width();
    const int h = height();
    m_title->adjustSize();
    m_title->move(kMargin, 12);
    m_counter->setGeometry(w / 2 - 150, 18, 300, 24);
    m_largeIcon->move(w - kMargin - m_largeIcon->width(), 18);
    m_normalIcon->move(m_largeIcon->x() - 8 - m_normalIcon->width(), 18);
    const int stripHeight = isLargeStrip() ? kLargeStripHeight : kNormalStripHeight;
    m_strip->setGeometry(kMargin, kStripTop, w - 2 * kMargin, stripHeight);
    m_bottom->setGeometry(kMargin, m_bottomTop, w - 2 * kMargin,
                          std::max(120, h - m_bottomTop - kBottomReserve));
    layoutSettingsArea();
    m_back->setGeometry(kMargin, h - kButtonHeight - 14, kButtonWidth, kButtonHeight);
    m_next->setGeometry(w - kMargin - kButtonWidth, h - kButtonHeight - 14, kButtonWidth,
                        kButtonHeight);
    for (QWidget* panel : {static_cast<QWidget*>(m_applyToAll),
                           static_cast<QWidget*>(m_effectsApplyToAll),
                           static_cast<QWidget*>(m_autoEffects)})
        panel->raise();
}

// The tabs on the left at most 620 wide, the preview beside them.
void Step2Page::layoutSettingsArea()
{
    const int w = m_bottom->width();
    const int h = m_bottom->height();
    const int tabsWidth = std::clamp(w * 56 / 100, 500, 620);
    m_tabs->setGeometry(0, 0, tabsWidth, h);
    const int x = tabsWidth + kMargin;
    m_previewArea->setGeometry(x, 0, std::max(80, w - x), h);
}

void Step2Page::setStripLayout(bool large)
{
    m_bottomTop = large ? kLargeStripBottomTop : kNormalStripBottomTop;
    layoutPage();
    showIconPictures();
}

void Step2Page::showIconPictures()
{
    m_largeIcon->setCurrent(isLargeStrip());
    m_normalIcon->setCurrent(!isLargeStrip());
}

void Step2Page::ImageStep2ImagesLargeClick()
{
    if (m_form.height() < kLargeStripMinWindowHeight)
        return;
    m_form.settings().setInteger(project::settingname::ImagesOption, 1);
    setStripLayout(true);
    if (isVisible())
        ShowStep2Preview(false);
}

void Step2Page::ImageStep2ImagesNormalClick()
{
    m_form.settings().setInteger(project::settingname::ImagesOption, 0);
    setStripLayout(false);
    if (isVisible())
        ShowStep2Preview(false);
}

void Step2Page::restoreStartSettings(const project::Settings& settings)
{
    if (settings.imagesOption() == 1)
        ImageStep2ImagesLargeClick();
}

void Step2Page::applyWindowHeight(int windowHeight)
{
    const Step2StripDecision d = step2StripRule(windowHeight, m_bottomTop);
    m_normalIcon->setVisible(d.showSizeIcons);
    m_largeIcon->setVisible(d.showSizeIcons);
    if (d.fallBackToNormal)
        setStripLayout(false); // ImagesOption keeps the user's choice
}

void Step2Page::refreshPreview()
{
    if (isVisible())
        ShowStep2Preview(false);
}

void Step2Page::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    layoutPage();
    if (m_pendingPreview) {
        const bool stillOnly = *m_pendingPreview;
        m_pendingPreview.reset();
        ShowStep2Preview(stillOnly);
    }
}

void Step2Page::hideEvent(QHideEvent* event)
{
    // Leaving the page keeps what was typed last and closes the panels; a minimised
    // window (a spontaneous hide) keeps them.
    commitSubtitleEdit();
    m_player->stop();
    if (!event->spontaneous())
        closeOverlays();
    QWidget::hideEvent(event);
}

// ---- language -------------------------------------------------------------------------

void Step2Page::rememberListPositions()
{
    m_positions = {m_duration->currentIndex(),           m_stretch->currentIndex(),
                   m_blur->currentIndex(),               m_transitions->currentRow(),
                   m_transitionDuration->currentIndex(), m_audio->currentIndex(),
                   m_autoEffects->targetList()->currentIndex(),
                   m_autoEffects->durationList()->currentIndex()};
}

void Step2Page::languageChanged()
{
    const ListPositions& p = m_positions;
    m_duration->setCurrentIndex(p.duration);
    m_stretch->setCurrentIndex(p.stretch);
    if (p.blur >= 0)
        m_blur->setCurrentIndex(p.blur);
    {
        const QSignalBlocker block(m_transitions);
        m_transitions->setCurrentRow(p.transition);
    }
    m_transitionDuration->setCurrentIndex(p.transitionDuration);
    if (p.audio >= 0)
        m_audio->setCurrentIndex(p.audio);
    m_autoEffects->targetList()->setCurrentIndex(p.autoTarget);
    m_autoEffects->durationList()->setCurrentIndex(p.autoDuration);
    m_autoEffects->placeLinks();
    SyncAutoEffectNames();
    writeCounter();
    LoadSubtitleEditor();
    layoutPage();
}

void Step2Page::SyncAutoEffectNames()
{
    m_autoEffects->SyncAutoEffectNames(*m_transitions);
}

} // namespace vistarel::app
