#include "app/reviewscenes.h"

#include "app/autoeffectspanel.h"
#include "app/coverflowstrip.h"
#include "app/questionpanel.h"
#include "app/formmain.h"
#include "app/navigator.h"
#include "app/rendercontrol.h"
#include "app/startpanel.h"
#include "app/step1page.h"
#include "app/step2page.h"
#include "app/stepcontrol.h"
#include "app/subtitleeditor.h"

#include "project/mediakind.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QTabWidget>
#include <QTextCursor>
#include <QTimer>

namespace vistarel::app {

namespace {

void typeSampleSubtitle(SubtitleEditor& editor)
{
    QTextEdit& edit = *editor.edit();
    edit.setFocus();
    edit.insertPlainText(QStringLiteral("Sommer am "));
    editor.setBold(true);
    editor.setTextColour(QColor(0xFF, 0xD6, 0x0A));
    edit.insertPlainText(QStringLiteral("Gardasee"));
    editor.setBold(false);
    editor.setTextColour(Qt::white);
    edit.insertPlainText(QStringLiteral(" – Tag 3"));
    edit.insertPlainText(QString(QChar::LineSeparator));
    editor.shrinkFont();
    editor.setItalic(true);
    edit.insertPlainText(QStringLiteral("Riva del Garda, "));
    editor.setItalic(false);
    editor.setUnderline(true);
    edit.insertPlainText(QStringLiteral("Juli 2023"));
    editor.setUnderline(false);
    edit.insertPlainText(QStringLiteral("\n"));
    editor.setAlignment(Qt::AlignRight);
    editor.setStrikeOut(true);
    editor.setTextColour(QColor(0xFF, 0x3B, 0x30));
    edit.insertPlainText(QStringLiteral("Regen"));
    editor.setStrikeOut(false);
    editor.setTextColour(Qt::white);
    editor.growFont();
    editor.growFont();
    edit.insertPlainText(QStringLiteral(" Sonne ☀"));
}

// The media files of a folder in name order, as step 1 would offer them.
QStringList mediaOfFolder(const QString& folder)
{
    QStringList patterns;
    for (const QString& extension : project::mediaExtensions())
        patterns << QStringLiteral("*.") + extension;
    const QDir dir(folder);
    QStringList files;
    for (const QString& name : dir.entryList(patterns, QDir::Files, QDir::Name | QDir::IgnoreCase))
        files << dir.absoluteFilePath(name);
    return files;
}

} // namespace

void showStep2Scene(TFormMain& window, const QString& scene, const QString& source,
                    const QString& rtfFile)
{
    const QStringList parts = scene.split(u':');
    window.startPanel()->hide();
    if (QFileInfo(source).isDir())
        window.slides().insertFiles(mediaOfFolder(source), 0);
    else if (!source.isEmpty())
        window.readProject(source);
    // The user's way from step 1: "Weiter" fills the strip and plays the first slide.
    window.navigator()->RzBmpButtonStep1NextClick();
    Step2Page* page = window.step2();
    page->strip()->setCurrentIndex(parts.value(2).toInt());
    const QString tab = parts.value(1);
    const int index = QStringList{QStringLiteral("display"), QStringLiteral("effects"),
                                  QStringLiteral("subtitle"), QStringLiteral("audio")}
                          .indexOf(tab);
    // A hidden tab (sound, for a picture) is one the user cannot open: stay on the first.
    const bool reachable = index >= 0 && page->tabs()->isTabVisible(int(index));
    page->tabs()->setCurrentIndex(reachable ? int(index) : 0);
    if (parts.size() > 4)
        page->transitionDurationList()->setCurrentIndex(parts[4].toInt());
    if (parts.size() > 3) {
        page->transitionList()->setCurrentRow(parts[3].toInt());
        page->transitionList()->scrollToItem(page->transitionList()->currentItem(),
                                             QAbstractItemView::PositionAtCenter);
    }
    if (tab == u"autoeffects")
        page->autoEffectsPanel()->showInFront();
    if (tab == u"applytoall")
        page->applyToAllPanel()->showInFront();
    if (tab == u"subtitle") {
        typeSampleSubtitle(*page->subtitleEditor());
        page->TimerStep2SubtitleTimer();
        const project::TMyImageInfo* record = window.slides().settings(page->currentSlide());
        QFile out(rtfFile);
        if (record && !rtfFile.isEmpty() && out.open(QIODevice::WriteOnly))
            out.write(record->Subtitle.toUtf8());
    }
}

void showStep3Scene(TFormMain& window, const QString& scene, const QString& project,
                    const std::function<void()>& rendered)
{
    window.startPanel()->hide();
    if (!project.isEmpty())
        window.readProject(project);
    window.navigator()->RzBmpButtonStep2NextClick();
    if (scene == u"step3")
        return;
    RenderControl* render = window.renderControl();
    if (scene == u"rendered")
        QObject::connect(render, &RenderControl::renderFinished, &window, [rendered] {
            QTimer::singleShot(300, rendered);
        });
    // Outside this call: the job runs inside a click, as the button's would.
    QTimer::singleShot(200, render, &RenderControl::RzBmpButtonStep3RenderClick);
}

} // namespace vistarel::app
