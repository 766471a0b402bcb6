// Step 1: the folder view, the slide strip (drops, reordering, Delete, "Liste leeren")
// and the settings of the page.
#include "app/foldermodel.h"
#include "app/folderview.h"
#include "app/mediadrag.h"
#include "app/slidestrip.h"
#include "app/step1page.h"
#include "app/widgets.h"
#include "project/settings.h"
#include "testsupport.h"

#include <QDir>
#include <QDrag>
#include <QMimeData>
#include <QTest>
#include <QTreeView>

namespace vistarel::app::test {

namespace {

using project::TMyImageInfo;

// A folder of media: pictures a..f (tiny JPEGs), a clip, two subfolders and files the
// media mask leaves out.
QString makeMediaFolder(WindowEnvironment& env)
{
    const QString folder = env.path(QStringLiteral("media"));
    for (const char* name : {"a", "b", "c", "d", "e", "f"}) {
        QImage picture(64, 48, QImage::Format_RGB32);
        picture.fill(QColor(40, 90, 160));
        const QString path = folder + QStringLiteral("/%1.jpg").arg(QLatin1String(name));
        QDir().mkpath(folder);
        if (!picture.save(path, "JPEG"))
            qFatal("cannot write %s", qPrintable(path));
    }
    writeFile(folder + QStringLiteral("/clip.MP4"));
    writeFile(folder + QStringLiteral("/notes.txt"));
    writeFile(folder + QStringLiteral("/img10.png"));
    writeFile(folder + QStringLiteral("/img9.png"));
    QDir().mkpath(folder + QStringLiteral("/Urlaub"));
    QDir().mkpath(folder + QStringLiteral("/.versteckt"));
    return folder;
}

QString mediaPath(WindowEnvironment& env, const QString& name)
{
    return env.path(QStringLiteral("media/") + name);
}

std::unique_ptr<TFormMain> windowOnFolder(WindowEnvironment& env, const QString& folder)
{
    env.settings().setText(project::settingname::LastFolder, folder);
    env.settings().setInteger(project::settingname::ShowStartPanel, 0);
    auto w = env.showWindow();
    FolderModel* model = w->step1()->folderView()->folderModel();
    if (!QTest::qWaitFor([model] { return !model->isLoading(); }))
        qWarning("the folder was not listed");
    return w;
}

QStringList namesOf(const QStringList& paths)
{
    QStringList names;
    for (const QString& path : paths)
        names << QFileInfo(path).fileName();
    return names;
}

// Delivers a drag with the given content to the strip at a point of its viewport, as the
// drag-and-drop machinery does: enter, move, drop.
void dropOnStrip(SlideStrip* strip, QPoint at, const QMimeData& mime, Qt::DropAction action)
{
    QWidget* viewport = strip->viewport();
    QDragEnterEvent enter(at, action, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &enter);
    QDragMoveEvent move(at, action, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &move);
    QDropEvent drop(at, action, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(viewport, &drop);
}

QPoint cellCentre(SlideStrip* strip, int row)
{
    return strip->visualRect(strip->model()->index(row, 0)).center();
}

// Selects folder-view items one after the other, as Ctrl+clicks do.
void selectInOrder(FolderView* view, const QStringList& names, const QString& folder)
{
    view->clearSelection();
    for (const QString& name : names) {
        const int row = view->folderModel()->rowOfPath(folder + u'/' + name);
        QVERIFY2(row >= 0, qPrintable(name));
        view->selectionModel()->select(view->model()->index(row, 0), QItemSelectionModel::Select);
    }
}

void fillSlides(TFormMain& w, const QStringList& paths)
{
    for (const QString& path : paths)
        w.slides().appendFile(path);
}

} // namespace

class Step1Test : public QObject
{
    Q_OBJECT

private slots:
    void insertionPoint_data();
    void insertionPoint();
    void fileNameOrder_data();
    void fileNameOrder();
    void folderViewListsMediaFoldersFirst();
    void dropInsertsAtTheCellUnderThePointer_data();
    void dropInsertsAtTheCellUnderThePointer();
    void mouseStartsDragsOfTheSelection();
    void reorderMovesTheSelectionWithItsRecords();
    void internalDragDrawsTheSilverMarker();
    void foreignDragsAreRefused();
    void deleteAndClear_data();
    void deleteAndClear();
    void viewModesAndStripSizes();
    void startSettingsAreApplied();
};

void Step1Test::insertionPoint_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("expected");
    QTest::newRow("first cell") << 5 << 6 << 0;
    QTest::newRow("second cell, right edge") << 223 << 6 << 1;
    QTest::newRow("third cell, left edge") << 224 << 6 << 2;
    QTest::newRow("behind the last cell") << 5000 << 6 << 6;
    QTest::newRow("empty strip") << 300 << 0 << 0;
    QTest::newRow("left of the first cell") << -3 << 6 << 0;
}

void Step1Test::insertionPoint()
{
    QFETCH(int, x);
    QFETCH(int, count);
    QFETCH(int, expected);
    QCOMPARE(insertionPointAt(x, 112, count), expected);
}

void Step1Test::fileNameOrder_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("numbers by value") << QStringLiteral("img9.jpg") << QStringLiteral("img10.jpg");
    QTest::newRow("leading zeros") << QStringLiteral("x009") << QStringLiteral("x10");
    QTest::newRow("letter case ignored") << QStringLiteral("apfel") << QStringLiteral("Birne");
    QTest::newRow("prefix first") << QStringLiteral("file") << QStringLiteral("file1");
    QTest::newRow("digits before letters") << QStringLiteral("2x") << QStringLiteral("ax");
    QTest::newRow("long numbers") << QStringLiteral("n99999999999999999998")
                                  << QStringLiteral("n99999999999999999999");
}

