#pragma once

#include "app/desktop.h"

#include <QDialog>

namespace vistarel::app {

// The program's task dialog "Vistarel": a bold instruction, the content, a footer under a
// line, and the buttons OK (accepts) and Cancel (rejects).
class TaskDialog : public QDialog
{
    Q_OBJECT

public:
    TaskDialog(QWidget* parent, const lang::TaskDialogText& text, TaskDialogKind kind,
               const QStringList& buttons);
};

// The notice shown at the start after a crash; its first two buttons open the report
// and its folder without closing the notice.
class CrashNoticeDialog : public QDialog
{
    Q_OBJECT

public:
    CrashNoticeDialog(QWidget* parent, const CrashNotice& notice, Desktop& desktop);
};

} // namespace vistarel::app
