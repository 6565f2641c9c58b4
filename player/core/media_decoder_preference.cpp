#include "core/media_decoder_preference.h"

#include <QByteArray>
#include <QtGlobal>

void PreferMpg123ForMpegAudio()
{
    constexpr const char *variable = "GST_PLUGIN_FEATURE_RANK";
    // One above the primary decoders. Entries are applied in order, so the user's own setting
    // goes after ours and overrides it.
    const QByteArray ours("mpg123audiodec:257");
    const QByteArray user = qgetenv(variable);
    if (user.startsWith(ours)) {
        return;
    }
    qputenv(variable, user.isEmpty() ? ours : ours + ',' + user);
}
