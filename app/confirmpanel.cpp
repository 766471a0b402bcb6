#include "app/confirmpanel.h"

#include "app/formtranslator.h"
#include "app/style.h"
#include "app/widgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace vistarel::app {

ConfirmPanel::ConfirmPanel(QWidget* parent)
    : OverlayPanel(QStringLiteral("RzPanelProjectNew"), {488, 200}, colour::kPanel, parent)
    , m_title(makeLabel(QStringLiteral("LabelProjectNewTitle"), QString(), 18, QFont::Normal,
                        Qt::white, this))
{
    // The title is composed by the program for each request (messages Str71..Str73).
    markProgramTexts(m_title, {QStringLiteral("Caption")});
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(10);
    layout->addWidget(m_title);
    QLabel* info = makeLabel(QStringLiteral("LabelProjectNewInfo"),
                             QStringLiteral("Sind Sie sicher, dass Sie eventuell vorgenommene "
                                            "Einstellungen verwerfen und ein neues Projekt "
                                            "starten möchten?"),
                             13, QFont::Normal, QColor(0xDD, 0xDD, 0xDD), this);
    info->setWordWrap(true);
    info->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(info, 1);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    buttons->addStretch(1);
    QAbstractButton* yes = makeButton(QStringLiteral("RzBmpButtonProjectNewYes"),
                                      QStringLiteral("Speichern"), "primary", this);
    QAbstractButton* no = makeButton(QStringLiteral("RzBmpButtonProjectNewNo"),
                                     QStringLiteral("Nicht speichern"), "secondary", this);
    QAbstractButton* cancel = makeButton(QStringLiteral("RzBmpButtonProjectNewCancel"),
                                         QStringLiteral("Abbrechen"), "secondary", this);
    for (QAbstractButton* b : {yes, no, cancel}) {
        b->setMinimumWidth(120);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    connect(yes, &QAbstractButton::clicked, this, [this] { emit answered(ConfirmAnswer::Save); });
    connect(no, &QAbstractButton::clicked, this, [this] { emit answered(ConfirmAnswer::DontSave); });
    connect(cancel, &QAbstractButton::clicked, this, [this] { emit answered(ConfirmAnswer::Cancel); });
}

void ConfirmPanel::setTitle(const QString& title)
{
    m_title->setText(title);
}

QString ConfirmPanel::title() const
{
    return m_title->text();
}

} // namespace vistarel::app