void Step1Test::fileNameOrder()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QVERIFY(compareFileNames(first, second) < 0);
    QVERIFY(compareFileNames(second, first) > 0);
    QCOMPARE(compareFileNames(first, first), 0);
}

void Step1Test::folderViewListsMediaFoldersFirst()
{
    WindowEnvironment env;
    const QString folder = makeMediaFolder(env);
    auto w = windowOnFolder(env, folder);
    FolderModel* model = w->step1()->folderView()->folderModel();
    QStringList names;
    for (int row = 0; row < model->rowCount(); ++row)
        names << model->entry(row).name;
    const QStringList expected{
        QStringLiteral(".versteckt"), QStringLiteral("Urlaub"),   QStringLiteral("a.jpg"),
        QStringLiteral("b.jpg"),      QStringLiteral("c.jpg"),    QStringLiteral("clip.MP4"),
        QStringLiteral("d.jpg"),      QStringLiteral("e.jpg"),    QStringLiteral("f.jpg"),
        QStringLiteral("img9.png"),   QStringLiteral("img10.png")};
    QCOMPARE(names, expected);
    QCOMPARE(w->step1()->currentFolder(), folder);

    // A photo copied into the folder shows up without the user doing anything.
    writeFile(folder + QStringLiteral("/g.jpg"));
    QTRY_VERIFY(model->rowOfPath(folder + QStringLiteral("/g.jpg")) >= 0);
}

