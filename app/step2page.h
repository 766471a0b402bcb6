#pragma once

#include <QByteArray>
#include <QColor>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <optional>

class QAbstractButton;
class QComboBox;
class QLabel;
class QListWidget;
class QTabWidget;

namespace vistarel::project {
class Settings;
}

namespace vistarel::app {

class AutoEffectsPanel;
class ClickLabel;
class CoverFlowStrip;
class PreviewPlayer;
class PictureIcon;
class PreviewView;
class QuestionPanel;
class SubtitleEditor;
class TFormMain;

// The step-2 strip size rule for a window height (design pixels): below 968 the two
// strip-size icons are hidden and a large-strip layout (settings area at 478) falls back
// to the normal one (strip 200 high, settings area 200 taller at 278).
inline constexpr int kLargeStripMinWindowHeight = 968;
inline constexpr int kNormalStripBottomTop = 278;
inline constexpr int kLargeStripBottomTop = 478;

struct Step2StripDecision
{
    bool showSizeIcons = true;
    bool fallBackToNormal = false;
};
Step2StripDecision step2StripRule(int windowHeight, int bottomPanelTop);

// Step 2, RzPanelStep2: the slide settings editor. The cover-flow strip selects the
// current slide; the tabs show and edit its record (every user edit is stored at once
// and marks the project as changed; filling the controls from a record is no edit); the
// preview plays the transition into it. The page never owns records: it edits the
// window's slide list.
class Step2Page : public QWidget
{
    Q_OBJECT

public:
    explicit Step2Page(TFormMain& form);
    ~Step2Page() override;

    // ---- calls of the window -------------------------------------------------------
    // Start sequence: ImagesOption (only 1 changes anything).
    void restoreStartSettings(const project::Settings& settings);
    // The window's resize rule: called with the new window height on every resize.
    void applyWindowHeight(int windowHeight);
    // After the window was moved, resized, maximised or restored: replay the preview
    // while the page is shown.
    void refreshPreview();
    // Commits a subtitle edit the timer has not taken yet to the slide it belongs to
    // (before the language changes; leaving the page and loading another slide's
    // subtitle do it themselves).
    void commitSubtitleEdit();

    // ---- wizard ----------------------------------------------------------------------
    // The strip the wizard fills with the slides' files when step 2 is entered.
    CoverFlowStrip* strip() const { return m_strip; }
    // Hides the three overlay panels (leaving step 2).
    void closeOverlays();

    // ---- the operations of the page --------------------------------------------------
    // The selected strip item, -1 when none.
    int currentSlide() const;
    void ShowSlideSettings();
    void StoreSlideSettings();
    void ShowStep2Preview(bool stillOnly);
    void SetMediaKindControls(bool isClip);
    void InitSubtitleEditor();
    void LoadSubtitleEditor();
    void TimerStep2SubtitleTimer();
    void SyncAutoEffectNames();
    void ImageStep2ImagesLargeClick();
    void ImageStep2ImagesNormalClick();
    bool isLargeStrip() const { return m_bottomTop == kLargeStripBottomTop; }

    // ---- parts, for the window's tests and review scenes -------------------------------
    QTabWidget* tabs() const { return m_tabs; }
    QComboBox* durationList() const { return m_duration; }
    QComboBox* stretchList() const { return m_stretch; }
    QComboBox* blurList() const { return m_blur; }
    QListWidget* transitionList() const { return m_transitions; }
    QComboBox* transitionDurationList() const { return m_transitionDuration; }
    QComboBox* audioList() const { return m_audio; }
    SubtitleEditor* subtitleEditor() const { return m_editor; }
    PreviewPlayer* previewPlayer() const { return m_player; }
    PreviewView* previewView() const { return m_view; }
    QLabel* counter() const { return m_counter; }
    QuestionPanel* applyToAllPanel() const { return m_applyToAll; }
    QuestionPanel* effectsApplyToAllPanel() const { return m_effectsApplyToAll; }
    AutoEffectsPanel* autoEffectsPanel() const { return m_autoEffects; }
    PictureIcon* normalIcon() const { return m_normalIcon; }
    PictureIcon* largeIcon() const { return m_largeIcon; }
    QWidget* settingsArea() const { return m_bottom; }

