// Every extension the association tool offers is registered under each type the system knows
// such a file by, and the player's own desktop entry lists the same types.

#include "file_kinds.h"
#include "regacc/extension_types.h"

#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A fixture whose content is of the kind the extension names.
QString SampleOf(const QString &extension)
{
    static const QMap<QString, QString> samples{
        {QStringLiteral("avi"), QStringLiteral("qcif.avi")},
        {QStringLiteral("mpg"), QStringLiteral("testsrc.mpg")},
        {QStringLiteral("mpeg"), QStringLiteral("testsrc.mpg")},
        {QStringLiteral("wmv"), QStringLiteral("testsrc.wmv")},
        {QStringLiteral("wma"), QStringLiteral("testsrc.wmv")},
        {QStringLiteral("wav"), QStringLiteral("sine_1s.wav")},
        {QStringLiteral("mp1"), QStringLiteral("tone_2s.mp3")},
        {QStringLiteral("mp2"), QStringLiteral("tone_2s.mp3")},
        {QStringLiteral("mp3"), QStringLiteral("tone_2s.mp3")},
        {QStringLiteral("mid"), QStringLiteral("tune.mid")}};
    return QStringLiteral(LUMO_FIXTURE_DIR "/") + samples.value(extension);
}

// The MimeType list of the player's own desktop entry.
QStringList PlayerEntryTypes()
{
    QFile file(QStringLiteral(LUMO_SOURCE_DIR "/packaging/lumo.desktop"));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.startsWith("MimeType=")) {
            return QString::fromUtf8(line.mid(9)).split(u';', Qt::SkipEmptyParts);
        }
    }
    return {};
}

} // namespace

class TestSpecifyTypes : public QObject
{
    Q_OBJECT

private slots:
    void everyExtensionUnderItsSystemTypes_data();
    void everyExtensionUnderItsSystemTypes();
};

void TestSpecifyTypes::everyExtensionUnderItsSystemTypes_data()
{
    QTest::addColumn<QString>("extension");
    for (int kind = 0; kind < NumFileKinds; ++kind) {
        for (const ExtensionRegistration &item : ExtensionsOfKind(kind, QString(), QString())) {
            QTest::newRow(qPrintable(item.extension)) << item.extension;
        }
    }
}

void TestSpecifyTypes::everyExtensionUnderItsSystemTypes()
{
    QFETCH(QString, extension);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("sample.") + extension);
    QVERIFY(QFile::copy(SampleOf(extension), file));

    // The shared MIME database: the type it gives the file, and that type's aliases.
    const QMimeType known = QMimeDatabase().mimeTypeForFile(file);
    QVERIFY2(known.isValid() && !known.isDefault(), qPrintable(known.name()));
    QStringList expected = QStringList{known.name()} + known.aliases();
    // What xdg-mime reads from the file, where it is installed.
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (!xdgMime.isEmpty()) {
        QProcess query;
        query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("filetype"), file});
        QVERIFY(query.waitForFinished(30000));
        const QString type = QString::fromUtf8(query.readAllStandardOutput()).trimmed();
        if (!type.isEmpty() && type != u"application/octet-stream") {
            expected.append(type);
        }
    }

    const QStringList registered = MimeTypesOf(extension);
    const QStringList listed = PlayerEntryTypes();
    for (const QString &type : expected) {
        QVERIFY2(registered.contains(type), qPrintable(type + QStringLiteral(" not registered")));
        QVERIFY2(listed.contains(type), qPrintable(type + QStringLiteral(" not in lumo.desktop")));
    }
    for (const QString &type : registered) {
        QVERIFY2(listed.contains(type), qPrintable(type + QStringLiteral(" not in lumo.desktop")));
    }
}

QTEST_MAIN(TestSpecifyTypes)
#include "tst_specify_types.moc"