void Step1Test::dropInsertsAtTheCellUnderThePointer_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("selected"); // in the order of selection
    QTest::addColumn<int>("cell");             // -1: behind the last cell
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QString>("current");

    const QStringList three{QStringLiteral("a.jpg"), QStringLiteral("b.jpg"),
                            QStringLiteral("c.jpg")};
    QTest::newRow("into an empty strip")
        << QStringList() << QStringList{QStringLiteral("e.jpg"), QStringLiteral("d.jpg")} << 0
        << QStringList{QStringLiteral("e.jpg"), QStringLiteral("d.jpg")} << QStringLiteral("d.jpg");
    QTest::newRow("onto the first cell")
        << three << QStringList{QStringLiteral("f.jpg")} << 0
        << QStringList{QStringLiteral("f.jpg"), QStringLiteral("a.jpg"), QStringLiteral("b.jpg"),
                       QStringLiteral("c.jpg")}
        << QStringLiteral("f.jpg");
    QTest::newRow("onto the second cell, in selection order")
        << three
        << QStringList{QStringLiteral("f.jpg"), QStringLiteral("clip.MP4"), QStringLiteral("d.jpg")}
        << 1
        << QStringList{QStringLiteral("a.jpg"), QStringLiteral("f.jpg"), QStringLiteral("clip.MP4"),
                       QStringLiteral("d.jpg"), QStringLiteral("b.jpg"), QStringLiteral("c.jpg")}
        << QStringLiteral("d.jpg");
    QTest::newRow("behind the last cell")
        << three << QStringList{QStringLiteral("d.jpg"), QStringLiteral("e.jpg")} << -1
        << QStringList{QStringLiteral("a.jpg"), QStringLiteral("b.jpg"), QStringLiteral("c.jpg"),
                       QStringLiteral("d.jpg"), QStringLiteral("e.jpg")}
        << QStringLiteral("e.jpg");
    QTest::newRow("folders and a vanished file are left out")
        << three
        << QStringList{QStringLiteral("Urlaub"), QStringLiteral("gone.jpg"),
                       QStringLiteral("e.jpg")}
        << 2
        << QStringList{QStringLiteral("a.jpg"), QStringLiteral("b.jpg"), QStringLiteral("e.jpg"),
                       QStringLiteral("c.jpg")}
        << QStringLiteral("e.jpg");
    QTest::newRow("only folders: nothing inserted")
        << three << QStringList{QStringLiteral("Urlaub"), QStringLiteral(".versteckt")} << 1
        << three << QStringLiteral("c.jpg");
}

void Step1Test::dropInsertsAtTheCellUnderThePointer()
{
    QFETCH(QStringList, before);
    QFETCH(QStringList, selected);
    QFETCH(int, cell);
    QFETCH(QStringList, after);
    QFETCH(QString, current);

    WindowEnvironment env;
    const QString folder = makeMediaFolder(env);
    writeFile(folder + QStringLiteral("/gone.jpg"));
    auto w = windowOnFolder(env, folder);
    QTRY_VERIFY(w->step1()->folderView()->folderModel()->rowOfPath(
                    folder + QStringLiteral("/gone.jpg")) >= 0);
    for (const QString& name : before)
        w->slides().appendFile(mediaPath(env, name));
    QVERIFY(!w->projectDirty());

    FolderView* view = w->step1()->folderView();
    selectInOrder(view, selected, folder);
    const QStringList dragged = view->selectedPathsInOrder();
    QCOMPARE(namesOf(dragged), selected);
    // The file vanishes between the selection and the drop.
    QFile::remove(folder + QStringLiteral("/gone.jpg"));

    SlideStrip* strip = w->step1()->slideStrip();
    QPoint at = before.isEmpty() ? QPoint(10, 10) : cellCentre(strip, cell < 0 ? 0 : cell);
    if (cell < 0)
        at = cellCentre(strip, int(before.size()) - 1) + QPoint(strip->cellSize().width(), 0);
    const std::unique_ptr<QMimeData> mime = mediaFilesMime(dragged);
    dropOnStrip(strip, at, *mime, Qt::CopyAction);

    QCOMPARE(namesOf(w->slides().fileNames()), after);
    QVERIFY(w->projectDirty());
    QCOMPARE(QFileInfo(strip->currentIndex().data(project::SlideList::FilePathRole).toString())
                 .fileName(),
             current);
    QCOMPARE(strip->selectedRows(), QList<int>{strip->currentIndex().row()});
}

