#include "core/pending_readers.h"

bool AcceptForAnalysis(const QString &)
{
    return false;
}
double AviFrameRate(const QString &)
{
    return 0;
}
QString ReadTitleOfMp3(const QString &)
{
    return {};
}
QString ReadTitleOfMidi(const QString &)
{
    return {};
}
