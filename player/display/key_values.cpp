#include "display/key_values.h"

#include <QSettings>
#include <QStringList>

IniKeyValues::IniKeyValues(QMap<std::uint32_t, QString> files) : files_(std::move(files)) {}

QMap<std::uint32_t, QString> IniKeyValues::DefaultFiles()
{
    const QString organisation = QStringLiteral("lumo");
    const QString application = QStringLiteral("registry");
    return {
        {KeyRoot::LocalMachine,
         QSettings(QSettings::IniFormat, QSettings::SystemScope, organisation, application)
             .fileName()},
        {KeyRoot::CurrentUser,
         QSettings(QSettings::IniFormat, QSettings::UserScope, organisation, application)
             .fileName()},
    };
}

std::optional<KeyValue> IniKeyValues::Read(std::uint32_t root, const QString &key,
                                           const QString &name) const
{
    const auto file = files_.constFind(root);
    if (file == files_.constEnd() || key.isEmpty() || name.isEmpty())
        return std::nullopt;
    QSettings settings(*file, QSettings::IniFormat);
    QString path = key;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    settings.beginGroup(path);
    if (!settings.contains(name))
        return std::nullopt;
    const QVariant stored = settings.value(name);
    // Unquoted commas make the ini reader split a value into a list; put it back together.
    const QString text = stored.typeId() == QMetaType::QStringList
                             ? stored.toStringList().join(QLatin1Char(','))
                             : stored.toString();

    KeyValue value;
    if (text.startsWith(QLatin1String("dword:"))) {
        bool ok = false;
        value.number = text.mid(6).toUInt(&ok, 16);
        value.kind = ok ? KeyValue::Kind::Number : KeyValue::Kind::Other;
    } else if (text.startsWith(QLatin1String("hex:"))) {
        value.kind = KeyValue::Kind::Other;
    } else {
        value.text = text;
    }
    return value;
}