// Presses on a cell and moves the mouse past the drag distance, as a user starts a
// drag; returns what the drag carries (the drag object lives until events are next
// processed; a test platform ends the drag at once).
const QMimeData* startMouseDrag(QAbstractItemView* view, QPoint from,
                                Qt::KeyboardModifiers keys = {})
{
    QWidget* viewport = view->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, keys, from);
    QTest::mouseMove(viewport, from + QPoint(8, 8));
    QTest::mouseMove(viewport, from + QPoint(30, 30));
    QDrag* drag = view->findChild<QDrag*>();
    return drag ? drag->mimeData() : nullptr;
}

void Step1Test::mouseStartsDragsOfTheSelection()
{
    WindowEnvironment env;
    const QString folder = makeMediaFolder(env);
    auto w = windowOnFolder(env, folder);
    FolderView* view = w->step1()->folderView();
    auto cell = [&](const char* name) {
        const int row = view->folderModel()->rowOfPath(folder + u'/' + QLatin1String(name));
        return view->visualRect(view->model()->index(row, 0)).center();
    };
    // c, then a and e with Ctrl: the drag carries them in that order.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell("c.jpg"));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ControlModifier, cell("a.jpg"));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ControlModifier, cell("e.jpg"));
    const QMimeData* files = startMouseDrag(view, cell("a.jpg"), Qt::ControlModifier);
    QVERIFY(files);
    QCOMPARE(
        namesOf(mediaFilesOf(files).value_or(QStringList())),
        (QStringList{QStringLiteral("c.jpg"), QStringLiteral("a.jpg"), QStringLiteral("e.jpg")}));
    QCoreApplication::processEvents();

    fillSlides(*w,
               {mediaPath(env, QStringLiteral("a.jpg")), mediaPath(env, QStringLiteral("b.jpg"))});
    SlideStrip* strip = w->step1()->slideStrip();
    const QMimeData* rows =
        startMouseDrag(strip, strip->visualRect(strip->model()->index(0, 0)).center());
    QVERIFY(rows);
    QCOMPARE(slideRowsOf(rows, quintptr(strip)).value_or(QList<int>()), QList<int>{0});
}

void Step1Test::reorderMovesTheSelectionWithItsRecords()
{
    WindowEnvironment env;
    const QString folder = makeMediaFolder(env);
    auto w = windowOnFolder(env, folder);
    const QStringList six{QStringLiteral("a.jpg"), QStringLiteral("b.jpg"),
                          QStringLiteral("c.jpg"), QStringLiteral("d.jpg"),
                          QStringLiteral("e.jpg"), QStringLiteral("f.jpg")};
    for (int i = 0; i < 6; ++i) {
        w->slides().appendFile(mediaPath(env, six[i]));
        auto record = std::make_unique<TMyImageInfo>();
        record->Duration = i;
        record->Subtitle = six[i];
        w->slides().setSettings(i, std::move(record));
    }

    SlideStrip* strip = w->step1()->slideStrip();
    strip->selectionModel()->clearSelection();
    for (int row : {0, 2})
        strip->selectionModel()->select(strip->model()->index(row, 0), QItemSelectionModel::Select);
    const std::unique_ptr<QMimeData> mime(strip->mimeForSelection());
    dropOnStrip(strip, cellCentre(strip, 4), *mime, Qt::MoveAction);

    const QStringList order{QStringLiteral("b.jpg"), QStringLiteral("d.jpg"),
                            QStringLiteral("a.jpg"), QStringLiteral("c.jpg"),
                            QStringLiteral("e.jpg"), QStringLiteral("f.jpg")};
    QCOMPARE(namesOf(w->slides().fileNames()), order);
    for (int i = 0; i < 6; ++i) {
        const TMyImageInfo* record = w->slides().settings(i);
        QVERIFY(record);
        QCOMPARE(record->Subtitle, order[i]);
        QCOMPARE(record->Duration, int(six.indexOf(order[i])));
    }
    QVERIFY(w->projectDirty());
    // The moved slides stay selected; the marker is gone.
    QCOMPARE(strip->selectedRows(), (QList<int>{2, 3}));
    QCOMPARE(strip->dragInsertPos(), -1);
}

