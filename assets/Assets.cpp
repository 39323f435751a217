#include "Assets.h"

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

}  // namespace Assets
