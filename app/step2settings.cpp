// Step 2: showing and storing a slide's settings, the change handlers, the preview
// request, and the apply-to-all and automatic-effects panels.
#include "app/autoeffectspanel.h"
#include "app/coverflowstrip.h"
#include "app/formmain.h"
#include "app/previewplayer.h"
#include "app/previewview.h"
#include "app/questionpanel.h"
#include "app/step2art.h"
#include "app/step2page.h"
#include "app/subtitleeditor.h"
#include "app/widgets.h"
#include "app/windowhost.h"
#include "project/mediakind.h"
#include "project/optionlists.h"
#include "project/recordcreation.h"
#include "project/transitioncatalogue.h"
#include "render/picture/pictureloader.h"

#include <QComboBox>
#include <QDateTime>
#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTabWidget>

#include <random>

namespace vistarel::app {

namespace {

using project::TMyImageInfo;

using project::kNoPosition;
using project::kYesPosition;
constexpr int kAudioEntries = 3;

// A stored position the list has no entry for shows as no selection.
int positionIn(const QComboBox* list, int position)
{
    return position >= 0 && position < list->count() ? position : -1;
}

// The 241 entries of the transition list: a stored ordinal 241..250 (only from project
// files) has no entry.
bool isListedTransition(int ordinal)
{
    return ordinal >= 0 && ordinal <= project::kLastListedTransition;
}

bool isTransitionOrdinal(int ordinal)
{
    return ordinal >= 0 && ordinal < project::kTransitionCount;
}

// A list without selection (a stored value it has no entry for) gives the default.
int positionOr(int position, int fallback)
{
    return position >= 0 ? position : fallback;
}

// A list without selection keeps the stored value.
template <typename T>
bool storeField(T& field, int position, T value)
{
    if (position < 0 || field == value)
        return false;
    field = value;
    return true;
}

} // namespace

void Step2Page::connectControls()
{
    connect(m_strip, &CoverFlowStrip::currentChanged, this, &Step2Page::selectionChanged);
    connect(m_strip, &CoverFlowStrip::sliderPressed, this, [this] { InsideScroll = true; });
    connect(m_strip, &CoverFlowStrip::sliderReleased, this, [this] {
        if (!InsideScroll)
            return;
        InsideScroll = false;
        ShowStep2Preview(false);
    });
    connect(m_duration, &QComboBox::activated, this, &Step2Page::StoreSlideSettings);
    connect(m_stretch, &QComboBox::activated, this, &Step2Page::ElComboBoxStep2StretchChange);
    connect(m_blur, &QComboBox::activated, this, &Step2Page::ElComboBoxStep2BlurChange);
    connect(m_transitionDuration, &QComboBox::activated, this, &Step2Page::StoreSlideSettings);
    connect(m_audio, &QComboBox::activated, this, &Step2Page::StoreSlideSettings);
    // A user's move through the list (mouse or keys) changes the current row; a click on
    // the row that is already current changes nothing and is caught as a click.
    connect(m_transitions, &QListWidget::currentRowChanged, this, &Step2Page::transitionChosen);
    m_transitions->viewport()->installEventFilter(this);
    connect(m_transitions, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (m_transitions->row(item) == m_transitionRowAtPress)
            transitionChosen();
    });
    connect(m_repeat, &ClickLabel::clicked, this, &Step2Page::LabelStep2TransitionRepeatClick);
    connect(m_back, &QAbstractButton::clicked, this, &Step2Page::backRequested);
    connect(m_next, &QAbstractButton::clicked, this, &Step2Page::nextRequested);
    connect(m_normalIcon, &QAbstractButton::clicked, this, &Step2Page::ImageStep2ImagesNormalClick);
    connect(m_largeIcon, &QAbstractButton::clicked, this, &Step2Page::ImageStep2ImagesLargeClick);
    connect(m_player, &PreviewPlayer::preparing, m_view, [this] { m_view->setHiddenLook(true); });
    connect(m_player, &PreviewPlayer::frameReady, m_view, &PreviewView::showPicture);
    connect(m_player, &PreviewPlayer::loadFailed, this, [this](const QString& file) {
        render::showPictureLoadError(m_form.host(), file);
    });
    connect(m_applyToAll, &QuestionPanel::yes, this, &Step2Page::applyViewSettingsToAll);
    connect(m_applyToAll, &QuestionPanel::no, m_applyToAll, &QWidget::hide);
    connect(m_effectsApplyToAll, &QuestionPanel::yes, this, &Step2Page::applyEffectSettingsToAll);
    connect(m_effectsApplyToAll, &QuestionPanel::no, m_effectsApplyToAll, &QWidget::hide);
    connect(m_autoEffects, &AutoEffectsPanel::applyClicked, this, &Step2Page::applyAutomaticEffects);
    connect(m_autoEffects, &AutoEffectsPanel::cancelClicked, m_autoEffects, &QWidget::hide);
    connect(m_editor->edit(), &SubtitleTextEdit::focusLost, this,
            &Step2Page::TimerStep2SubtitleTimer);
    connect(&m_form.slides(), &QAbstractItemModel::modelReset, this, [this] { FSubIdx = -1; });
    connect(&m_form.slides(), &QAbstractItemModel::rowsRemoved, this, [this] { FSubIdx = -1; });
    connect(&m_form.slides(), &QAbstractItemModel::rowsInserted, this, [this] { FSubIdx = -1; });
    connect(&m_form.slides(), &QAbstractItemModel::layoutChanged, this, [this] { FSubIdx = -1; });
}