    static constexpr int kDisplayTab = 0;
    static constexpr int kEffectsTab = 1;
    static constexpr int kSubtitleTab = 2;
    static constexpr int kAudioTab = 3;

signals:
    // A subtitle edit over the limits was refused (the window beeps).
    void subtitleRefused();
    // "Zurück" and "Weiter" (RzBmpButtonStep2Back, RzBmpButtonStep2Next) were clicked.
    void backRequested();
    void nextRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    // building (step2page.cpp)
    void buildTop();
    void buildTabs();
    QWidget* buildDisplayTab();
    QWidget* buildEffectsTab();
    QWidget* buildAudioTab();
    void buildPreview();
    void buildPanels();
    void connectControls();
    void layoutPage();
    void layoutSettingsArea();
    void setStripLayout(bool large);
    void showIconPictures();
    void rememberListPositions();
    void languageChanged();

    // settings and handlers (step2settings.cpp)
    void storeSlideSettings(int index);
    void writeCounter();
    void selectionChanged();
    void transitionChosen();
    void ElComboBoxStep2StretchChange();
    void ElComboBoxStep2BlurChange();
    void LabelStep2TransitionRepeatClick();
    void applyViewSettingsToAll();
    void applyEffectSettingsToAll();
    void applyAutomaticEffects();

    // subtitle (step2subtitle.cpp)
    void LoadEditorSnapshot(const QByteArray& snapshot);
    bool subtitleEditorShowing() const;
    // Takes the editor's content for slide index when it changed: refused over the
    // limits, otherwise stored (storeControls: with the controls' values, as the
    // timer does for the current slide).
    void commitSubtitle(int index, bool storeControls);

    TFormMain& m_form;

    QLabel* m_title = nullptr;
    QLabel* m_counter = nullptr;
    PictureIcon* m_normalIcon = nullptr;
    PictureIcon* m_largeIcon = nullptr;
    CoverFlowStrip* m_strip = nullptr;
    QWidget* m_bottom = nullptr; // RzPanelStep2Bottom
    QTabWidget* m_tabs = nullptr;
    QComboBox* m_duration = nullptr;
    QComboBox* m_stretch = nullptr;
    QComboBox* m_blur = nullptr;
    QListWidget* m_transitions = nullptr;
    QComboBox* m_transitionDuration = nullptr;
    QComboBox* m_audio = nullptr;
    SubtitleEditor* m_editor = nullptr;
    QWidget* m_previewArea = nullptr;
    ClickLabel* m_repeat = nullptr;
    PreviewView* m_view = nullptr;
    PreviewPlayer* m_player = nullptr;
    QAbstractButton* m_back = nullptr;
    QAbstractButton* m_next = nullptr;
    QuestionPanel* m_applyToAll = nullptr;
    QuestionPanel* m_effectsApplyToAll = nullptr;
    AutoEffectsPanel* m_autoEffects = nullptr;
    QTimer TimerStep2Subtitle;

    int m_bottomTop = kNormalStripBottomTop;
    bool InsideScroll = false;
    int m_transitionRowAtPress = -1;
    std::optional<bool> m_pendingPreview; // asked for while the page was hidden

    // the subtitle editor's state
    bool FSubBusy = false;
    QColor FSubColor;
    int FSubIdx = -1;
    QString FSubLastRtf;
    QByteArray FSubGoodState;
    QByteArray FSubEmptyState;

    // list positions kept across a language load
    struct ListPositions
    {
        int duration, stretch, blur, transition, transitionDuration, audio, autoTarget,
            autoDuration;
    };
    ListPositions m_positions{};
};

} // namespace vistarel::app
