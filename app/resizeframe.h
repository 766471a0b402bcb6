#pragma once

#include <QList>
#include <QObject>
#include <QWidget>

namespace vistarel::app {

// One of the eight 4-pixel pictures along the window's edges and corners
// (ImageResizeLeft ... ImageResizeBottomRight). It draws nothing; it only shows its
// sizing cursor and reports a left-button press.
class ResizeHandle : public QWidget
{
    Q_OBJECT

public:
    ResizeHandle(const QString& name, Qt::Edges edges, Qt::CursorShape shape, QWidget* parent);

    Qt::Edges edges() const { return m_edges; }
    // The sizing cursor, or the normal arrow (while the window is maximised).
    void setSizingCursor(bool sizing);

signals:
    void pressed(Qt::Edges edges);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    Qt::Edges m_edges;
    Qt::CursorShape m_shape;
};

// The resize frame of the borderless window: places the eight handles over the window's
// edges and keeps them above everything else.
class ResizeFrame : public QObject
{
    Q_OBJECT

public:
    explicit ResizeFrame(QWidget* window);

    void layout();
    void setSizingCursors(bool sizing);
    const QList<ResizeHandle*>& handles() const { return m_handles; }

signals:
    void resizeRequested(Qt::Edges edges);

private:
    QWidget* m_window;
    QList<ResizeHandle*> m_handles;
};

} // namespace vistarel::app
