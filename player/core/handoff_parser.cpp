#include "core/handoff_parser.h"

namespace {

// Blanks only, as a command line separates names with them; tabs belong to the name.
QString TrimBlanks(const QString &piece)
{
    qsizetype first = 0;
    qsizetype last = piece.size();
    while (first < last && piece.at(first) == u' ')
        ++first;
    while (last > first && piece.at(last - 1) == u' ')
        --last;
    return piece.mid(first, last - first);
}

// A piece from the drive letter before the colon at previousColon up to, but not including,
// endExclusive; a colon at the very start has no drive letter, so the piece starts at 0.
QString PieceFrom(const QString &text, qsizetype previousColon, qsizetype endExclusive)
{
    const qsizetype start = qMax<qsizetype>(previousColon - 1, 0);
    return TrimBlanks(text.mid(start, qMax<qsizetype>(endExclusive - start, 0)));
}

void AppendName(QStringList &names, const QString &name)
{
    if (!name.isEmpty() && names.size() < MaxHandoffNames)
        names.append(name);
}

} // namespace

QStringList SplitAtDriveColons(const QString &text)
{
    QStringList pieces;
    qsizetype previousColon = -1;
    for (qsizetype i = 0; i < text.size() && pieces.size() < MaxHandoffNames; ++i) {
        if (text.at(i) != u':')
            continue;
        // The letter just before this colon is the next name's drive and stays out.
        if (previousColon >= 0)
            pieces.append(PieceFrom(text, previousColon, i - 1));
        previousColon = i;
    }
    if (previousColon >= 0 && pieces.size() < MaxHandoffNames)
        pieces.append(PieceFrom(text, previousColon, text.size()));
    return pieces;
}

QString CutAtQuote(const QString &name)
{
    const qsizetype quote = name.indexOf(u'"');
    return quote < 0 ? name : name.left(quote);
}

QStringList HandoffNames(const QString &text)
{
    if (text.contains(QChar(u'\0')))
        return text.split(QChar(u'\0'), Qt::SkipEmptyParts);
    if (text.contains(u'\n'))
        return text.split(u'\n', Qt::SkipEmptyParts);
    QStringList names;
    if (text.startsWith(u'/')) {
        AppendName(names, text);
    } else {
        for (const QString &piece : SplitAtDriveColons(text))
            AppendName(names, CutAtQuote(piece));
    }
    return names;
}