bool Step2Page::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_transitions->viewport() && event->type() == QEvent::MouseButtonPress)
        m_transitionRowAtPress = m_transitions->currentRow();
    return QWidget::eventFilter(watched, event);
}

int Step2Page::currentSlide() const
{
    const int c = m_strip->currentIndex();
    return c >= 0 && c < m_form.slides().count() ? c : -1;
}

// ImageEnMViewStep2ImagesImageSelect
void Step2Page::selectionChanged()
{
    ShowSlideSettings();
    if (!InsideScroll)
        ShowStep2Preview(false);
}

void Step2Page::ShowSlideSettings()
{
    // An edit the timer has not taken yet belongs to the slide the editor shows.
    commitSubtitleEdit();
    const int c = currentSlide();
    const TMyImageInfo* r = c >= 0 ? m_form.slides().settings(c) : nullptr;
    {
        const QSignalBlocker block(m_transitions);
        if (r) {
            m_duration->setCurrentIndex(positionIn(m_duration, r->Duration));
            m_audio->setCurrentIndex(r->AudioMode >= 0 && r->AudioMode < kAudioEntries ? r->AudioMode : 0);
            m_transitions->setCurrentRow(isListedTransition(r->Transition) ? r->Transition : -1);
            m_transitionDuration->setCurrentIndex(positionIn(m_transitionDuration, r->TransitionDuration));
            m_stretch->setCurrentIndex(r->Stretch ? kYesPosition : kNoPosition);
            m_blur->setCurrentIndex(r->BlurBackground ? kYesPosition : kNoPosition);
        } else {
            m_duration->setCurrentIndex(project::kDefaultDurationPosition);
            m_audio->setCurrentIndex(0);
            m_transitions->setCurrentRow(0);
            m_transitionDuration->setCurrentIndex(project::kDefaultTransitionDurationPosition);
            m_stretch->setCurrentIndex(kNoPosition);
            m_blur->setCurrentIndex(kNoPosition);
        }
    }
    m_blur->setEnabled(m_stretch->currentIndex() == kNoPosition);
    SetMediaKindControls(c >= 0 && project::IsVideoFile(m_form.slides().fileName(c)));
    LoadSubtitleEditor();
    writeCounter();
}

void Step2Page::writeCounter()
{
    const int c = currentSlide();
    if (c >= 0)
        m_counter->setText(m_form.str(12) + QString::number(c + 1) + m_form.str(13) +
                           QString::number(m_strip->count()));
}

void Step2Page::SetMediaKindControls(bool isClip)
{
    m_duration->setEnabled(!isClip);
    if (!isClip && m_tabs->currentIndex() == kAudioTab)
        m_tabs->setCurrentIndex(kDisplayTab);
    m_tabs->setTabVisible(kAudioTab, isClip);
}

void Step2Page::StoreSlideSettings()
{
    storeSlideSettings(currentSlide());
}

void Step2Page::storeSlideSettings(int index)
{
    if (index < 0 || index >= m_form.slides().count())
        return;
    TMyImageInfo& r = m_form.slides().settingsOnDemand(index);
    const int stretch = m_stretch->currentIndex();
    const int blur = m_blur->currentIndex();
    bool changed = false;
    changed |= storeField(r.Duration, m_duration->currentIndex(), m_duration->currentIndex());
    changed |= storeField(r.Transition, m_transitions->currentRow(), m_transitions->currentRow());
    changed |= storeField(r.TransitionDuration, m_transitionDuration->currentIndex(),
                          m_transitionDuration->currentIndex());
    changed |= storeField(r.Stretch, stretch, stretch == kYesPosition);
    changed |= storeField(r.BlurBackground, blur, blur == kYesPosition);
    changed |= storeField(r.AudioMode, m_audio->currentIndex(), m_audio->currentIndex());
    if (m_audio->currentIndex() < 0)
        r.AudioMode = 0;
    if (changed)
        m_form.markProjectChanged();
}

