#include "kit/layoutmemory.h"

#include <QDir>
#include <QMdiSubWindow>
#include <QSettings>
#include <QWidget>

namespace kit {

namespace {

QSettings settings()
{
    return QSettings(layoutFile(), QSettings::IniFormat);
}

} // namespace

QString layoutFile()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/duredir/layout.ini");
}

QByteArray loadGeometry(const QString& key)
{
    return settings().value(QStringLiteral("geometry/") + key).toByteArray();
}

void saveGeometry(const QString& key, const QByteArray& geometry)
{
    QSettings s = settings();
    s.setValue(QStringLiteral("geometry/") + key, geometry);
}

QList<QPair<QString, int>> loadColumnWidths(const QString& gridKey)
{
    QList<QPair<QString, int>> out;
    QSettings s = settings();
    s.beginGroup(QStringLiteral("columns/") + gridKey);
    for (const QString& field : s.childKeys()) {
        const int w = s.value(field).toInt();
        if (w > 0)
            out.append({field, w});
    }
    return out;
}

void saveColumnWidths(const QString& gridKey, const QList<QPair<QString, int>>& widths)
{
    QSettings s = settings();
    s.beginGroup(QStringLiteral("columns/") + gridKey);
    for (const auto& [field, width] : widths)
        s.setValue(field, width);
}

QString gridKey(const QWidget* grid)
{
    const QWidget* window = grid->window();
    for (const QWidget* w = grid; w; w = w->parentWidget())
        if (qobject_cast<const QMdiSubWindow*>(w->parentWidget())) {
            window = w;
            break;
        }
    return QString::fromLatin1(window->metaObject()->className()) + QLatin1Char('.') + grid->objectName();
}

} // namespace kit