void Step1Test::internalDragDrawsTheSilverMarker()
{
    WindowEnvironment env;
    const QString folder = makeMediaFolder(env);
    auto w = windowOnFolder(env, folder);
    fillSlides(*w,
               {mediaPath(env, QStringLiteral("a.jpg")), mediaPath(env, QStringLiteral("b.jpg")),
                mediaPath(env, QStringLiteral("c.jpg"))});
    SlideStrip* strip = w->step1()->slideStrip();
    const std::unique_ptr<QMimeData> mime(strip->mimeForSelection());

    struct Case
    {
        int cell; // where the pointer is; 3 = behind the last
        int insertPos;
        int markerCell;
        bool atEnd;
    };
    for (const Case& c : {Case{1, 1, 1, false}, Case{3, 3, 2, true}}) {
        const QPoint at = c.cell < 3 ? cellCentre(strip, c.cell)
                                     : cellCentre(strip, 2) + QPoint(strip->cellSize().width(), 0);
        QDragEnterEvent enter(at, Qt::MoveAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(strip->viewport(), &enter);
        QDragMoveEvent move(at, Qt::MoveAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(strip->viewport(), &move);
        QVERIFY(move.isAccepted());
        QCOMPARE(strip->dragInsertPos(), c.insertPos);

        const QRect box =
            strip->thumbnailBox(strip->visualRect(strip->model()->index(c.markerCell, 0)));
        const QLine line = insertionMarkerLine(box, c.atEnd);
        const QImage shot = strip->viewport()->grab().toImage();
        const QColor silver(0xC0, 0xC0, 0xC0);
        const int x = (line.x1() + line.x2()) / 2;
        QVERIFY2(shot.pixelColor(x, line.y1()) == silver ||
                     shot.pixelColor(x, line.y1() - 1) == silver,
                 qPrintable(shot.pixelColor(x, line.y1()).name()));
        // The line ends inside the cell's thumbnail box.
        QVERIFY(shot.pixelColor(line.x2() + 3, line.y1()) != silver);
        QCOMPARE(line.y1(), c.atEnd ? box.bottom() - 1 : box.top() + 1);

        QDragLeaveEvent leave;
        QCoreApplication::sendEvent(strip->viewport(), &leave);
        QCOMPARE(strip->dragInsertPos(), -1);
    }
    // A drag from the folder view shows no marker.
    const std::unique_ptr<QMimeData> files =
        mediaFilesMime({mediaPath(env, QStringLiteral("d.jpg"))});
    QDragEnterEvent enter(cellCentre(strip, 1), Qt::CopyAction, files.get(), Qt::LeftButton,
                          Qt::NoModifier);
    QCoreApplication::sendEvent(strip->viewport(), &enter);
    QDragMoveEvent move(cellCentre(strip, 1), Qt::CopyAction, files.get(), Qt::LeftButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(strip->viewport(), &move);
    QVERIFY(move.isAccepted());
    QCOMPARE(strip->dragInsertPos(), -1);
}

void Step1Test::foreignDragsAreRefused()
{
    WindowEnvironment env;
    const QString folder = makeMediaFolder(env);
    auto w = windowOnFolder(env, folder);
    fillSlides(*w, {mediaPath(env, QStringLiteral("a.jpg"))});
    SlideStrip* strip = w->step1()->slideStrip();

    QMimeData urls;
    urls.setUrls({QUrl::fromLocalFile(mediaPath(env, QStringLiteral("b.jpg")))});
    // Slide rows of another strip are no slides of this one.
    const std::unique_ptr<QMimeData> otherStrip = slideRowsMime(quintptr(strip) + 1, {0});
    for (const QMimeData* mime :
         {static_cast<const QMimeData*>(&urls), static_cast<const QMimeData*>(otherStrip.get())}) {
        QDragEnterEvent enter(cellCentre(strip, 0), Qt::CopyAction, mime, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(strip->viewport(), &enter);
        // Refused at the door, so Qt sends this strip no move or drop of it.
        QVERIFY(!enter.isAccepted());
    }
    QCOMPARE(w->slides().count(), 1);
    QVERIFY(!w->projectDirty());
}

void Step1Test::deleteAndClear_data()
{
    QTest::addColumn<int>("slides");
    QTest::addColumn<QList<int>>("selected");
    QTest::addColumn<bool>("clearLink"); // else the Delete key
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<bool>("dirty");
    QTest::addColumn<int>("currentAfter");

    QTest::newRow("Delete removes the selection")
        << 5 << QList<int>{1, 3} << false
        << QStringList{QStringLiteral("a.jpg"), QStringLiteral("c.jpg"), QStringLiteral("e.jpg")}
        << true << 1;
    QTest::newRow("Delete of the last slides moves the current one back")
        << 3 << QList<int>{2} << false
        << QStringList{QStringLiteral("a.jpg"), QStringLiteral("b.jpg")} << true << 1;
    QTest::newRow("Delete on an empty strip")
        << 0 << QList<int>() << false << QStringList() << false << -1;
    QTest::newRow("Delete without a selection")
        << 2 << QList<int>() << false
        << QStringList{QStringLiteral("a.jpg"), QStringLiteral("b.jpg")} << false << -1;
    QTest::newRow("Liste leeren") << 4 << QList<int>{0} << true << QStringList() << true << -1;
    QTest::newRow("Liste leeren on an empty list")
        << 0 << QList<int>() << true << QStringList() << false << -1;
}

void Step1Test::deleteAndClear()
{
    QFETCH(int, slides);
    QFETCH(QList<int>, selected);
    QFETCH(bool, clearLink);
    QFETCH(QStringList, after);
    QFETCH(bool, dirty);
    QFETCH(int, currentAfter);

    WindowEnvironment env;
    const QString folder = makeMediaFolder(env);
    auto w = windowOnFolder(env, folder);
    const QStringList names{QStringLiteral("a.jpg"), QStringLiteral("b.jpg"),
                            QStringLiteral("c.jpg"), QStringLiteral("d.jpg"),
                            QStringLiteral("e.jpg")};
    for (int i = 0; i < slides; ++i)
        w->slides().appendFile(mediaPath(env, names[i]));
    SlideStrip* strip = w->step1()->slideStrip();
    strip->selectionModel()->clearSelection();
    for (int row : selected)
        strip->selectionModel()->select(strip->model()->index(row, 0), QItemSelectionModel::Select);

    if (clearLink) {
        auto* link = w->findChild<ClickLabel*>(QStringLiteral("LabelPreviewClear"));
        QTest::mouseClick(link, Qt::LeftButton);
    } else {
        strip->setFocus();
        QTest::keyClick(strip, Qt::Key_Delete);
    }
    QCOMPARE(namesOf(w->slides().fileNames()), after);
    QCOMPARE(w->projectDirty(), dirty);
    if (currentAfter >= 0) {
        QCOMPARE(strip->currentIndex().row(), currentAfter);
        QCOMPARE(strip->selectedRows(), QList<int>{currentAfter});
    }
}

void Step1Test::viewModesAndStripSizes()
{
    WindowEnvironment env;
    const QString folder = makeMediaFolder(env);
    auto w = windowOnFolder(env, folder);
    Step1Page* page = w->step1();
    FolderView* view = page->folderView();
    const char* icons[] = {"ImageStep1List", "ImageStep1Gallery", "ImageStep1Large"};
    const QString a = folder + QStringLiteral("/a.jpg");

    for (int mode : {0, 2, 1}) {
        clickButton(w.get(), icons[mode]);
        QCOMPARE(env.settings().viewOption(), mode);
        QCOMPARE(int(view->mode()), mode);
        // Once the mouse has left, only the current mode's icon shows its active picture.
        for (int other = 0; other < 3; ++other) {
            auto* icon = w->findChild<PictureIcon*>(QString::fromLatin1(icons[other]));
            QCOMPARE(icon->showsActive(), other == mode);
        }
        QTRY_VERIFY(!view->folderModel()->isLoading());
        view->scrollTo(view->model()->index(view->folderModel()->rowOfPath(a), 0));
        view->viewport()->repaint();
        if (mode == 0) {
            // The list draws file-type icons: nothing is decoded.
            QCOMPARE(view->thumbnails().state(a, view->requestBox()),
                     ThumbnailCache::State::Missing);
            QCOMPARE(view->thumbnails().pendingCount(), 0);
        } else {
            QTRY_COMPARE(view->thumbnails().state(a, view->requestBox()),
                         ThumbnailCache::State::Ready);
            const QImage thumbnail = view->thumbnails().cached(a, view->requestBox());
            // 64 x 48 fits into both boxes as it is.
            QCOMPARE(thumbnail.size(), QSize(64, 48));
        }
        // The rest on screen arrive or fail (the clip is no clip).
        QTRY_COMPARE(view->visibleThumbnailsWaiting(), 0);
    }

    SlideStrip* strip = page->slideStrip();
    struct Size
    {
        const char* icon;
        int option;
        int height;
        int zoom;
    };
    for (const Size& s : {Size{"ImageStep1PreviewLarge", 1, kStripAreaLargeHeight, 100},
                          Size{"ImageStep1PreviewNormal", 0, kStripAreaNormalHeight, 50}}) {
        clickButton(w.get(), s.icon);
        QCOMPARE(env.settings().previewOption(), s.option);
        QCOMPARE(page->previewOption(), s.option);
        QCOMPARE(page->stripArea()->height(), s.height);
        QCOMPARE(strip->zoomPercent(), s.zoom);
        QCOMPARE(strip->thumbnailBox(QRect(0, 0, 300, 300)).size(),
                 kStripThumbnailSize * s.zoom / 100);
    }
    // The view mode and the strip size are no project data.
    QVERIFY(!w->projectDirty());
}

void Step1Test::startSettingsAreApplied()
{
    WindowEnvironment env;
    const QString folder = makeMediaFolder(env);
    env.settings().setInteger(project::settingname::ViewOption, 0);
    env.settings().setInteger(project::settingname::PreviewOption, 1);
    {
        auto w = windowOnFolder(env, folder + QStringLiteral("/Urlaub"));
        QCOMPARE(w->step1()->currentFolder(), folder + QStringLiteral("/Urlaub"));
        QCOMPARE(w->step1()->folderView()->folder(), folder + QStringLiteral("/Urlaub"));
        QCOMPARE(w->step1()->folderView()->mode(), FolderViewMode::List);
        QCOMPARE(w->step1()->slideStrip()->zoomPercent(), 100);
        QCOMPARE(w->step1()->folderTree()->currentIndex().data().toString(),
                 QStringLiteral("Urlaub"));
        // The folder then shown is stored at exit.
        QVERIFY(w->step1()->showFolder(folder));
    }
    QCOMPARE(env.settings().lastFolder(), folder);

    // A stored folder that is gone leaves the tree at its own start folder.
    env.settings().setText(project::settingname::LastFolder, folder + QStringLiteral("/weg"));
    auto w = env.showWindow();
    QCOMPARE(w->step1()->currentFolder(), QDir::homePath());
}

static const bool registered = registerTest<Step1Test>("Step1Test");

} // namespace vistarel::app::test

#include "step1_test.moc"
