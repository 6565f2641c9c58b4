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

// Per kind, a fixture whose content is of that kind.
const char *const Samples[NumFileKinds] = {"qcif.avi",    "testsrc.mpg", "testsrc.wmv",
                                           "sine_1s.wav", "tone_2s.mp3", "testsrc.wmv",
                                           "tune.mid"};

// The MimeType list of the player's own desktop entry.
QStringList PlayerEntryTypes()
{
    QFile file(QStringLiteral(LUMO_SOURCE_DIR "/packaging/lumo.desktop"));
    const QByteArray text = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const qsizetype at = text.indexOf("\nMimeType=");
    const QByteArray line = at < 0 ? QByteArray() : text.mid(at + 10).split('\n').first();
    return QString::fromUtf8(line).split(u';', Qt::SkipEmptyParts);
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
    QTest::addColumn<QString>("sample");
    for (int kind = 0; kind < NumFileKinds; ++kind) {
        for (const ExtensionRegistration &item : ExtensionsOfKind(kind, QString(), QString())) {
            QTest::newRow(qPrintable(item.extension))
                << item.extension << QStringLiteral(LUMO_FIXTURE_DIR "/") + Samples[kind];
        }
    }
}

void TestSpecifyTypes::everyExtensionUnderItsSystemTypes()
{
    QFETCH(QString, extension);
    QFETCH(QString, sample);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("sample.") + extension);
    QVERIFY(QFile::copy(sample, file));

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
    for (const QString &type : expected) {
        QVERIFY2(registered.contains(type), qPrintable(type + QStringLiteral(" not registered")));
    }
    const QStringList listed = PlayerEntryTypes();
    for (const QString &type : registered) {
        QVERIFY2(listed.contains(type), qPrintable(type + QStringLiteral(" not in lumo.desktop")));
    }
}

QTEST_MAIN(TestSpecifyTypes)
#include "tst_specify_types.moc"
