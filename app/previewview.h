#pragma once

#include <QImage>
#include <QWidget>

namespace vistarel::app {

// The preview ImageEnViewStep2TransitionPreview: a black field that shows one picture,
// centred, scaled down to fit when it is larger than the field (it is made at the
// field's size, so that happens only between a resize and the next preview). While a
// preview is being made the field shows nothing, as if hidden, keeping its place.
class PreviewView : public QWidget
{
    Q_OBJECT

public:
    explicit PreviewView(QWidget* parent);

    // The field's size in device pixels: the size pictures are made at.
    QSize pixelSize() const;
    void showPicture(const QImage& picture);
    void clear();
    // Hidden: the page's colour instead of the black field.
    void setHiddenLook(bool hidden);
    bool hasHiddenLook() const { return m_hidden; }
    const QImage& picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_picture;
    bool m_hidden = false;
};

} // namespace vistarel::app
