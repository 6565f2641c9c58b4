#include "support/bench_sounds.h"

#include <QProcess>

bool RunFfmpeg(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral("ffmpeg"),
            QStringList{"-nostdin", "-hide_banner", "-loglevel", "error", "-y"} + args);
    return p.waitForFinished(600000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

bool WriteNoiseAndTone(const QString &path, int seconds)
{
    const QString length = QString::number(seconds);
    return RunFfmpeg({"-f", "lavfi", "-i",
                      "anoisesrc=color=pink:amplitude=0.3:sample_rate=44100:duration=" + length,
                      "-f", "lavfi", "-i",
                      "sine=frequency=440:sample_rate=44100:duration=" + length, "-filter_complex",
                      "amix=inputs=2,aformat=channel_layouts=stereo", "-c:a", "pcm_s16le", path});
}

bool EncodeNoiseAndTone(const QTemporaryDir &dir, int seconds,
                        const QList<QPair<QString, QStringList>> &outputs)
{
    if (!dir.isValid())
        return false;
    const QString source = dir.filePath(QStringLiteral("source.wav"));
    if (!WriteNoiseAndTone(source, seconds))
        return false;
    for (const auto &[name, codec] : outputs)
        if (!RunFfmpeg(QStringList{QStringLiteral("-i"), source} + codec +
                       QStringList{dir.filePath(name)}))
            return false;
    return true;
}
