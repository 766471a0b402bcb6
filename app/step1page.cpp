#include "app/step1page.h"

#include "app/foldertreemodel.h"
#include "app/folderview.h"
#include "app/formmain.h"
#include "app/navigator.h"
#include "app/slidestrip.h"
#include "app/style.h"
#include "app/widgets.h"
#include "project/settings.h"
#include "project/slidelist.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QSplitter>
#include <QTreeView>
#include <QVBoxLayout>

namespace vistarel::app {

namespace {

constexpr int kTreeWidth = 248;
constexpr int kNextWidth = 168;
constexpr int kNextHeight = 41;
constexpr int kFrameBorder = 2;
constexpr int kInfoRowHeight = 24;
const QColor kClearHover{0x2A, 0x2A, 0x2A};

// The arrow beside the drop hint, pointing down to the strip.
class DropArrow : public QWidget
{
public:
    explicit DropArrow(QWidget* parent)
        : QWidget(parent)
    {
        setFixedSize(34, 24);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        paintDropArrow(p, QRectF(rect()).adjusted(2, 2, -2, -1), colour::kAccent);
    }
};

QFont scriptFont(QFont base)
{
    base.setFamilies({QStringLiteral("Segoe Script"), QStringLiteral("Z003"),
                      QStringLiteral("URW Chancery L"), QStringLiteral("Comic Neue")});
    base.setStyleHint(QFont::Cursive);
    base.setItalic(true);
    base.setPixelSize(17);
    return base;
}

QWidget* separator(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFixedSize(1, 20);
    line->setStyleSheet(QStringLiteral("background-color: #4A4A4A;"));
    return line;
}

} // namespace

Step1Page::Step1Page(TFormMain& form)
    : QWidget(&form)
    , m_form(form)
{
    setObjectName(QStringLiteral("RzPanelStep1"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 6, 12, 8);
    layout->setSpacing(8);
    layout->addWidget(buildHeader());
    layout->addWidget(buildExplorer(), 1);
    layout->addWidget(buildStripArea());

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    QAbstractButton* next = makeButton(QStringLiteral("RzBmpButtonStep1Next"),
                                       QStringLiteral("Weiter"), "primary", this);
    next->setFixedSize(kNextWidth, kNextHeight);
    bottom->addWidget(next);
    layout->addLayout(bottom);

    connect(next, &QAbstractButton::clicked, this,
            [this] { m_form.navigator()->RzBmpButtonStep1NextClick(); });
    setPreviewOption(0);
}

QWidget* Step1Page::buildHeader()
{
    auto* header = new QWidget(this);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    row->addWidget(makeLabel(QStringLiteral("LabelStep1Title"), QStringLiteral("Medienauswahl"), 20,
                             QFont::Light, Qt::white, header));
    row->addStretch(1);
    row->addWidget(makeLabel(QStringLiteral("LabelStep1Project"), QStringLiteral("Projekt:"),
                             kBaseFontPixels, QFont::Normal, colour::kDimText, header));
    auto* newProject = new PictureIcon(QStringLiteral("ImageStep1New"), Glyph::NewProject,
                                       QStringLiteral("Neues Projekt"), header);
    auto* loadProject = new PictureIcon(QStringLiteral("ImageStep1Load"), Glyph::OpenProject,
                                        QStringLiteral("Projekt laden"), header);
    row->addWidget(newProject);
    row->addWidget(loadProject);
    row->addSpacing(6);
    row->addWidget(separator(header));
    row->addSpacing(6);
    m_modeIcons[0] = new PictureIcon(QStringLiteral("ImageStep1List"), Glyph::ViewList,
                                     QStringLiteral("Listenansicht"), header);
    m_modeIcons[1] = new PictureIcon(QStringLiteral("ImageStep1Gallery"), Glyph::ViewGallery,
                                     QStringLiteral("Galerieansicht"), header);
    m_modeIcons[2] = new PictureIcon(QStringLiteral("ImageStep1Large"), Glyph::ViewLarge,
                                     QStringLiteral("Vergrößerte Ansicht"), header);
    for (PictureIcon* icon : m_modeIcons)
        row->addWidget(icon);

    connect(newProject, &QAbstractButton::clicked, this,
            [this] { m_form.requestAction(TProjectAction::paNew); });
    connect(loadProject, &QAbstractButton::clicked, this,
            [this] { m_form.requestAction(TProjectAction::paLoad); });
    connect(m_modeIcons[0], &QAbstractButton::clicked, this, &Step1Page::ImageStep1ListClick);
    connect(m_modeIcons[1], &QAbstractButton::clicked, this, &Step1Page::ImageStep1GalleryClick);
    connect(m_modeIcons[2], &QAbstractButton::clicked, this, &Step1Page::ImageStep1LargeClick);
    return header;
}

QWidget* Step1Page::buildExplorer()
{
    auto* explorer = new QWidget(this);
    explorer->setObjectName(QStringLiteral("RzPanelManualExplorer"));
    auto* box = new QHBoxLayout(explorer);
    box->setContentsMargins(0, 0, 0, 0);

    m_splitter = new QSplitter(Qt::Horizontal, explorer);
    m_splitter->setObjectName(QStringLiteral("SplitterStep1Explorer"));
    m_splitter->setHandleWidth(4);
    m_splitter->setChildrenCollapsible(false);
    m_splitter->setStyleSheet(QStringLiteral("QSplitter::handle { background-color: #2E9FFC; }"));

    m_treeModel = new FolderTreeModel(folderTreeRoots(), this);
    m_tree = new QTreeView(m_splitter);
    m_tree->setObjectName(QStringLiteral("IEFolderTreeManual"));
    m_tree->setModel(m_treeModel);
    m_tree->setHeaderHidden(true);
    m_tree->setUniformRowHeights(true);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->setFrameShape(QFrame::NoFrame);
    m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tree->header()->setStretchLastSection(false);

    m_folderView = new FolderView(m_form.appDataDir(), m_splitter);
    m_splitter->addWidget(m_tree);
    m_splitter->addWidget(m_folderView);
    m_splitter->setStretchFactor(0, 0);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({kTreeWidth, kDesignWidth - kTreeWidth});
    box->addWidget(m_splitter);

    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &Step1Page::treeFolderChosen);
    connect(m_folderView, &FolderView::folderActivated, this, &Step1Page::showFolder);
    return explorer;
}

QWidget* Step1Page::buildStripArea()
{
    m_stripArea = new QWidget(this);
    m_stripArea->setObjectName(QStringLiteral("RzPanelStep1PreviewBottom"));
    auto* column = new QVBoxLayout(m_stripArea);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    column->addWidget(buildStripHeader());
    column->addWidget(buildStripFrame(), 1);
    return m_stripArea;
}

QWidget* Step1Page::buildStripHeader()
{
    auto* header = new QWidget(m_stripArea);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);
    row->addWidget(makeLabel(QStringLiteral("LabelStep1Preview"),
                             QStringLiteral("Gewählte Medien & Reihenfolge"), 14, QFont::DemiBold,
                             Qt::white, header));
    row->addSpacing(24);
    row->addWidget(new DropArrow(header), 0, Qt::AlignBottom);
    QLabel* hint = makeLabel(QStringLiteral("LabelStep1DropHint"),
                             QStringLiteral("Gewünschte Bilder und Videos hierhin ziehen"), 17,
                             QFont::Normal, colour::kAccent, header);
    hint->setFont(scriptFont(hint->font()));
    row->addWidget(hint);
    row->addStretch(1);
    m_sizeIcons[0] = new PictureIcon(QStringLiteral("ImageStep1PreviewNormal"), Glyph::StripNormal,
                                     QStringLiteral("Normale Ansicht"), header);
    m_sizeIcons[1] = new PictureIcon(QStringLiteral("ImageStep1PreviewLarge"), Glyph::StripLarge,
                                     QStringLiteral("Vergrößerte Ansicht"), header);
    row->addWidget(m_sizeIcons[0]);
    row->addWidget(m_sizeIcons[1]);
    connect(m_sizeIcons[0], &QAbstractButton::clicked, this,
            &Step1Page::ImageStep1PreviewNormalClick);
    connect(m_sizeIcons[1], &QAbstractButton::clicked, this,
            &Step1Page::ImageStep1PreviewLargeClick);
    return header;
}

