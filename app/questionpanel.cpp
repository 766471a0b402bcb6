#include "app/questionpanel.h"

#include "app/style.h"
#include "app/widgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace vistarel::app {

QuestionPanel::QuestionPanel(const QString& panelName, const QString& partName,
                             const QString& title, const QString& question, QWidget* parent)
    : OverlayPanel(panelName, {440, 190}, colour::kPanel, parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 20);
    layout->setSpacing(10);
    layout->addWidget(makeLabel(u"Label"_qs + partName + u"Title"_qs, title, 18, QFont::Normal,
                                Qt::white, this));
    QLabel* info = makeLabel(u"Label"_qs + partName + u"Info"_qs, question, 13, QFont::Normal,
                             QColor(0xDD, 0xDD, 0xDD), this);
    info->setWordWrap(true);
    info->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(info, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QAbstractButton* yesButton =
        makeButton(u"RzBmpButton"_qs + partName + u"Yes"_qs, QStringLiteral("Ja"), "primary", this);
    QAbstractButton* noButton = makeButton(u"RzBmpButton"_qs + partName + u"No"_qs,
                                           QStringLiteral("Nein"), "secondary", this);
    for (QAbstractButton* b : {yesButton, noButton}) {
        b->setMinimumWidth(110);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    connect(yesButton, &QAbstractButton::clicked, this, &QuestionPanel::yes);
    connect(noButton, &QAbstractButton::clicked, this, &QuestionPanel::no);
}

} // namespace vistarel::app
