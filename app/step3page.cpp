#include "app/step3page.h"

#include "app/desktop.h"
#include "app/formmain.h"
#include "app/formtranslator.h"
#include "app/step1page.h"
#include "app/step3rules.h"
#include "app/step3widgets.h"
#include "app/style.h"
#include "app/widgets.h"
#include "project/optionlists.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <functional>
#include <utility>

namespace vistarel::app {

namespace {

using project::kNoPosition;
using project::kYesPosition;
constexpr int kLabelColumnWidth = 250;
constexpr int kComboWidth = 180;
constexpr int kSizeEditWidth = 64;
constexpr int kMusicListHeight = 96;

// Sets a flag for the lifetime of the object; filling the page is not a user edit.
class Filling
{
public:
    explicit Filling(bool& flag) : m_flag(flag), m_before(std::exchange(flag, true)) {}
    ~Filling() { m_flag = m_before; }
    Filling(const Filling&) = delete;
    Filling& operator=(const Filling&) = delete;

private:
    bool& m_flag;
    bool m_before;
};

QComboBox* makeChoice(const QString& name, const QStringList& entries, int current, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItems(entries);
    box->setCurrentIndex(current);
    box->setFixedWidth(kComboWidth);
    return box;
}

QComboBox* makeYesNo(const QString& name, QWidget* parent)
{
    return makeChoice(name, project::yesNoEntries(), kNoPosition, parent);
}

QLineEdit* makeSizeEdit(const QString& name, const QString& text, QWidget* parent)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setFixedWidth(kSizeEditWidth);
    edit->setAlignment(Qt::AlignCenter);
    // Typed characters other than digits are discarded; at most four of them.
    edit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,4}")), edit));
    edit->setEnabled(false);
    return edit;
}

// A section: its title and question above a grid of labelled rows.
QGridLayout* addSection(QWidget* section, const QString& name, const QString& title,
                        const QString& question)
{
    auto* column = new QVBoxLayout(section);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    column->addWidget(makeLabel(QStringLiteral("LabelStep3%1Title").arg(name), title, 17,
                                QFont::Light, Qt::white, section));
    column->addWidget(makeLabel(QStringLiteral("LabelStep3%1Question").arg(name), question,
                                kBaseFontPixels, QFont::Normal, colour::kDimText, section));
    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 6, 0, 0);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    grid->setColumnMinimumWidth(0, kLabelColumnWidth);
    grid->setColumnStretch(2, 1);
    column->addLayout(grid);
    return grid;
}

QLabel* rowLabel(const QString& name, const QString& text, QWidget* parent)
{
    return makeLabel(name, text, kBaseFontPixels, QFont::Normal, Qt::white, parent);
}

void retainSpaceWhenHidden(QWidget* widget)
{
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

} // namespace

Step3Page::Step3Page(TFormMain& form)
    : QWidget(&form)
    , m_form(form)
{
    setObjectName(QStringLiteral("RzPanelStep3"));
    m_musicDialog = new FileDialogTexts(QStringLiteral("OpenDialogMusic"),
                                        QStringLiteral("MP3-Datei(en) hinzufügen"),
                                        QStringLiteral("MP3-Dateien|*.mp3"), this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 12, 24, 10);
    layout->setSpacing(14);
    layout->addWidget(buildResolution());
    layout->addWidget(buildMusic());
    auto* line = new QFrame(this);
    line->setFixedHeight(1);
    line->setStyleSheet(QStringLiteral("background-color: #2E9FFC;"));
    layout->addWidget(line);
    layout->addWidget(buildOutput());
    layout->addWidget(buildTask());
    layout->addStretch(1);
    QLabel* hint = makeLabel(QStringLiteral("LabelStep3Hint"),
                             QStringLiteral("Klicken Sie \"Slideshow erstellen\", um die Slideshow "
                                            "nun zu rendern und als Videodatei abzuspeichern."),
                             kBaseFontPixels, QFont::Normal, colour::kAccent, this);
    hint->setWordWrap(true);
    layout->addWidget(hint);
    layout->addLayout(buildBottom());
    connectControls();
    applyMusicVisibility();
    applyTaskVisibility();
}

