#include "Assets.h"

#include <QCoreApplication>
#include <QFont>
#include <array>

namespace Assets {

QString SheetPath(int index)
{
    static const std::array<const char*, 4> names{"background", "tiles", "explosion", "digits"};
    return QStringLiteral(":/art/%1.png").arg(QLatin1String(names.at(index)));
}

QString ClipPath(int effect)
{
    return QStringLiteral(":/sound/effect%1.wav").arg(effect);
}

QString PicturePath(const QString& name)
{
    return QStringLiteral(":/art/%1.png").arg(name);
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(PicturePath(QStringLiteral("icon_%1").arg(size)), QSize(size, size));
    return icon;
}

void UseMetricCompatibleFaces()
{
    const QStringList metricCompatible{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")};
    QFont::insertSubstitutions(QStringLiteral("Arial"), metricCompatible);
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), metricCompatible);
}

}  // namespace Assets

namespace {

void UseMetricCompatibleFacesAtStart()
{
    Assets::UseMetricCompatibleFaces();
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(UseMetricCompatibleFacesAtStart)
