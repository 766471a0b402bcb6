#include "app/messagedialogs.h"

#include "app/style.h"
#include "app/widgets.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace vistarel::app {

namespace {

// A round sign: "i" in accent blue for information, "!" in red for errors.
class SignWidget : public QWidget
{
public:
    SignWidget(bool error, QWidget* parent)
        : QWidget(parent)
        , m_error(error)
    {
        setFixedSize(32, 32);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(m_error ? colour::kCloseHover : colour::kAccent);
        p.drawEllipse(rect().adjusted(1, 1, -1, -1));
        QFont f = font();
        f.setPixelSize(20);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(rect(), Qt::AlignCenter, m_error ? QStringLiteral("!") : QStringLiteral("i"));
    }

private:
    bool m_error;
};

QLabel* wrappedLabel(const QString& text, int pixelSize, bool bold, const QColor& colour,
                     QWidget* parent)
{
    QLabel* label = makeLabel(QString(), text, pixelSize, bold ? QFont::Bold : QFont::Normal,
                              colour, parent);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QFrame* separator(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setFixedHeight(1);
    line->setAutoFillBackground(true);
    QPalette pal = line->palette();
    pal.setColor(QPalette::Window, colour::kRowLine);
    line->setPalette(pal);
    return line;
}

QPushButton* dialogButton(const QString& text, bool primary, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setProperty("role", primary ? "primary" : "secondary");
    button->setMinimumWidth(96);
    return button;
}

} // namespace

TaskDialog::TaskDialog(QWidget* parent, const lang::TaskDialogText& text, TaskDialogKind kind,
                       const QStringList& buttons)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Vistarel"));
    setMinimumWidth(460);
    setMaximumWidth(640);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 18, 20, 14);
    layout->setSpacing(10);

    auto* head = new QHBoxLayout;
    head->setSpacing(12);
    head->addWidget(new SignWidget(kind == TaskDialogKind::Error, this), 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(8);
    texts->addWidget(wrappedLabel(text.instruction, 16, true, Qt::white, this));
    if (!text.content.isEmpty())
        texts->addWidget(wrappedLabel(text.content, 13, false, Qt::white, this));
    head->addLayout(texts, 1);
    layout->addLayout(head);

    if (!text.footer.isEmpty()) {
        layout->addSpacing(4);
        layout->addWidget(separator(this));
        layout->addWidget(wrappedLabel(text.footer, 12, false, colour::kDimText, this));
    }

    auto* row = new QHBoxLayout;
    row->addStretch(1);
    auto* ok = dialogButton(buttons.value(0, QStringLiteral("OK")), true, this);
    auto* cancel = dialogButton(buttons.value(1, QStringLiteral("Abbrechen")), false, this);
    row->addWidget(ok);
    row->addWidget(cancel);
    layout->addLayout(row);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    ok->setDefault(true);
}

CrashNoticeDialog::CrashNoticeDialog(QWidget* parent, const CrashNotice& notice, Desktop& desktop)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Vistarel"));
    setMinimumWidth(520);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 18, 20, 14);
    layout->setSpacing(10);
    auto* head = new QHBoxLayout;
    head->setSpacing(12);
    head->addWidget(new SignWidget(true, this), 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    texts->addWidget(wrappedLabel(notice.title, 16, true, Qt::white, this));
    texts->addWidget(wrappedLabel(notice.text, 13, false, Qt::white, this));
    head->addLayout(texts, 1);
    layout->addLayout(head);

    auto* row = new QHBoxLayout;
    auto* show = dialogButton(notice.showReport, false, this);
    auto* folder = dialogButton(notice.openFolder, false, this);
    auto* close = dialogButton(notice.close, true, this);
    row->addWidget(show);
    row->addWidget(folder);
    row->addStretch(1);
    row->addWidget(close);
    layout->addLayout(row);
    const QString report = notice.reportPath;
    connect(show, &QPushButton::clicked, this,
            [&desktop, report] { desktop.openUrl(QUrl::fromLocalFile(report)); });
    connect(folder, &QPushButton::clicked, this, [&desktop, report] {
        desktop.openUrl(QUrl::fromLocalFile(QFileInfo(report).absolutePath()));
    });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    close->setDefault(true);
}

} // namespace vistarel::app
