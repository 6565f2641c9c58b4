#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The files the player knows in this run: 10000 slots of full paths, filled from slot 0
// upwards without gaps and never emptied. An empty string marks a free slot.
class PlayList
{
public:
    static constexpr int Capacity = 10000;

    PlayList() : slots_(Capacity) {}

    // The path at a slot; "" for a free slot or an index outside the list.
    QString At(int index) const;
    // Lowest free slot, or Capacity when the list is full.
    int FirstFree() const;
    // Appends names from the first free slot on; names that do not fit are dropped and
    // nothing already stored is overwritten. Returns the slots written, in order.
    std::vector<int> Append(const QStringList &names);

private:
    std::vector<QString> slots_;
};

// The text after the last "/" of a path, or the whole path when it has none.
QString FileNameOf(const QString &path);
// The file name without its extension (the text before the last "."); "" when the name has
// no ".".
QString TitleOf(const QString &path);
// The text after the last "." of a path, or the whole path when it has none.
QString ExtensionOf(const QString &path);
// The file-list log line for one slot: "FT(0012) = /path".
QString FileListLine(int slot, const QString &path);
