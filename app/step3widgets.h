#pragma once

#include <QAbstractButton>
#include <QWidget>

class QLineEdit;

namespace vistarel::app {

// A file-name field with a browse button at its right end (ElFileNameEdit…). It only
// reports the button; the page opens the dialog with the field's Title and Filter, which
// the language files translate ("<name>_Title", "<name>_Filter").
class FileNameEdit : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Title READ title WRITE setTitle)
    Q_PROPERTY(QString Filter READ filter WRITE setFilter)

public:
    FileNameEdit(const QString& name, QString title, QString filter, QWidget* parent);

    QString text() const;
    void setText(const QString& text);
    QString title() const { return m_title; }
    void setTitle(const QString& title) { m_title = title; }
    QString filter() const { return m_filter; }
    void setFilter(const QString& filter) { m_filter = filter; }
    QLineEdit* lineEdit() const { return m_edit; }
    QAbstractButton* browseButton() const { return m_browse; }

signals:
    void textEdited(const QString& text); // typed by the user, not set by the program
    void browseClicked();

private:
    QLineEdit* m_edit;
    QAbstractButton* m_browse;
    QString m_title;
    QString m_filter;
};

// The small round add and remove icons of the music list.
class MusicIcon : public QAbstractButton
{
    Q_OBJECT

public:
    enum class Kind { Add, Remove };
    MusicIcon(const QString& name, Kind kind, const QString& hint, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Kind m_kind;
};

// The render button (200 × 41): a film-and-play mark at the left, the caption 43 pixels
// from the left edge, with a normal, hot, pressed and disabled look.
class RenderButton : public QAbstractButton
{
    Q_OBJECT

public:
    RenderButton(const QString& name, const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace vistarel::app
