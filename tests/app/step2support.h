#pragma once

// Helpers of the step-2 tests: a shown window on step 2 with generated slides, and the
// user's ways of choosing in lists.
#include "app/formmain.h"
#include "app/step2page.h"
#include "project/myimageinfo.h"
#include "testsupport.h"

#include <QColor>
#include <QSize>
#include <QString>
#include <QStringList>

#include <memory>

class QComboBox;
class QListWidget;

namespace vistarel::app::test {

void writePicture(const QString& path, const QColor& colour, QSize size = {64, 48});

// A shown window on step 2 with one slide per name: ".png" names become pictures of
// their own colour, other names empty files.
struct Step2Window
{
    WindowEnvironment env;
    std::unique_ptr<TFormMain> w;
    Step2Page* page = nullptr;

    explicit Step2Window(const QStringList& names, int height = 0);

    void select(int index);
    project::TMyImageInfo* record(int index) { return w->slides().settings(index); }
    void waitForPreview();
};

// A choice in a list as the user makes it.
void choose(QComboBox* list, int index);
void clickRow(QListWidget* list, int row);
void clickWidget(QWidget* window, const char* name);
// The paragraphs' texts of a subtitle, joined with '|'.
QString subtitleText(const QString& rtf);
// The list positions, whatever the language.
QString positionsOf(Step2Page* page);
QString controlsOf(Step2Page* page);

} // namespace vistarel::app::test
