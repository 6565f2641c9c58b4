#include "regacc/mime_apps_list.h"

#include <QList>

namespace {

const QByteArray DefaultGroup = QByteArrayLiteral("[Default Applications]");

// One line of the file: its text and its own line end ("\n", "\r\n" or none at the end).
struct Line
{
    QByteArray body;
    QByteArray end;
};

QList<Line> SplitLines(const QByteArray &text)
{
    QList<Line> lines;
    qsizetype start = 0;
    while (start < text.size()) {
        const qsizetype newline = text.indexOf('\n', start);
        if (newline < 0) {
            lines.append({text.mid(start), {}});
            break;
        }
        Line line{text.mid(start, newline - start), QByteArrayLiteral("\n")};
        if (line.body.endsWith('\r')) {
            line.body.chop(1);
            line.end = QByteArrayLiteral("\r\n");
        }
        lines.append(line);
        start = newline + 1;
    }
    return lines;
}

QByteArray JoinLines(const QList<Line> &lines)
{
    QByteArray text;
    for (const Line &line : lines) {
        text += line.body + line.end;
    }
    return text;
}

// The line end that new lines get: the one of the file's first line, else a line feed.
QByteArray PreferredEnd(const QList<Line> &lines)
{
    return !lines.isEmpty() && lines.first().end == "\r\n" ? QByteArrayLiteral("\r\n")
                                                           : QByteArrayLiteral("\n");
}

bool IsGroupHeader(const QByteArray &body)
{
    return body.trimmed().startsWith('[');
}

// Where the value of a "key=value" line for mimeType begins, or -1 when the line is another.
qsizetype ValueStart(const QByteArray &body, const QByteArray &mimeType)
{
    const qsizetype equals = body.indexOf('=');
    if (equals < 0 || body.left(equals).trimmed() != mimeType) {
        return -1;
    }
    qsizetype start = equals + 1;
    while (start < body.size() && (body.at(start) == ' ' || body.at(start) == '\t')) {
        ++start;
    }
    return start;
}

QByteArray WithoutId(const QByteArray &value, const QByteArray &desktopId)
{
    QList<QByteArray> kept;
    for (const QByteArray &item : value.split(';')) {
        if (item.trimmed() != desktopId) {
            kept.append(item);
        }
    }
    return kept.join(';');
}

bool HasAnyId(const QByteArray &value)
{
    for (const QByteArray &item : value.split(';')) {
        if (!item.trimmed().isEmpty()) {
            return true;
        }
    }
    return false;
}

// Calls edit(line, valueStart) for every line of mimeType inside a [Default Applications]
// group; returns the index just after the first such group header, or -1 when there is none.
template <typename Edit>
qsizetype ForEachDefaultLine(QList<Line> &lines, const QByteArray &mimeType, Edit edit)
{
    qsizetype firstGroupEnd = -1;
    bool inDefault = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray &body = lines[i].body;
        if (IsGroupHeader(body)) {
            inDefault = body.trimmed() == DefaultGroup;
            if (inDefault && firstGroupEnd < 0) {
                firstGroupEnd = i + 1;
            }
            continue;
        }
        if (!inDefault) {
            continue;
        }
        const qsizetype start = ValueStart(body, mimeType);
        if (start >= 0) {
            i = edit(i, start);
        }
    }
    return firstGroupEnd;
}

} // namespace

QByteArray AddDefaultApplication(const QByteArray &text, const QByteArray &mimeType,
                                 const QByteArray &desktopId)
{
    QList<Line> lines = SplitLines(text);
    bool found = false;
    const qsizetype groupEnd =
        ForEachDefaultLine(lines, mimeType, [&](qsizetype i, qsizetype start) {
            Line &line = lines[i];
            const QByteArray rest = WithoutId(line.body.mid(start), desktopId);
            line.body = line.body.left(start) + desktopId + ';' + rest;
            found = true;
            return i;
        });
    if (found) {
        return JoinLines(lines);
    }
    const QByteArray end = PreferredEnd(lines);
    const Line entry{mimeType + '=' + desktopId + ';', end};
    if (groupEnd >= 0) {
        lines.insert(groupEnd, entry);
        if (lines[groupEnd - 1].end.isEmpty()) {
            lines[groupEnd - 1].end = end;
        }
        return JoinLines(lines);
    }
    if (!lines.isEmpty() && lines.last().end.isEmpty()) {
        lines.last().end = end;
    }
    lines.append({DefaultGroup, end});
    lines.append(entry);
    return JoinLines(lines);
}

QByteArray RemoveDefaultApplication(const QByteArray &text, const QByteArray &mimeType,
                                    const QByteArray &desktopId)
{
    QList<Line> lines = SplitLines(text);
    bool changed = false;
    ForEachDefaultLine(lines, mimeType, [&](qsizetype i, qsizetype start) {
        Line &line = lines[i];
        const QByteArray value = line.body.mid(start);
        const QByteArray rest = WithoutId(value, desktopId);
        if (rest == value) {
            return i;
        }
        changed = true;
        if (!HasAnyId(rest)) {
            lines.removeAt(i);
            return i - 1;
        }
        line.body = line.body.left(start) + rest;
        return i;
    });
    return changed ? JoinLines(lines) : text;
}

bool HasDefaultGroup(const QByteArray &text)
{
    for (const Line &line : SplitLines(text)) {
        if (line.body.trimmed() == DefaultGroup) {
            return true;
        }
    }
    return false;
}

QByteArray DropAppendedDefaultGroup(const QByteArray &text, bool unendedLine)
{
    QList<Line> lines = SplitLines(text);
    if (lines.isEmpty() || lines.last().body.trimmed() != DefaultGroup) {
        return text;
    }
    lines.removeLast();
    if (unendedLine && !lines.isEmpty()) {
        lines.last().end.clear();
    }
    return JoinLines(lines);
}
