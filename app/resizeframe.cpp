#include "app/resizeframe.h"

#include "app/style.h"

#include <QMouseEvent>
#include <QRegion>

namespace vistarel::app {

namespace {
// Corners reach this far along the edges so they are easy to hit.
constexpr int kCornerLength = 10;
} // namespace

ResizeHandle::ResizeHandle(const QString& name, Qt::Edges edges, Qt::CursorShape shape,
                           QWidget* parent)
    : QWidget(parent)
    , m_edges(edges)
    , m_shape(shape)
{
    setObjectName(name);
    setSizingCursor(true);
}

void ResizeHandle::setSizingCursor(bool sizing)
{
    setCursor(sizing ? m_shape : Qt::ArrowCursor);
}

void ResizeHandle::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit pressed(m_edges);
    event->accept();
}

ResizeFrame::ResizeFrame(QWidget* window)
    : QObject(window)
    , m_window(window)
{
    struct HandleKind
    {
        const char* name;
        Qt::Edges edges;
        Qt::CursorShape shape;
    };
    const HandleKind kinds[] = {
        {"ImageResizeLeft", Qt::LeftEdge, Qt::SizeHorCursor},
        {"ImageResizeRight", Qt::RightEdge, Qt::SizeHorCursor},
        {"ImageResizeTop", Qt::TopEdge, Qt::SizeVerCursor},
        {"ImageResizeBottom", Qt::BottomEdge, Qt::SizeVerCursor},
        {"ImageResizeTopLeft", Qt::TopEdge | Qt::LeftEdge, Qt::SizeFDiagCursor},
        {"ImageResizeTopRight", Qt::TopEdge | Qt::RightEdge, Qt::SizeBDiagCursor},
        {"ImageResizeBottomLeft", Qt::BottomEdge | Qt::LeftEdge, Qt::SizeBDiagCursor},
        {"ImageResizeBottomRight", Qt::BottomEdge | Qt::RightEdge, Qt::SizeFDiagCursor},
    };
    for (const HandleKind& kind : kinds) {
        auto* handle = new ResizeHandle(QString::fromLatin1(kind.name), kind.edges, kind.shape, window);
        connect(handle, &ResizeHandle::pressed, this, &ResizeFrame::resizeRequested);
        m_handles << handle;
    }
}

void ResizeFrame::layout()
{
    const int w = m_window->width();
    const int h = m_window->height();
    const int t = kFrameThickness;
    const int c = kCornerLength;
    for (ResizeHandle* handle : m_handles) {
        const Qt::Edges e = handle->edges();
        const bool corner = (e & (Qt::LeftEdge | Qt::RightEdge)) && (e & (Qt::TopEdge | Qt::BottomEdge));
        QRect r;
        if (corner) {
            r = QRect(e & Qt::LeftEdge ? 0 : w - c, e & Qt::TopEdge ? 0 : h - c, c, c);
            // An L of the frame's thickness, so the corner never covers the controls
            // next to it (the close button sits close to the top-right corner).
            const int x = e & Qt::LeftEdge ? 0 : c - t;
            const int y = e & Qt::TopEdge ? 0 : c - t;
            handle->setMask(QRegion(0, y, c, t) + QRegion(x, 0, t, c));
        } else if (e == Qt::LeftEdge) {
            r = QRect(0, c, t, h - 2 * c);
        } else if (e == Qt::RightEdge) {
            r = QRect(w - t, c, t, h - 2 * c);
        } else if (e == Qt::TopEdge) {
            r = QRect(c, 0, w - 2 * c, t);
        } else {
            r = QRect(c, h - t, w - 2 * c, t);
        }
        handle->setGeometry(r);
        handle->raise();
    }
}

void ResizeFrame::setSizingCursors(bool sizing)
{
    for (ResizeHandle* handle : m_handles)
        handle->setSizingCursor(sizing);
}

} // namespace vistarel::app