QWidget* Step3Page::buildResolution()
{
    auto* section = new QWidget(this);
    QGridLayout* grid = addSection(section, QStringLiteral("Resolution"),
                                   QStringLiteral("Videoauflösung"),
                                   QStringLiteral("Legen Sie die Auflösung des Videos in Pixel fest."));
    QStringList entries;
    for (const ResolutionPreset& preset : kResolutionPresets)
        entries << QString::fromUtf8(preset.name);
    entries << QString::fromUtf8(kUserDefinedEntry);
    m_resolution = makeChoice(QStringLiteral("ElComboBoxStep3Resolution"), entries, 3, section);
    m_width = makeSizeEdit(QStringLiteral("ElEditStep3ResolutionX"), QStringLiteral("1920"), section);
    m_height = makeSizeEdit(QStringLiteral("ElEditStep3ResolutionY"), QStringLiteral("1080"), section);
    auto* row = new QHBoxLayout;
    row->setSpacing(8);
    row->addWidget(m_resolution);
    row->addSpacing(8);
    row->addWidget(m_width);
    row->addWidget(new QLabel(QStringLiteral("x"), section));
    row->addWidget(m_height);
    row->addStretch(1);
    grid->addWidget(rowLabel(QStringLiteral("LabelStep3Resolution"),
                             QStringLiteral("Videoauflösung in Pixel:"), section), 0, 0);
    grid->addLayout(row, 0, 1, 1, 2);
    return section;
}

QWidget* Step3Page::buildMusic()
{
    auto* section = new QWidget(this);
    QGridLayout* grid = addSection(section, QStringLiteral("Music"), QStringLiteral("Hintergrundmusik"),
                                   QStringLiteral("Möchten Sie Musik (MP3) in die Slideshow integrieren?"));
    m_music = makeYesNo(QStringLiteral("ElComboBoxStep3Music"), section);
    m_musicList = new QListWidget(section);
    m_musicList->setObjectName(QStringLiteral("RzListBoxStep3Music"));
    m_musicList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_musicList->setFixedHeight(kMusicListHeight);
    m_musicList->setStyleSheet(QStringLiteral("QListWidget::item { padding: 2px 6px; }"));
    markProgramTexts(m_musicList, {QStringLiteral("Items")}); // file paths
    m_musicAddLabel = rowLabel(QStringLiteral("LabelStep3MusicAdd"),
                               QStringLiteral("MP3-Dateien hinzufügen/entfernen:"), section);
    m_musicAdd = new MusicIcon(QStringLiteral("ImageStep3MusicAdd"), MusicIcon::Kind::Add,
                               QStringLiteral("Datei(en) hinzufügen"), section);
    m_musicRemove = new MusicIcon(QStringLiteral("ImageStep3MusicRemove"), MusicIcon::Kind::Remove,
                                  QStringLiteral("Markierte Datei(en) entfernen"), section);
    auto* icons = new QHBoxLayout;
    icons->setSpacing(6);
    icons->addWidget(m_musicAdd);
    icons->addWidget(m_musicRemove);
    icons->addStretch(1);
    m_repeat = makeYesNo(QStringLiteral("ElComboBoxStep3MusicRepeat"), section);
    for (QWidget* w : {static_cast<QWidget*>(m_musicList), static_cast<QWidget*>(m_musicAddLabel),
                       static_cast<QWidget*>(m_musicAdd), static_cast<QWidget*>(m_musicRemove)})
        retainSpaceWhenHidden(w);

    grid->addWidget(rowLabel(QStringLiteral("LabelStep3Music"),
                             QStringLiteral("Hintergrundmusik integrieren:"), section), 0, 0);
    grid->addWidget(m_music, 0, 1, Qt::AlignTop);
    grid->addWidget(m_musicList, 0, 2, 3, 1);
    grid->addWidget(m_musicAddLabel, 1, 0);
    grid->addLayout(icons, 1, 1);
    grid->setRowStretch(2, 1);
    auto* repeatQuestion = makeLabel(QStringLiteral("LabelStep3MusicRepeatQuestion"),
                                     QStringLiteral("Soll die Musik wiederholt abgespielt werden?"),
                                     kBaseFontPixels, QFont::Normal, colour::kDimText, section);
    grid->addWidget(repeatQuestion, 3, 0, 1, 3);
    grid->addWidget(rowLabel(QStringLiteral("LabelStep3MusicRepeat"),
                             QStringLiteral("Musikliste wiederholt abspielen:"), section), 4, 0);
    grid->addWidget(m_repeat, 4, 1);
    return section;
}

QWidget* Step3Page::buildOutput()
{
    auto* section = new QWidget(this);
    QGridLayout* grid = addSection(
        section, QStringLiteral("Output"), QStringLiteral("Videoausgabe"),
        QStringLiteral("Wählen Sie aus, unter welchem Dateinamen das Video gespeichert werden soll."));
    m_output = new FileNameEdit(QStringLiteral("ElFileNameEditStep3Output"),
                                QStringLiteral("Ausgabedatei speichern"),
                                QStringLiteral("MP4-Dateien|*.mp4"), section);
    grid->addWidget(rowLabel(QStringLiteral("LabelStep3Output"),
                             QStringLiteral("Ausgabedatei speichern:"), section), 0, 0);
    grid->addWidget(m_output, 0, 1, 1, 2);
    return section;
}

