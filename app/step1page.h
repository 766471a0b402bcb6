#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

class QAbstractButton;
class QLabel;
class QSplitter;
class QTreeView;

namespace vistarel::project {
class Settings;
}

namespace vistarel::app {

class ClickLabel;
class FolderTreeModel;
class FolderView;
class PictureIcon;
class SlideStrip;
class TFormMain;

// Heights of the strip area RzPanelStep1PreviewBottom for the normal and the large strip.
inline constexpr int kStripAreaNormalHeight = 171;
inline constexpr int kStripAreaLargeHeight = 246;

// Step 1, RzPanelStep1: media selection. On top the title, the project links and the
// folder-view mode icons; the folder tree and the folder view side by side; below them
// the slide strip in its frame with the strip-size icons, the drop hint and the link
// "Liste leeren"; and "Weiter".
class Step1Page : public QWidget
{
    Q_OBJECT

public:
    explicit Step1Page(TFormMain& form);

    // Start sequence: LastFolder (only if it exists, else the tree's own start folder),
    // ViewOption, PreviewOption, each applied as by a click on its icon.
    void restoreStartSettings(const project::Settings& settings);
    // The folder shown in the folder tree, stored as LastFolder at exit; empty: none.
    QString currentFolder() const;
    // Selects a folder in the tree (and so shows it in the folder view); false when the
    // tree has no such folder.
    bool showFolder(const QString& folder);

    // The folder-view modes (ViewOption 0, 1, 2).
    void ImageStep1ListClick();
    void ImageStep1GalleryClick();
    void ImageStep1LargeClick();
    // The strip sizes (PreviewOption 0, 1).
    void ImageStep1PreviewNormalClick();
    void ImageStep1PreviewLargeClick();
    // "Liste leeren": empties the slide list; a list that had slides counts as changed.
    void LabelPreviewClearClick();

    int previewOption() const { return PreviewOption; }
    // The step-1 strip's picture of a file, if it has made one (null otherwise).
    QImage stripPicture(const QString& file) const;

    FolderView* folderView() const { return m_folderView; }
    QTreeView* folderTree() const { return m_tree; }
    SlideStrip* slideStrip() const { return m_strip; }
    QWidget* stripArea() const { return m_stripArea; }

private:
    QWidget* buildHeader();
    QWidget* buildExplorer();
    QWidget* buildStripArea();
    QWidget* buildStripHeader();
    QWidget* buildStripFrame();
    void setViewOption(int option);
    void setPreviewOption(int option);
    void treeFolderChosen();

    TFormMain& m_form;
    FolderTreeModel* m_treeModel = nullptr;
    QTreeView* m_tree = nullptr;
    FolderView* m_folderView = nullptr;
    QSplitter* m_splitter = nullptr;
    QWidget* m_stripArea = nullptr;
    SlideStrip* m_strip = nullptr;
    PictureIcon* m_modeIcons[3] = {};
    PictureIcon* m_sizeIcons[2] = {};
    ClickLabel* m_clear = nullptr;
    int PreviewOption = 0;
};

} // namespace vistarel::app