QWidget* Step1Page::buildStripFrame()
{
    auto* frame = new QFrame(m_stripArea);
    frame->setObjectName(QStringLiteral("RzPanelStep1PreviewFrame"));
    frame->setAutoFillBackground(true);
    QPalette pal = frame->palette();
    pal.setColor(QPalette::Window, colour::kAccent);
    frame->setPalette(pal);
    auto* column = new QVBoxLayout(frame);
    column->setContentsMargins(kFrameBorder, kFrameBorder, kFrameBorder, 0);
    column->setSpacing(0);

    m_strip = new SlideStrip(m_form.slides(), m_form.appDataDir(), frame);
    column->addWidget(m_strip, 1);

    auto* info = new QWidget(frame);
    info->setFixedHeight(kInfoRowHeight);
    auto* row = new QHBoxLayout(info);
    row->setContentsMargins(8, 0, 10, 0);
    QLabel* text =
        makeLabel(QStringLiteral("LabelStep1PreviewInfo"),
                  QStringLiteral("Reihenfolge ändern: <b>Drag &amp; drop</b> | Markierte "
                                 "Einträge aus Liste entfernen: <b>ENTF-Taste</b>"),
                  12, QFont::Normal, Qt::white, info);
    text->setTextFormat(Qt::RichText);
    row->addWidget(text);
    row->addStretch(1);
    m_clear =
        new ClickLabel(QStringLiteral("LabelPreviewClear"), QStringLiteral("Liste leeren"), info);
    QFont bold = m_clear->font();
    bold.setBold(true);
    m_clear->setFont(bold);
    m_clear->setHoverColours(Qt::white, kClearHover);
    row->addWidget(m_clear);
    column->addWidget(info);

    connect(m_clear, &ClickLabel::clicked, this, &Step1Page::LabelPreviewClearClick);
    connect(m_strip, &SlideStrip::edited, this, [this] { m_form.markProjectChanged(); });
    return frame;
}

