#include "regacc/desktop_entry.h"

#include "regacc/extension_types.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>

namespace {

// Backslash escapes of desktop entry string values.
QString EscapeValue(const QString &value)
{
    QString escaped;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == u'\\') {
            escaped += QStringLiteral("\\\\");
        } else if (c == u'\n') {
            escaped += QStringLiteral("\\n");
        } else if (c == u'\t') {
            escaped += QStringLiteral("\\t");
        } else if (c == u'\r') {
            escaped += QStringLiteral("\\r");
        } else if (c == u' ' && i == 0) {
            escaped += QStringLiteral("\\s");
        } else {
            escaped += c;
        }
    }
    return escaped;
}

QString UnescapeValue(const QString &value)
{
    QString plain;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != u'\\' || i + 1 == value.size()) {
            plain += c;
            continue;
        }
        const QChar next = value.at(++i);
        if (next == u'n') {
            plain += u'\n';
        } else if (next == u't') {
            plain += u'\t';
        } else if (next == u'r') {
            plain += u'\r';
        } else if (next == u's') {
            plain += u' ';
        } else {
            plain += next;
        }
    }
    return plain;
}

// One argument of an Exec line, quoted when it holds a character that needs quoting.
QString ExecArgument(const QString &argument)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString text = argument;
    text.replace(u'%', QStringLiteral("%%"));
    bool needsQuotes = text.isEmpty();
    for (const QChar c : text) {
        needsQuotes = needsQuotes || reserved.contains(c);
    }
    if (!needsQuotes) {
        return text;
    }
    QString quoted = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') {
            quoted += u'\\';
        }
        quoted += c;
    }
    return quoted + u'"';
}

// The values of X-Lumo-Appended-Group, indexed by AppendedGroup.
const std::array<QString, 4> AppendedGroupValues{QString(), QStringLiteral("after-line-end"),
                                                 QStringLiteral("after-unended-line"),
                                                 QStringLiteral("new-file")};

bool IsFieldCode(const QString &token)
{
    static const QRegularExpression code(QStringLiteral("^%[fFuU]$"));
    return code.match(token).hasMatch();
}

} // namespace

QString DesktopExecLine(const QString &programPath, const QString &commandSuffix)
{
    QStringList parts{ExecArgument(programPath)};
    for (QString token :
         commandSuffix.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
        if (token.size() >= 2 && token.startsWith(u'"') && token.endsWith(u'"')) {
            token = token.mid(1, token.size() - 2);
        }
        if (token.compare(u"%L", Qt::CaseInsensitive) == 0 || token == u"%1") {
            parts.append(QStringLiteral("%F"));
        } else if (IsFieldCode(token)) {
            parts.append(token);
        } else {
            parts.append(ExecArgument(token));
        }
    }
    return parts.join(u' ');
}

QString CaptionWithoutMnemonic(const QString &caption)
{
    QString text = caption;
    text.remove(QRegularExpression(QStringLiteral("\\(&[^&)]\\)")));
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'&' && i + 1 < text.size()) {
            ++i;
        }
        plain += text.at(i);
    }
    return plain.trimmed();
}

QByteArray FormatAssociationEntry(const AssociationEntry &entry)
{
    QStringList types;
    for (const QString &extension : entry.extensions) {
        for (const QString &type : MimeTypesOf(extension)) {
            if (!types.contains(type)) {
                types.append(type);
            }
        }
    }
    QString text = QStringLiteral("[Desktop Entry]\nType=Application\n");
    text += QStringLiteral("Name=") + EscapeValue(entry.name) + u'\n';
    text += QStringLiteral("Exec=") + EscapeValue(entry.exec) + u'\n';
    if (!entry.icon.isEmpty()) {
        text += QStringLiteral("Icon=") + EscapeValue(entry.icon) + u'\n';
    }
    text += QStringLiteral("MimeType=") + types.join(u';') + QStringLiteral(";\n");
    text += QStringLiteral("NoDisplay=true\n");
    text +=
        QStringLiteral("X-Lumo-Extensions=") + entry.extensions.join(u';') + QStringLiteral(";\n");
    if (entry.appendedGroup != AppendedGroup::None) {
        text += QStringLiteral("X-Lumo-Appended-Group=") +
                AppendedGroupValues[static_cast<size_t>(entry.appendedGroup)] + u'\n';
    }
    return text.toUtf8();
}

AssociationEntry ParseAssociationEntry(const QByteArray &text)
{
    AssociationEntry entry;
    bool inEntry = false;
    for (const QString &rawLine : QString::fromUtf8(text).split(u'\n')) {
        const QString line = rawLine.trimmed();
        if (line.startsWith(u'[')) {
            inEntry = line == u"[Desktop Entry]";
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inEntry || equals < 0) {
            continue;
        }
        const QString key = line.left(equals).trimmed();
        const QString value = UnescapeValue(line.mid(equals + 1).trimmed());
        if (key == u"Name") {
            entry.name = value;
        } else if (key == u"Exec") {
            entry.exec = value;
        } else if (key == u"Icon") {
            entry.icon = value;
        } else if (key == u"X-Lumo-Appended-Group") {
            const auto found =
                std::find(AppendedGroupValues.begin() + 1, AppendedGroupValues.end(), value);
            if (found != AppendedGroupValues.end()) {
                entry.appendedGroup =
                    static_cast<AppendedGroup>(found - AppendedGroupValues.begin());
            }
        } else if (key == u"X-Lumo-Extensions") {
            for (const QString &extension : value.split(u';', Qt::SkipEmptyParts)) {
                if (!MimeTypesOf(extension).isEmpty() && !entry.extensions.contains(extension)) {
                    entry.extensions.append(extension);
                }
            }
        }
    }
    return entry;
}
