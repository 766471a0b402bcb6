#include "app/desktop.h"

#include "app/messagedialogs.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace vistarel::app {

FileDialogTexts::FileDialogTexts(const QString& name, QString title, QString filter,
                                 QObject* parent)
    : QObject(parent)
    , m_title(std::move(title))
    , m_filter(std::move(filter))
{
    setObjectName(name);
}

TaskDialogButtons::TaskDialogButtons(QObject* parent)
    : QObject(parent)
    , m_buttons{QStringLiteral("OK"), QStringLiteral("Abbrechen")}
{
    setObjectName(QStringLiteral("AdvMetroTaskDialogOKCancel"));
}

Desktop::~Desktop() = default;

QStringList WidgetDesktop::chooseFiles(QWidget* parent, const FileDialogRequest& request)
{
    QFileDialog dialog(parent, request.title, request.initialPath, qtFileFilter(request.filter));
    dialog.setDefaultSuffix(request.defaultSuffix);
    switch (request.mode) {
    case FileDialogMode::Open:
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        break;
    case FileDialogMode::OpenMany:
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFiles);
        break;
    case FileDialogMode::Save:
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        break;
    }
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

render::DialogResult WidgetDesktop::taskDialog(QWidget* parent, const lang::TaskDialogText& text,
                                               TaskDialogKind kind, const QStringList& buttons)
{
    TaskDialog dialog(parent, text, kind, buttons);
    return dialog.exec() == QDialog::Accepted ? render::DialogResult::Ok
                                              : render::DialogResult::Cancel;
}

void WidgetDesktop::messageBox(QWidget* parent, const QString& text, MessageKind kind)
{
    QMessageBox box(kind == MessageKind::Warning ? QMessageBox::Warning : QMessageBox::Information,
                    QStringLiteral("Vistarel"), text, QMessageBox::Ok, parent);
    box.exec();
}

void WidgetDesktop::crashNotice(QWidget* parent, const CrashNotice& notice)
{
    CrashNoticeDialog dialog(parent, notice, *this);
    dialog.exec();
}

bool WidgetDesktop::openUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

QString qtFileFilter(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(u';', u' ');
        filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns.simplified());
    }
    return filters.join(QStringLiteral(";;"));
}

} // namespace vistarel::app
