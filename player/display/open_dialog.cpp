#include "display/open_dialog.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileSystemModel>

QStringList OpenDialogFilters()
{
    return {
        QCoreApplication::translate("OpenDialog", "メディア") +
            QStringLiteral(" (*.avi;*.mpg;*.mpeg;*.wmv;*.wav;*.mp1;*.mp2;*.mp3;*.mpa;*.mid;"
                           "*.wma;*.bmp;*.jpg;*.jpeg;*.gif)"),
        QCoreApplication::translate("OpenDialog", "ムービー") +
            QStringLiteral(" (*.avi;*.mpg;*.mpeg;*.wmv)"),
        QCoreApplication::translate("OpenDialog", "サウンド") +
            QStringLiteral(" (*.wav;*.mp1;*.mp2;*.mp3;*.mpa;*.mid;*.wma)"),
        QCoreApplication::translate("OpenDialog", "画像") +
            QStringLiteral(" (*.bmp;*.jpg;*.jpeg;*.gif)"),
        QCoreApplication::translate("OpenDialog", "すべて"),
        QCoreApplication::translate("OpenDialog", "その他のメディア") +
            QStringLiteral(" (*.flac;*.ogg;*.oga;*.opus;*.m4a;*.aac;*.mp4;*.m4v;*.mkv;*.mka;*.webm;"
                           "*.aif;*.aiff;*.aifc;*.wma;*.wv;*.ape;*.alac;*.caf;*.ac3;*.dts;*.mov;"
                           "*.3gp;*.au;*.w64)"),
        QCoreApplication::translate("OpenDialog", "プレイリスト") +
            QStringLiteral(" (*.m3u;*.m3u8;*.pls;*.xspf)"),
    };
}

QStringList FilterPatterns(const QString &filter)
{
    const qsizetype open = filter.lastIndexOf(QLatin1Char('('));
    const qsizetype close = filter.lastIndexOf(QLatin1Char(')'));
    if (open < 0 || close < open)
        return {QStringLiteral("*")};
    QStringList patterns;
    for (const QString &pattern :
         filter.mid(open + 1, close - open - 1).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString trimmed = pattern.trimmed();
        patterns << (trimmed == QLatin1String("*.*") ? QStringLiteral("*") : trimmed);
    }
    return patterns.isEmpty() ? QStringList{QStringLiteral("*")} : patterns;
}

QStringList ShowOpenDialog(QWidget *parent)
{
    QFileDialog dialog(parent, QCoreApplication::translate("OpenDialog", "ファイルを開く"));
    dialog.setFileMode(QFileDialog::ExistingFiles);
    // Qt's own dialog: its file list takes the patterns of the chosen filter, while the
    // filter keeps the text the user reads.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters(OpenDialogFilters());
    if (auto *model = dialog.findChild<QFileSystemModel *>()) {
        const auto apply = [model](const QString &filter) {
            model->setNameFilters(FilterPatterns(filter));
        };
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, apply);
        apply(OpenDialogFilters().first());
    }
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

QString ShowSaveListDialog(QWidget *parent)
{
    QFileDialog dialog(parent, QCoreApplication::translate("OpenDialog", "プレイリストを保存"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilter(QStringLiteral("M3U8 (*.m3u8)"));
    dialog.setDefaultSuffix(QStringLiteral("m3u8"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}
