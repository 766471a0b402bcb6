#pragma once

#include <QLocale>
#include <QPoint>
#include <QString>

#include <optional>

namespace vistarel::project {

// The per-user program settings (organisation "Tarvik", application "Vistarel", INI
// format). Every read and write opens the store afresh, so values written elsewhere are
// seen at once. A missing or unreadable value falls back to its default.
class Settings
{
public:
    // The user's store.
    Settings();
    // A store in the given INI file (tests, portable use).
    explicit Settings(QString iniFile);

    bool contains(const QString& name) const;
    std::optional<int> integer(const QString& name) const;
    std::optional<QString> text(const QString& name) const;
    void setInteger(const QString& name, int value);
    void setText(const QString& name, const QString& value);
    void remove(const QString& name);

    // Named values with the defaults of a first start.
    QString lastFolder() const; // empty when missing
    int viewOption() const;     // 0 list, 1 gallery (default), 2 large thumbnails
    int previewOption() const;  // step-1 strip: 0 normal (default), 1 large
    int imagesOption() const;   // step-2 strip: 0 normal (default), 1 large
    bool windowMaximized() const;
    std::optional<QString> language() const;
    std::optional<QString> lastOutput() const;
    bool showStartPanel() const; // false only when stored as 0
    QString updateUrl() const;   // empty: no update check

private:
    QString m_iniFile; // empty: the user's store
};

// Value names, as stored.
namespace settingname {
inline const QString LastFolder = QStringLiteral("LastFolder");
inline const QString ViewOption = QStringLiteral("ViewOption");
inline const QString PreviewOption = QStringLiteral("PreviewOption");
inline const QString ImagesOption = QStringLiteral("ImagesOption");
inline const QString WindowMaximized = QStringLiteral("WindowMaximized");
inline const QString WindowLeft = QStringLiteral("WindowLeft");
inline const QString WindowTop = QStringLiteral("WindowTop");
inline const QString WindowWidth = QStringLiteral("WindowWidth");
inline const QString WindowHeight = QStringLiteral("WindowHeight");
inline const QString SavedPPI = QStringLiteral("SavedPPI");
inline const QString Language = QStringLiteral("Language");
inline const QString LastOutput = QStringLiteral("LastOutput");
inline const QString ShowStartPanel = QStringLiteral("ShowStartPanel");
inline const QString UpdateUrl = QStringLiteral("UpdateUrl");
QString recent(int i); // "Recent1" .. "Recent4"
} // namespace settingname

// Where the window goes at start, from the stored geometry.
struct StartGeometry
{
    std::optional<QPoint> position; // only when both WindowLeft and WindowTop exist
    std::optional<int> width;       // stored width scaled by currentPpi / SavedPPI
    std::optional<int> height;
    bool maximized = false;
};
StartGeometry startGeometry(const Settings& settings, double currentPpi);

// The interface language at start: the stored one, else "de" on a German system and
// "en" elsewhere.
QString startLanguage(const Settings& settings, const QLocale& system = QLocale::system());

} // namespace vistarel::project
