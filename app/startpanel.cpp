#include "app/startpanel.h"

#include "app/recentlist.h"
#include "app/style.h"
#include "app/widgets.h"
#include "project/recentprojects.h"
#include "project/settings.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace vistarel::app {

StartPanel::StartPanel(project::Settings& settings, QWidget* parent)
    : OverlayPanel(QStringLiteral("RzPanelStart"), {560, 444}, colour::kPanel, parent)
    , m_settings(settings)
    , m_recent(new RecentList(this))
    , m_box(new BoxGlyph(QStringLiteral("LabelStartNoShowBox"), this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 26, 32, 20);
    layout->setSpacing(0);
    layout->addWidget(makeLabel(QStringLiteral("LabelStartTitle"),
                                QStringLiteral("Willkommen bei Vistarel"), 24, QFont::Light,
                                Qt::white, this));
    layout->addSpacing(4);
    layout->addWidget(makeLabel(QStringLiteral("LabelStartQuestion"),
                                QStringLiteral("Wie möchten Sie beginnen?"), 14, QFont::Normal,
                                colour::kDimText, this));
    layout->addSpacing(18);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(16);
    auto* newButton = new ImageButton(QStringLiteral("MyImgButtonStartNew"), Glyph::NewProject,
                                      QStringLiteral("Neues Projekt"), this);
    auto* openButton = new ImageButton(QStringLiteral("MyImgButtonStartOpen"), Glyph::OpenProject,
                                       QStringLiteral("Projekt öffnen..."), this);
    for (ImageButton* b : {newButton, openButton}) {
        b->setFixedHeight(104);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    layout->addSpacing(22);

    QLabel* heading = makeLabel(QStringLiteral("LabelStartRecent"),
                                QStringLiteral("ZULETZT VERWENDET"), 11, QFont::DemiBold,
                                colour::kDimText, this);
    QFont spaced = heading->font();
    spaced.setLetterSpacing(QFont::AbsoluteSpacing, 1.2);
    heading->setFont(spaced);
    layout->addWidget(heading);
    layout->addSpacing(8);
    m_recent->setFixedHeight(4 * RecentList::kRowHeight + 2);
    layout->addWidget(m_recent);
    layout->addStretch(1);

    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(6);
    auto* noShow = new ClickLabel(QStringLiteral("LabelStartNoShow"),
                                  QStringLiteral("Beim Start nicht mehr anzeigen"), this);
    bottom->addWidget(m_box);
    bottom->addWidget(noShow);
    bottom->addStretch(1);
    QAbstractButton* close = makeButton(QStringLiteral("RzBmpButtonStartClose"),
                                        QStringLiteral("Schließen"), "secondary", this);
    close->setMinimumWidth(110);
    bottom->addWidget(close);
    layout->addLayout(bottom);

    connect(newButton, &QAbstractButton::clicked, this, &QWidget::hide);
    connect(openButton, &QAbstractButton::clicked, this, &StartPanel::openRequested);
    connect(close, &QAbstractButton::clicked, this, &QWidget::hide);
    connect(m_box, &BoxGlyph::clicked, this, &StartPanel::toggleStartNoShow);
    connect(noShow, &ClickLabel::clicked, this, &StartPanel::toggleStartNoShow);
    connect(m_recent, &RecentList::rowClicked, this, &StartPanel::recentClicked);
}

void StartPanel::showAtStart()
{
    FStartNoShow = !m_settings.showStartPanel();
    if (FStartNoShow)
        return;
    fillRecentList();
    m_box->setTicked(FStartNoShow);
    showInFront();
}

void StartPanel::fillRecentList()
{
    m_recent->setProjects(project::recentProjectsForStartPanel(m_settings));
}

void StartPanel::toggleStartNoShow()
{
    FStartNoShow = !FStartNoShow;
    m_box->setTicked(FStartNoShow);
    m_settings.setInteger(project::settingname::ShowStartPanel, FStartNoShow ? 0 : 1);
}

void StartPanel::recentClicked(int row)
{
    if (row < 0 || row >= m_recent->recentFiles().size())
        return;
    emit recentRequested(m_recent->recentFiles().at(row));
}

} // namespace vistarel::app
