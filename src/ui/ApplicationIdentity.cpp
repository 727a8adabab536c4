#include "ApplicationIdentity.h"

#include "platform/Platform.h"

#include <QGuiApplication>
#include <QIcon>

void SetApplicationIdentity()
{
    QCoreApplication::setApplicationName(QString::fromLatin1(ApplicationName));
    QCoreApplication::setApplicationVersion(QStringLiteral(KN_VERSION));
    // No display name: Qt would append it to every other window's title, the question box's too.
    SetDesktopEntryName(QString::fromLatin1(ApplicationId));
}

void SetApplicationIcon()
{
    // The images live in a static library, whose resource initialiser the linker would drop.
    Q_INIT_RESOURCE(icons);
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 256})
        icon.addFile(QStringLiteral(":/icons/%1.png").arg(size), QSize(size, size));
    QGuiApplication::setWindowIcon(icon);
}