// RzListBoxStep2TransitionClick
void Step2Page::transitionChosen()
{
    StoreSlideSettings();
    ShowStep2Preview(false);
}

void Step2Page::ElComboBoxStep2StretchChange()
{
    m_blur->setEnabled(m_stretch->currentIndex() == kNoPosition);
    StoreSlideSettings();
    ShowStep2Preview(true);
}

void Step2Page::ElComboBoxStep2BlurChange()
{
    StoreSlideSettings();
    ShowStep2Preview(true);
}

void Step2Page::LabelStep2TransitionRepeatClick()
{
    StoreSlideSettings();
    ShowStep2Preview(false);
}

void Step2Page::ShowStep2Preview(bool stillOnly)
{
    if (!isVisible()) {
        // Made when the page is shown, at the view's real size.
        m_pendingPreview = m_pendingPreview.value_or(true) && stillOnly;
        return;
    }
    const int c = currentSlide();
    const TMyImageInfo* r = c >= 0 ? m_form.slides().settings(c) : nullptr;
    int effect = m_transitions->currentRow();
    if (effect < 0 && r && isTransitionOrdinal(r->Transition)) {
        effect = r->Transition; // an effect the list does not offer plays as stored
    } else if (effect < 0) {
        const QSignalBlocker block(m_transitions);
        m_transitions->setCurrentRow(0);
        effect = 0;
    }
    if (c < 0) {
        m_player->stop();
        m_view->clear();
        return;
    }
    const auto slideOf = [this](int i) {
        const TMyImageInfo* s = m_form.slides().settings(i);
        const bool stretch = s && s->Stretch;
        return PreviewSlide{m_form.slides().fileName(i), stretch, s && s->BlurBackground && !stretch};
    };
    PreviewRequest request;
    request.size = m_view->pixelSize();
    request.current = slideOf(c);
    if (c > 0)
        request.previous = slideOf(c - 1);
    request.effect = effect;
    const int p = m_transitionDuration->currentIndex();
    request.durationMs = p >= 0 && p <= 9 ? int(project::transitionMsOfPosition(p)) : 1000;
    request.stillOnly = stillOnly;
    if (r && !r->Subtitle.isEmpty())
        request.subtitle = {r->Subtitle, r->Font, r->FontColor, r->FontSize};
    m_player->play(request);
}

// ---- apply to all and automatic effects -------------------------------------------

void Step2Page::applyViewSettingsToAll()
{
    project::applyViewSettingsToAll(m_form.slides(),
                                    positionOr(m_duration->currentIndex(),
                                               project::kDefaultDurationPosition),
                                    m_stretch->currentIndex() == kYesPosition,
                                    m_blur->currentIndex() == kYesPosition);
    m_form.markProjectChanged();
    m_applyToAll->hide();
}

void Step2Page::applyEffectSettingsToAll()
{
    const int c = currentSlide();
    const TMyImageInfo* r = c >= 0 ? m_form.slides().settings(c) : nullptr;
    project::applyEffectSettingsToAll(
        m_form.slides(), positionOr(m_transitions->currentRow(), r ? r->Transition : 0),
        positionOr(m_transitionDuration->currentIndex(), project::kDefaultTransitionDurationPosition));
    m_form.markProjectChanged();
    m_effectsApplyToAll->hide();
}

void Step2Page::applyAutomaticEffects()
{
    if (m_autoEffects->CountTickedEffects() == 0) {
        m_form.messageBox(m_form.str(74), MessageKind::Warning);
        return;
    }
    std::mt19937 generator(std::uint32_t(QDateTime::currentMSecsSinceEpoch()));
    project::applyAutomaticEffects(m_form.slides(), m_autoEffects->target(), currentSlide(),
                                   m_autoEffects->durationPosition(),
                                   [&] { return m_autoEffects->PickAutoEffect(generator); });
    ShowSlideSettings();
    if (!InsideScroll)
        ShowStep2Preview(false);
    m_form.markProjectChanged();
    m_autoEffects->hide();
}

} // namespace vistarel::app