QWidget* Step3Page::buildTask()
{
    auto* section = new QWidget(this);
    QGridLayout* grid = addSection(section, QStringLiteral("Task"), QStringLiteral("Auftrag speichern"),
                                   QStringLiteral("Möchten Sie die vorgenommenen Einstellungen in "
                                                  "Form eines Vistarel-Auftrags speichern?"));
    m_task = makeYesNo(QStringLiteral("ElComboBoxStep3Task"), section);
    m_job = new FileNameEdit(QStringLiteral("ElFileNameEditStep3Task"),
                             QStringLiteral("Auftrag speichern"),
                             QStringLiteral("Vistarel-Aufträge|*.vrj"), section);
    retainSpaceWhenHidden(m_job);
    grid->addWidget(rowLabel(QStringLiteral("LabelStep3Task"),
                             QStringLiteral("Einstellungen speichern:"), section), 0, 0);
    grid->addWidget(m_task, 0, 1);
    grid->addWidget(m_job, 0, 2);
    return section;
}

QLayout* Step3Page::buildBottom()
{
    auto* bottom = new QHBoxLayout;
    m_back = makeButton(QStringLiteral("RzBmpButtonStep3Back"), QStringLiteral("Zurück"),
                        "secondary", this);
    m_back->setFixedSize(120, 41);
    m_render = new RenderButton(QStringLiteral("RzBmpButtonStep3Render"),
                                QStringLiteral("Slideshow erstellen"), this);
    bottom->addWidget(m_back);
    bottom->addStretch(1);
    bottom->addWidget(m_render);
    return bottom;
}

void Step3Page::connectControls()
{
    const auto onUserChoice = [this](QComboBox* box, std::function<void()> handler) {
        connect(box, &QComboBox::currentIndexChanged, this, [this, handler = std::move(handler)] {
            if (!m_filling)
                handler();
        });
    };
    onUserChoice(m_resolution, [this] { ElComboBoxStep3ResolutionChange(); });
    onUserChoice(m_music, [this] { ElComboBoxStep3MusicChange(); });
    onUserChoice(m_task, [this] { ElComboBoxStep3TaskChange(); });
    onUserChoice(m_repeat, [this] { m_form.markProjectChanged(); });
    const auto markChanged = [this] { m_form.markProjectChanged(); };
    connect(m_width, &QLineEdit::textEdited, this, markChanged);
    connect(m_height, &QLineEdit::textEdited, this, markChanged);
    connect(m_output, &FileNameEdit::textEdited, this, markChanged);
    connect(m_output, &FileNameEdit::browseClicked, this, &Step3Page::ElFileNameEditStep3OutputBrowse);
    connect(m_job, &FileNameEdit::browseClicked, this, &Step3Page::ElFileNameEditStep3TaskBrowse);
    connect(m_musicAdd, &QAbstractButton::clicked, this, &Step3Page::ImageStep3MusicAddClick);
    connect(m_musicRemove, &QAbstractButton::clicked, this, &Step3Page::ImageStep3MusicRemoveClick);
    connect(m_back, &QAbstractButton::clicked, this, &Step3Page::backClicked);
    connect(m_render, &QAbstractButton::clicked, this, &Step3Page::renderClicked);
}

// ---- the user's actions ------------------------------------------------------------

void Step3Page::ElComboBoxStep3ResolutionChange()
{
    m_form.markProjectChanged();
    applyResolutionRule();
}

// Positions 0..6 write their preset into the edits; the user-defined position keeps
// the texts and is the only one whose edits can be typed into.
void Step3Page::applyResolutionRule()
{
    const int index = m_resolution->currentIndex();
    if (index >= 0 && index < int(kResolutionPresets.size())) {
        m_width->setText(QString::number(kResolutionPresets[size_t(index)].width));
        m_height->setText(QString::number(kResolutionPresets[size_t(index)].height));
    }
    const bool typed = index == project::kUserDefinedResolution;
    m_width->setEnabled(typed);
    m_height->setEnabled(typed);
}

void Step3Page::ElComboBoxStep3MusicChange()
{
    m_form.markProjectChanged();
    applyMusicVisibility();
}

void Step3Page::applyMusicVisibility()
{
    const bool shown = m_music->currentIndex() == kYesPosition;
    for (QWidget* w : {static_cast<QWidget*>(m_musicList), static_cast<QWidget*>(m_musicAddLabel),
                       static_cast<QWidget*>(m_musicAdd), static_cast<QWidget*>(m_musicRemove)})
        w->setVisible(shown);
}

// The job switch is not project data: changing it leaves the changed flag alone.
void Step3Page::ElComboBoxStep3TaskChange()
{
    m_job->setText(prefilledJobFile(m_job->text(), m_form.saveDialogFileName(), m_output->text()));
    applyTaskVisibility();
}

