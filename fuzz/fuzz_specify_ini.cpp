// Feeds arbitrary bytes as specify.ini to the association tool's reader (the first byte says
// whether they are the whole file or the first part of a longer one), and checks that stored
// values written back read as the same check box values.
#include "specify_ini.h"

#include <cstddef>
#include <cstdint>

namespace {

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const bool wholeFile = (data[0] & 1) != 0;
    const QByteArray head(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const std::optional<QStringList> lines = ParseStoredStates(head, wholeFile);
    if (!lines)
        return 0;
    Check(lines->size() == NumFileKinds);
    KindValues values{};
    for (int i = 0; i < NumFileKinds; ++i) {
        const QString &line = lines->at(i);
        Check(!line.contains(u'\r') && !line.contains(u'\n'));
        values[size_t(i)] = StateValue(line);
        Check(values[size_t(i)] == 0 || values[size_t(i)] == 1);
    }
    const std::optional<QStringList> again = ParseStoredStates(FormatStoredStates(values), true);
    Check(again.has_value() && *again == StoredStatesOf(values));
    for (int i = 0; i < NumFileKinds; ++i)
        Check(StateValue(again->at(i)) == values[size_t(i)]);
    return 0;
}
