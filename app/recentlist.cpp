#include "app/recentlist.h"

#include "app/formtranslator.h"
#include "app/style.h"

#include <QDir>
#include <QFileInfo>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QToolTip>

namespace vistarel::app {

namespace {

constexpr int kTextInset = 12;

class RecentRowDelegate : public QStyledItemDelegate
{
public:
    explicit RecentRowDelegate(RecentList* list)
        : QStyledItemDelegate(list)
        , m_list(list)
    {
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        return {0, RecentList::kRowHeight};
    }

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const QRect r = option.rect;
        const bool selected = option.state & QStyle::State_Selected;
        p->save();
        p->fillRect(r, selected ? colour::kAccent : colour::kRow);
        p->setPen(colour::kRowLine);
        if (index.row() == 0)
            p->drawLine(r.topLeft(), r.topRight());
        p->drawLine(r.bottomLeft(), r.bottomRight());
        QFont f = option.font;
        f.setPixelSize(kBaseFontPixels);
        p->setFont(f);
        const QFontMetrics fm(f);
        // Both texts share one baseline: the row's top plus half the free height.
        const int top = r.top() + (r.height() - fm.boundingRect(QStringLiteral("Ag")).height()) / 2;
        const QRect textBox(r.left() + kTextInset, top, r.width() - 2 * kTextInset, fm.height());
        p->setPen(Qt::white);
        p->drawText(textBox, Qt::AlignLeft | Qt::AlignTop, index.data().toString());
        const QString date = m_list->recentDates().value(index.row());
        if (!date.isEmpty()) {
            p->setPen(selected ? QColor(Qt::white) : colour::kDimText);
            p->drawText(textBox, Qt::AlignRight | Qt::AlignTop, date);
        }
        p->restore();
    }

private:
    RecentList* m_list;
};

} // namespace

RecentList::RecentList(QWidget* parent)
    : QListWidget(parent)
{
    setObjectName(QStringLiteral("RzListBoxStartRecent"));
    setItemDelegate(new RecentRowDelegate(this));
    markProgramTexts(this, {QStringLiteral("Items")}); // file names
    setUniformItemSizes(true);
    setMouseTracking(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    QPalette pal = palette();
    pal.setColor(QPalette::Base, colour::kPanel);
    setPalette(pal);
    setStyleSheet(QStringLiteral("QListWidget { background-color: #272727; }"));
}

void RecentList::setProjects(const QList<project::RecentProject>& projects)
{
    clear();
    FRecentFiles.clear();
    FRecentDates.clear();
    for (const project::RecentProject& p : projects) {
        FRecentFiles << p.path;
        FRecentDates << p.dateText;
        addItem(p.name);
    }
    m_hint.clear();
}

int RecentList::selectedRow() const
{
    const QList<QListWidgetItem*> items = selectedItems();
    return items.isEmpty() ? -1 : row(items.first());
}

void RecentList::mouseMoveEvent(QMouseEvent* event)
{
    const QModelIndex under = indexAt(event->position().toPoint());
    const int hovered = under.isValid() ? under.row() : -1;
    if (hovered != selectedRow()) {
        if (hovered >= 0)
            setCurrentRow(hovered);
        else
            clearSelection();
    }
    const QString hint = recentHint(FRecentFiles, hovered);
    if (hint != m_hint) {
        m_hint = hint;
        QToolTip::hideText();
    }
    QListWidget::mouseMoveEvent(event);
}

void RecentList::mouseReleaseEvent(QMouseEvent* event)
{
    QListWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        emit rowClicked(selectedRow());
}

bool RecentList::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (m_hint.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), m_hint, viewport());
        return true;
    }
    return QListWidget::viewportEvent(event);
}

QString recentHint(const QStringList& files, int row)
{
    if (row < 0 || row >= files.size())
        return {};
    const QFileInfo hovered(files[row]);
    for (int i = 0; i < files.size(); ++i) {
        if (i != row &&
            QFileInfo(files[i]).fileName().compare(hovered.fileName(), Qt::CaseInsensitive) == 0)
            return QDir::toNativeSeparators(hovered.absolutePath());
    }
    return {};
}

} // namespace vistarel::app