void Step3Page::applyTaskVisibility()
{
    m_job->setVisible(m_task->currentIndex() == kYesPosition);
}

void Step3Page::ImageStep3MusicAddClick()
{
    // The first time, the folder step 1 shows: the music usually lies near the pictures.
    const QString folder =
        m_lastMusicFolder.isEmpty() ? m_form.step1()->currentFolder() : m_lastMusicFolder;
    const QStringList chosen = m_form.desktop().chooseFiles(
        &m_form, {FileDialogMode::OpenMany, m_musicDialog->title(), m_musicDialog->filter(),
                  QStringLiteral("mp3"), folder});
    if (chosen.isEmpty())
        return;
    // A file already in the list is added again: the list is a playing order.
    for (const QString& file : chosen)
        m_musicList->addItem(QFileInfo(file).absoluteFilePath());
    m_lastMusicFolder = QFileInfo(chosen.last()).absolutePath();
    m_form.markProjectChanged();
}

void Step3Page::ImageStep3MusicRemoveClick()
{
    bool removed = false;
    for (int row = m_musicList->count() - 1; row >= 0; --row) {
        if (m_musicList->item(row)->isSelected()) {
            delete m_musicList->takeItem(row);
            removed = true;
        }
    }
    if (removed)
        m_form.markProjectChanged();
}

void Step3Page::ElFileNameEditStep3OutputBrowse()
{
    const QStringList chosen = m_form.desktop().chooseFiles(
        &m_form, {FileDialogMode::Save, m_output->title(), m_output->filter(),
                  QStringLiteral("mp4"), m_output->text()});
    if (chosen.isEmpty())
        return;
    const QString name = withDefaultExtension(chosen.first(), QStringLiteral(".mp4"));
    if (name == m_output->text())
        return;
    m_output->setText(name);
    m_form.markProjectChanged();
}

void Step3Page::ElFileNameEditStep3TaskBrowse()
{
    const QStringList chosen = m_form.desktop().chooseFiles(
        &m_form, {FileDialogMode::Save, m_job->title(), m_job->filter(), QStringLiteral("vrj"),
                  m_job->text()});
    if (!chosen.isEmpty())
        m_job->setText(withDefaultExtension(chosen.first(), QStringLiteral(".vrj")));
}

// ---- filling from data ----------------------------------------------------------------

project::OutputSettings Step3Page::outputSettings() const
{
    project::OutputSettings s;
    s.ResolutionIndex = m_resolution->currentIndex();
    s.ResolutionX = m_width->text();
    s.ResolutionY = m_height->text();
    s.MusicIndex = m_music->currentIndex();
    s.MusicRepeat = m_repeat->currentIndex();
    for (int row = 0; row < m_musicList->count(); ++row)
        s.MusicFiles << m_musicList->item(row)->text();
    s.OutputFile = m_output->text();
    return s;
}

// A position outside a list leaves it without a choice, as the file asked for.
void Step3Page::setOutputSettings(const project::OutputSettings& settings)
{
    Filling filling(m_filling);
    m_resolution->setCurrentIndex(settings.ResolutionIndex);
    m_width->setText(settings.ResolutionX);
    m_height->setText(settings.ResolutionY);
    const bool typed = settings.ResolutionIndex == project::kUserDefinedResolution;
    m_width->setEnabled(typed);
    m_height->setEnabled(typed);
    m_music->setCurrentIndex(settings.MusicIndex);
    m_repeat->setCurrentIndex(settings.MusicRepeat);
    m_musicList->clear();
    m_musicList->addItems(settings.MusicFiles);
    m_output->setText(settings.OutputFile);
    applyMusicVisibility();
}

QString Step3Page::outputFile() const
{
    return m_output->text();
}

QString Step3Page::jobFile() const
{
    return m_job->text();
}

bool Step3Page::saveJob() const
{
    return m_task->currentIndex() == kYesPosition;
}

void Step3Page::setJobFile(const QString& path, bool save)
{
    Filling filling(m_filling);
    m_job->setText(path);
    m_task->setCurrentIndex(save ? kYesPosition : kNoPosition);
    applyTaskVisibility();
}

void Step3Page::resetForNewProject(const QString& defaultOutput)
{
    Filling filling(m_filling);
    m_output->setText(defaultOutput);
    setJobFile(QString(), false);
    m_musicList->clear();
    m_music->setCurrentIndex(kNoPosition);
    m_repeat->setCurrentIndex(kNoPosition);
    applyMusicVisibility();
}

void Step3Page::setRenderRunning(bool running)
{
    m_back->setEnabled(!running);
    m_render->setEnabled(!running);
}

} // namespace vistarel::app