void Step1Page::restoreStartSettings(const project::Settings& settings)
{
    const QString folder = settings.lastFolder();
    if (folder.isEmpty() || !QFileInfo(folder).isDir() || !showFolder(folder))
        m_tree->setCurrentIndex(m_treeModel->index(0, 0));
    switch (settings.viewOption()) {
    case 0:
        ImageStep1ListClick();
        break;
    case 1:
        ImageStep1GalleryClick();
        break;
    case 2:
        ImageStep1LargeClick();
        break;
    default:
        break;
    }
    switch (settings.previewOption()) {
    case 0:
        ImageStep1PreviewNormalClick();
        break;
    case 1:
        ImageStep1PreviewLargeClick();
        break;
    default:
        break;
    }
}

QString Step1Page::currentFolder() const
{
    return m_treeModel->pathOf(m_tree->currentIndex());
}

bool Step1Page::showFolder(const QString& folder)
{
    const QModelIndex index = m_treeModel->indexOfPath(folder);
    if (!index.isValid())
        return false;
    m_tree->setCurrentIndex(index);
    m_tree->scrollTo(index);
    return true;
}

void Step1Page::treeFolderChosen()
{
    const QString folder = currentFolder();
    if (folder != m_folderView->folder())
        m_folderView->setFolder(folder);
}

void Step1Page::setViewOption(int option)
{
    m_form.settings().setInteger(project::settingname::ViewOption, option);
    m_folderView->setMode(FolderViewMode(option));
    for (int i = 0; i < 3; ++i)
        m_modeIcons[i]->setCurrent(i == option);
}

void Step1Page::ImageStep1ListClick()
{
    setViewOption(int(FolderViewMode::List));
}

void Step1Page::ImageStep1GalleryClick()
{
    setViewOption(int(FolderViewMode::Gallery));
}

void Step1Page::ImageStep1LargeClick()
{
    setViewOption(int(FolderViewMode::Large));
}

void Step1Page::setPreviewOption(int option)
{
    PreviewOption = option;
    m_stripArea->setFixedHeight(option == 1 ? kStripAreaLargeHeight : kStripAreaNormalHeight);
    m_strip->setZoomPercent(option == 1 ? 100 : 50);
    for (int i = 0; i < 2; ++i)
        m_sizeIcons[i]->setCurrent(i == option);
}

void Step1Page::ImageStep1PreviewNormalClick()
{
    m_form.settings().setInteger(project::settingname::PreviewOption, 0);
    setPreviewOption(0);
}

void Step1Page::ImageStep1PreviewLargeClick()
{
    m_form.settings().setInteger(project::settingname::PreviewOption, 1);
    setPreviewOption(1);
}

void Step1Page::LabelPreviewClearClick()
{
    if (m_form.slides().count() > 0)
        m_form.markProjectChanged();
    m_form.slides().clear();
}

QImage Step1Page::stripPicture(const QString& file) const
{
    return m_strip->thumbnails().cached(file, m_strip->requestBox());
}

} // namespace vistarel::app
