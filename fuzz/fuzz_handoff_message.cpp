// Feeds arbitrary bytes to the hand-off receiver as peers would send them: the stream is cut
// into the pieces a peer's socket delivers, each connection's frame reader takes pieces until
// it judges its message, and every complete message is turned into file names as the player
// does. The rest of the stream after a judged message is the next connection.
#include "core/handoff_frame.h"
#include "core/handoff_parser.h"
#include "core/handoff_text.h"

#include <QFile>

#include <cstddef>
#include <cstdint>

namespace {

// Piece sizes from 1 to 4096 bytes, drawn from the seed so that a run can be replayed.
class PieceSizes
{
public:
    explicit PieceSizes(uint32_t seed) : state(seed * 2654435761u + 1) {}
    qsizetype Next()
    {
        state = state * 1664525u + 1013904223u;
        const uint32_t kind = state >> 30;
        const uint32_t value = (state >> 8) & 0xFFF;
        // Mostly small pieces, which cut headers and names at every place.
        return qsizetype(kind == 0 ? value + 1 : (value & 0xF) + 1);
    }

private:
    uint32_t state;
};

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

// The text a complete message hands to the parser, as the receiving player builds it. Names
// that do not survive decoding would become links in the file system; they are left out here.
QString TextOf(const HandoffFrameReader &reader, QStringList &expectedNames)
{
    if (!reader.HasNames())
        return reader.Text();
    QList<QByteArray> decodable;
    for (const QByteArray &name : reader.Names()) {
        Check(!name.isEmpty() && !name.contains('\0'));
        if (QFile::encodeName(QFile::decodeName(name)) == name) {
            decodable.append(name);
            expectedNames.append(QFile::decodeName(name));
        }
    }
    return HandoffTextOf(decodable);
}

// A message encoded again from what was read is read back to the same content at once.
void CheckReencoded(const HandoffFrameReader &reader)
{
    HandoffFrameReader again;
    if (reader.HasNames()) {
        const QList<QByteArray> names = FitHandoffNames(reader.Names());
        Check(names == reader.Names());
        Check(again.Feed(EncodeHandoffNames(names)) == HandoffFrameReader::State::Complete);
        Check(again.HasNames() && again.Names() == names);
    } else {
        Check(again.Feed(EncodeHandoffFrame(reader.Text())) == HandoffFrameReader::State::Complete);
        Check(!again.HasNames() && again.Text() == reader.Text());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    PieceSizes pieces(data[0]);
    const QByteArray stream(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    qsizetype at = 0;
    while (at < stream.size()) {
        HandoffFrameReader reader;
        HandoffFrameReader::State state = HandoffFrameReader::State::Incomplete;
        while (state == HandoffFrameReader::State::Incomplete && at < stream.size()) {
            const qsizetype piece = qMin(pieces.Next(), stream.size() - at);
            state = reader.Feed(stream.mid(at, piece));
            at += piece;
            if (state == HandoffFrameReader::State::Incomplete)
                Check(reader.Buffered() <= MaxHandoffBytes + 8);
        }
        if (state != HandoffFrameReader::State::Complete)
            continue;
        // A judged message takes no more bytes.
        Check(reader.Feed("x") == HandoffFrameReader::State::Invalid);
        CheckReencoded(reader);
        QStringList expectedNames;
        const QString text = TextOf(reader, expectedNames);
        const QStringList names = HandoffNames(text);
        if (reader.HasNames())
            Check(names == expectedNames);
    }
    return 0;
}
