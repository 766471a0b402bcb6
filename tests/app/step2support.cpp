#include "step2support.h"

#include "app/coverflowstrip.h"
#include "app/previewplayer.h"
#include "app/startpanel.h"
#include "app/step1page.h"
#include "project/settings.h"
#include "subtitle/rtfparser.h"

#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QTest>

namespace vistarel::app::test {

void writePicture(const QString& path, const QColor& colour, QSize size)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage picture(size, QImage::Format_RGB888);
    picture.fill(colour);
    if (!picture.save(path))
        qFatal("cannot write %s", qPrintable(path));
}

Step2Window::Step2Window(const QStringList& names, int height)
{
    project::Settings settings = env.settings();
    settings.setText(project::settingname::Language, QStringLiteral("de"));
    if (height > 0)
        settings.setInteger(project::settingname::WindowHeight, height);
    w = env.showWindow();
    w->startPanel()->hide();
    static const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
    int i = 0;
    for (const QString& name : names) {
        const QString path = env.path(QStringLiteral("media/") + name);
        if (name.endsWith(u".png"))
            writePicture(path, colours[i++ % 4]);
        else
            writeFile(path);
        w->slides().appendFile(path);
    }
    page = w->step2();
    w->step1()->hide();
    page->show();
    page->strip()->setItems(w->slides().fileNames());
    page->strip()->setCurrentIndex(0);
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w.get()))
        qWarning("window not active");
}

void Step2Window::select(int index)
{
    page->strip()->setCurrentIndex(index);
}

void Step2Window::waitForPreview()
{
    QTRY_VERIFY_WITH_TIMEOUT(!page->previewPlayer()->isBusy(), 10000);
}

void choose(QComboBox* list, int index)
{
    list->setCurrentIndex(index);
    emit list->activated(index);
}

void clickRow(QListWidget* list, int row)
{
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

void clickWidget(QWidget* window, const char* name)
{
    auto* widget = window->findChild<QWidget*>(QString::fromLatin1(name));
    QVERIFY2(widget, name);
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

QString subtitleText(const QString& rtf)
{
    QStringList paras;
    for (const subtitle::TRtfPara& p : subtitle::ParseRtf(rtf).Paras)
        paras << p.text();
    return paras.join(u'|');
}

QString positionsOf(Step2Page* page)
{
    QStringList positions;
    for (QComboBox* list : {page->durationList(), page->stretchList(), page->blurList(),
                            page->transitionDurationList(), page->audioList()})
        positions << QString::number(list->currentIndex());
    positions << QString::number(page->transitionList()->currentRow());
    return positions.join(u' ');
}

QString controlsOf(Step2Page* page)
{
    return QStringLiteral("%1 %2 %3 %4 %5 %6")
        .arg(page->durationList()->currentText(), page->stretchList()->currentText(),
             page->blurList()->currentText())
        .arg(page->transitionList()->currentRow())
        .arg(page->transitionDurationList()->currentText())
        .arg(page->audioList()->currentIndex());
}

} // namespace vistarel::app::test
