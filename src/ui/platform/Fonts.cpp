#include "Fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

QString FindWindowFontFamily()
{
    const QString tahoma = QStringLiteral("Tahoma");
    if (QFontDatabase::families().contains(tahoma))
        return tahoma;
    // Only the regular face: Wine's bold one is hardly heavier, so the bold texts would read as
    // regular. Without it Qt emboldens the regular outlines, which shows.
    const int regular = QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"));
    if (regular >= 0) {
        const QStringList families = QFontDatabase::applicationFontFamilies(regular);
        if (!families.isEmpty())
            return families.first();
    }
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

} // namespace

QString WindowFontFamily()
{
    static const QString family = FindWindowFontFamily();
    return family;
}
