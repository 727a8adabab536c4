// The program's name, version, desktop id and icon agree with the installed desktop entry and metainfo.
#include "InBrowser.h"
#include "ui/ApplicationIdentity.h"
#include "ui/TForm1.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QTest>
#if QT_CONFIG(xmlstreamreader)
#include <QXmlStreamReader>
#endif

namespace {

QString DataFile(const QString &suffix)
{
    return QStringLiteral(KN_SOURCE_DIR "/data/") + QString::fromLatin1(ApplicationId) + suffix;
}

// The value of a key in the desktop entry's main group, untranslated.
QString DesktopEntryValue(const QString &key)
{
    QFile file(DataFile(QStringLiteral(".desktop")));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    const QString prefix = key + QLatin1Char('=');
    bool inMainGroup = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inMainGroup = line == QLatin1String("[Desktop Entry]");
        else if (inMainGroup && line.startsWith(prefix))
            return line.mid(prefix.size());
    }
    return {};
}

} // namespace

class TestApplicationIdentity : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        SetApplicationIdentity();
        SetApplicationIcon();
    }

    void namesMatchTheDesktopEntry()
    {
        if (InBrowser())
            QSKIP("in the browser: a page has no source tree to read");
#ifdef Q_OS_WIN
        QSKIP("Windows knows the program by its Start-menu entry, which the installer's test checks");
#endif
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("krestiki-noliki"));
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("io.github.krestiki_noliki.KrestikiNoliki"));
        QVERIFY2(QFile::exists(DataFile(QStringLiteral(".desktop"))), "no desktop entry under the desktop file name");
        // On X11 the window class is the application name; the menu matches windows to entries by it.
        QCOMPARE(DesktopEntryValue(QStringLiteral("StartupWMClass")), QCoreApplication::applicationName());
        QCOMPARE(DesktopEntryValue(QStringLiteral("Exec")), QCoreApplication::applicationName());
        QCOMPARE(DesktopEntryValue(QStringLiteral("Icon")), QStringLiteral("krestiki-noliki"));
    }

    void versionMatchesTheNewestRelease()
    {
        if (InBrowser())
            QSKIP("in the browser: a page has no source tree to read");
        QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral("1.0.0.0"));
#if !QT_CONFIG(xmlstreamreader)
        QSKIP("the game's own Qt reads no XML; the desktop's reads the metainfo");
#else
        QFile file(DataFile(QStringLiteral(".metainfo.xml")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QString newest;
        while (!xml.atEnd() && newest.isEmpty()) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("release"))
                newest = xml.attributes().value(QLatin1String("version")).toString();
        }
        QVERIFY(!xml.hasError());
        QCOMPARE(newest, QCoreApplication::applicationVersion());
#endif
    }

    void noDisplayNameIsAppendedToTitles()
    {
        // Qt appends a display name to every title that does not end with it, which would turn the
        // question box's "Победа!" into "Победа! — Крестики-нолики".
        QCOMPARE(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
        TForm1 window;
        QCOMPARE(window.windowTitle(), QStringLiteral("Крестики-нолики"));
    }

    void windowIconComesFromTheCompiledInImages()
    {
        const QIcon icon = QGuiApplication::windowIcon();
        for (const int size : {16, 24, 32, 48, 256}) {
            // Each size must be its own image, not another one scaled, and must not be blank.
            const QImage image = icon.pixmap(QSize(size, size), 1.0).toImage();
            QCOMPARE(image.size(), QSize(size, size));
            QVERIFY2(icon.availableSizes().contains(QSize(size, size)), qPrintable(QString::number(size)));
            QCOMPARE(image.pixelColor(size / 2, size / 2).alpha(), 255);
        }
        TForm1 window;
        QCOMPARE(window.windowIcon().cacheKey(), icon.cacheKey());
    }
};

QTEST_MAIN(TestApplicationIdentity)
#include "test_application_identity.moc"
