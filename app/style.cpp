#include "app/style.h"

#include <QApplication>
#include <QFont>
#include <QPalette>

namespace vistarel::app {

namespace {

QPalette darkPalette()
{
    QPalette p;
    p.setColor(QPalette::Window, colour::kPage);
    p.setColor(QPalette::WindowText, Qt::white);
    p.setColor(QPalette::Base, colour::kEdit);
    p.setColor(QPalette::AlternateBase, colour::kRow);
    p.setColor(QPalette::Text, Qt::white);
    p.setColor(QPalette::Button, colour::kButton);
    p.setColor(QPalette::ButtonText, Qt::white);
    p.setColor(QPalette::Highlight, colour::kAccent);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::ToolTipBase, colour::kPanel);
    p.setColor(QPalette::ToolTipText, Qt::white);
    p.setColor(QPalette::Link, colour::kAccent);
    p.setColor(QPalette::PlaceholderText, colour::kDimText);
    p.setColor(QPalette::Disabled, QPalette::Text, colour::kDimText);
    p.setColor(QPalette::Disabled, QPalette::WindowText, colour::kDimText);
    p.setColor(QPalette::Disabled, QPalette::ButtonText, colour::kDimText);
    return p;
}

const char* const kStyleSheet = R"css(
QToolTip { color: white; background-color: #272727; border: 1px solid #2E9FFC; padding: 3px;
           font-size: 13px; }
QMenu { background-color: #272727; color: white; border: 1px solid #4A4A4A; }
QMenu::item { padding: 4px 22px 4px 14px; }
QMenu::item:selected { background-color: #2E9FFC; }
QPushButton { color: white; background-color: #4A4A4A; border: none; padding: 6px 16px;
              min-height: 20px; }
QPushButton:hover { background-color: #5A5A5A; }
QPushButton:pressed { background-color: #3A3A3A; }
QPushButton:disabled { color: #8A8A8A; background-color: #3A3A3A; }
QPushButton[role="primary"] { background-color: #2E9FFC; }
QPushButton[role="primary"]:hover { background-color: #4AB0FF; }
QPushButton[role="primary"]:pressed { background-color: #1E86DA; }
QPushButton[role="primary"]:disabled { background-color: #2B5578; }
QPushButton[role="link"] { background: transparent; color: #2E9FFC; padding: 0px;
                           text-decoration: underline; min-height: 0px; }
QPushButton[role="link"]:hover { color: white; }
QComboBox, QLineEdit { color: white; background-color: #3F3F3F; border: 1px solid #4A4A4A;
                       padding: 3px 6px; selection-background-color: #2E9FFC; }
QComboBox:focus, QLineEdit:focus { border: 1px solid #2E9FFC; }
QComboBox:disabled, QLineEdit:disabled { color: #8A8A8A; }
QComboBox::drop-down { border: none; width: 18px; }
QComboBox QAbstractItemView { color: white; background-color: #3F3F3F;
                              selection-background-color: #2E9FFC; border: 1px solid #4A4A4A; }
QListView, QListWidget, QTreeView { color: white; background-color: #3F3F3F; border: none;
                                    selection-background-color: #2E9FFC; }
QScrollBar:vertical { background: #2A2A2A; width: 10px; margin: 0; }
QScrollBar:horizontal { background: #2A2A2A; height: 10px; margin: 0; }
QScrollBar::handle { background: #5A5A5A; min-width: 24px; min-height: 24px; }
QScrollBar::handle:hover { background: #2E9FFC; }
QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; }
QScrollBar::add-page, QScrollBar::sub-page { background: none; }
QTabWidget::pane { border: 1px solid #4A4A4A; top: -1px; }
QTabBar::tab { color: white; background: #3F3F3F; min-width: 120px; padding: 6px 0px;
               border: 1px solid #4A4A4A; }
QTabBar::tab:selected { background: #2E9FFC; border-color: #2E9FFC; }
QDialog { background-color: #323232; }
)css";

} // namespace

void applyDarkStyle(QApplication& app)
{
    QFont font = QApplication::font();
    font.setPixelSize(kBaseFontPixels);
    QApplication::setFont(font);
    QApplication::setPalette(darkPalette());
    app.setStyleSheet(QString::fromLatin1(kStyleSheet));
}

} // namespace vistarel::app
