#include "project/settings.h"

#include <QSettings>

#include <cmath>
#include <memory>

namespace vistarel::project {

namespace {

std::unique_ptr<QSettings> openStore(const QString& iniFile)
{
    if (iniFile.isEmpty())
        return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                           QStringLiteral("Tarvik"), QStringLiteral("Vistarel"));
    return std::make_unique<QSettings>(iniFile, QSettings::IniFormat);
}

} // namespace

QString settingname::recent(int i)
{
    return QStringLiteral("Recent%1").arg(i);
}

Settings::Settings() = default;

Settings::Settings(QString iniFile)
    : m_iniFile(std::move(iniFile))
{
}

bool Settings::contains(const QString& name) const
{
    return openStore(m_iniFile)->contains(name);
}

std::optional<int> Settings::integer(const QString& name) const
{
    const QVariant v = openStore(m_iniFile)->value(name);
    if (!v.isValid())
        return std::nullopt;
    bool ok = false;
    const int value = v.toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

std::optional<QString> Settings::text(const QString& name) const
{
    const QVariant v = openStore(m_iniFile)->value(name);
    if (!v.isValid())
        return std::nullopt;
    return v.toString();
}

void Settings::setInteger(const QString& name, int value)
{
    openStore(m_iniFile)->setValue(name, value);
}

void Settings::setText(const QString& name, const QString& value)
{
    openStore(m_iniFile)->setValue(name, value);
}

void Settings::remove(const QString& name)
{
    openStore(m_iniFile)->remove(name);
}

QString Settings::lastFolder() const
{
    return text(settingname::LastFolder).value_or(QString());
}

int Settings::viewOption() const
{
    return integer(settingname::ViewOption).value_or(1);
}

int Settings::previewOption() const
{
    return integer(settingname::PreviewOption).value_or(0);
}

int Settings::imagesOption() const
{
    return integer(settingname::ImagesOption).value_or(0);
}

bool Settings::windowMaximized() const
{
    return integer(settingname::WindowMaximized).value_or(0) != 0;
}

std::optional<QString> Settings::language() const
{
    return text(settingname::Language);
}

std::optional<QString> Settings::lastOutput() const
{
    return text(settingname::LastOutput);
}

bool Settings::showStartPanel() const
{
    const auto stored = integer(settingname::ShowStartPanel);
    return !(stored && *stored == 0);
}

QString Settings::updateUrl() const
{
    return text(settingname::UpdateUrl).value_or(QString());
}

StartGeometry startGeometry(const Settings& settings, double currentPpi)
{
    StartGeometry g;
    const auto left = settings.integer(settingname::WindowLeft);
    const auto top = settings.integer(settingname::WindowTop);
    if (left && top)
        g.position = QPoint(*left, *top);
    const auto savedPpi = settings.integer(settingname::SavedPPI);
    const double ratio = (savedPpi && *savedPpi > 0) ? currentPpi / *savedPpi : 1.0;
    if (const auto w = settings.integer(settingname::WindowWidth))
        g.width = static_cast<int>(std::nearbyint(*w * ratio));
    if (const auto h = settings.integer(settingname::WindowHeight))
        g.height = static_cast<int>(std::nearbyint(*h * ratio));
    g.maximized = settings.windowMaximized();
    return g;
}

QString startLanguage(const Settings& settings, const QLocale& system)
{
    if (const auto stored = settings.language(); stored && !stored->isEmpty())
        return *stored;
    return system.language() == QLocale::German ? QStringLiteral("de") : QStringLiteral("en");
}

} // namespace vistarel::project
