#include "Fonts.h"

#include "Platform.h"

#include <QFontDatabase>

namespace {

QString FindWindowFontFamily()
{
    const QString tahoma = QStringLiteral("Tahoma");
    if (QFontDatabase::families().contains(tahoma))
        return tahoma;
    if (const QString registered = RegisterFallbackTahoma(); !registered.isEmpty())
        return registered;
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

} // namespace

QString WindowFontFamily()
{
    static const QString family = FindWindowFontFamily();
    return family;
}
