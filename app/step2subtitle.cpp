// Step 2: the subtitle editor's state. The editor shows the current slide's subtitle;
// the 200 ms timer (and the editor losing the focus) commits an edit to the record.
#include "app/formmain.h"
#include "app/step2page.h"
#include "app/subtitleeditor.h"
#include "subtitle/rtfdoc.h"
#include "subtitle/subtitleforms.h"

#include <QApplication>
#include <QTabWidget>
#include <QTextCursor>

namespace vistarel::app {

namespace {

constexpr int kMaxLines = 5;
constexpr int kMaxCharacters = 200;

// The editor sizes of the plain subtitles of older projects, in points.
double plainSubtitlePoints(std::int32_t sizeClass)
{
    switch (sizeClass) {
    case 0:
        return 34;
    case 2:
        return 24;
    default:
        return 28;
    }
}

} // namespace

void Step2Page::InitSubtitleEditor()
{
    FSubColor = m_editor->backgroundColour();
    FSubEmptyState = m_editor->saveSnapshot();
    FSubGoodState = FSubEmptyState;
    FSubLastRtf = m_editor->rtf();
    FSubIdx = -1;
    FSubBusy = false;
    m_tabs->setTabVisible(kAudioTab, false);
}

void Step2Page::LoadEditorSnapshot(const QByteArray& snapshot)
{
    m_editor->loadSnapshot(snapshot);
    if (m_editor->backgroundColour() != FSubColor) {
        QPalette pal = m_editor->edit()->palette();
        pal.setColor(QPalette::Base, FSubColor);
        m_editor->edit()->setPalette(pal);
    }
}

void Step2Page::LoadSubtitleEditor()
{
    commitSubtitleEdit();
    const int c = currentSlide();
    const project::TMyImageInfo* r = c >= 0 ? m_form.slides().settings(c) : nullptr;
    FSubBusy = true;
    FSubIdx = c;
    if (r && !r->SubtitleEdit.isEmpty()) {
        LoadEditorSnapshot(subtitle::HexToBytes(r->SubtitleEdit));
    } else {
        LoadEditorSnapshot(FSubEmptyState);
        if (r && !subtitle::trimControls(r->Subtitle).isEmpty() && !subtitle::IsRtfText(r->Subtitle)) {
            m_editor->insertPlainSubtitle(r->Subtitle, r->Font, plainSubtitlePoints(r->FontSize),
                                          r->FontColor);
            LoadEditorSnapshot(m_editor->saveSnapshot());
        }
    }
    FSubLastRtf = m_editor->rtf();
    FSubGoodState = m_editor->saveSnapshot();
    FSubBusy = false;
}

bool Step2Page::subtitleEditorShowing() const
{
    return m_tabs->currentIndex() == kSubtitleTab && m_editor->edit()->isVisible();
}

void Step2Page::TimerStep2SubtitleTimer()
{
    const int c = currentSlide();
    if (FSubBusy || !subtitleEditorShowing() || c < 0 || c != FSubIdx)
        return;
    commitSubtitle(c, true);
}

void Step2Page::commitSubtitleEdit()
{
    if (FSubBusy || FSubIdx < 0 || FSubIdx >= m_form.slides().count())
        return;
    commitSubtitle(FSubIdx, false);
}

void Step2Page::commitSubtitle(int index, bool storeControls)
{
    FSubBusy = true;
    const QString rtf = m_editor->rtf();
    if (rtf == FSubLastRtf) {
        FSubBusy = false;
        return;
    }
    const subtitle::SubtitleTextCount count = subtitle::CountSubtitleText(m_editor->plainText());
    if (count.lines > kMaxLines || count.characters > kMaxCharacters) {
        QApplication::beep();
        emit subtitleRefused();
        // The last accepted content returns, with the cursor about where it was.
        const int position = m_editor->edit()->textCursor().position();
        LoadEditorSnapshot(FSubGoodState);
        QTextCursor cursor = m_editor->edit()->textCursor();
        cursor.setPosition(std::min(position, m_editor->document()->characterCount() - 1));
        m_editor->edit()->setTextCursor(cursor);
        FSubLastRtf = m_editor->rtf();
        FSubBusy = false;
        return;
    }
    FSubGoodState = m_editor->saveSnapshot();
    FSubLastRtf = rtf;
    // The timer stores the controls with the subtitle, as every edit of the current slide
    // does; an edit taken for a slide that is no longer shown touches only its subtitle.
    if (storeControls)
        storeSlideSettings(index);
    project::TMyImageInfo& r = m_form.slides().settingsOnDemand(index);
    m_form.markProjectChanged();
    if (count.lines == 0) {
        r.Subtitle.clear();
        r.SubtitleEdit.clear();
    } else {
        r.Subtitle = rtf;
        r.SubtitleEdit = subtitle::BytesToHex(FSubGoodState);
    }
    if (index == currentSlide())
        ShowStep2Preview(true);
    FSubBusy = false;
}

} // namespace vistarel::app
