// The play list: adding files from the hand-off, the dialog and drops; the list box; the
// play modes and the random pick.
#include "window/lumo.h"

#include "base/widget_texts.h"
#include "core/handoff_parser.h"
#include "core/play_list_import.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRandomGenerator>

namespace {

const char *const PlayModeNames[] = {
    QT_TRANSLATE_NOOP("Lumo", "単独"), QT_TRANSLATE_NOOP("Lumo", "全体"),
    QT_TRANSLATE_NOOP("Lumo", "ランダム"), QT_TRANSLATE_NOOP("Lumo", "単独リピート"),
    QT_TRANSLATE_NOOP("Lumo", "全体リピート")};

} // namespace

void Lumo::LDDE2_Change()
{
    RememberFullScreen();
    const QStringList names = HandoffNames(LDDE2->text());
    if (names.isEmpty())
        return;
    AddFiles(names);
}

void Lumo::AddFiles(const QStringList &given)
{
    // Play list files among the names bring their entries in their place.
    const ImportedNames imported = ExpandPlayLists(given);
    const QStringList &names = imported.names;
    if (names.isEmpty() && !given.isEmpty()) {
        // Only lists whose entries are all gone: nothing to open.
        ReportMissingEntries(imported.missing);
        return;
    }
    const int first = PlayList.FirstFree();
    const std::vector<int> written = AppendEntries(names);
    if (names.size() > 1 && !written.empty() && (PlayMode == 0 || PlayMode == 3))
        SetPlayMode(PlayMode + 1);
    // A full list takes nothing more; the current entry stays as it is.
    if (first < ::PlayList::Capacity) {
        if (opening_) {
            // Files that arrive while a medium loads are in the list now and open after it.
            queuedOpen_ = first;
        } else {
            PlayIndex = static_cast<std::int16_t>(first);
            OpenCurrent();
        }
    }
    const qsizetype left = names.size() - qsizetype(written.size());
    if (left > 0 && env_.stopMessage)
        env_.stopMessage(QStringLiteral("%1 files were not added: the list is full").arg(left), VL);
    ReportMissingEntries(imported.missing);
}

std::vector<int> Lumo::AppendEntries(const QStringList &names)
{
    const std::vector<int> written = PlayList.Append(names);
    QString log = Text->toPlainText();
    for (int slot : written) {
        const QString path = PlayList.At(slot);
        ListFile->insertItem(slot, FileNameOf(path));
        log += QStringLiteral("\n") + FileListLine(slot, path);
    }
    if (!written.empty())
        Text->setPlainText(log);
    return written;
}

void Lumo::ReportMissingEntries(int missing)
{
    if (missing > 0 && env_.infoMessage)
        env_.infoMessage(tr("%n 件の項目が見つかりませんでした", nullptr, missing), VL);
}

void Lumo::MenuSaveList_Click()
{
    if (PlayList.At(0).isEmpty() || !env_.saveListDialog)
        return;
    QString path = env_.saveListDialog(this);
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".m3u8"), Qt::CaseInsensitive) &&
        !path.endsWith(QLatin1String(".m3u"), Qt::CaseInsensitive))
        path += QStringLiteral(".m3u8");
    if (!SavePlayListAs(path) && env_.stopMessage)
        env_.stopMessage(tr("プレイリストを保存できません。\n") + path, VL);
}

bool Lumo::SavePlayListAs(const QString &path) const
{
    QStringList paths;
    for (int i = 0; i < ::PlayList::Capacity && !PlayList.At(i).isEmpty(); ++i)
        paths << PlayList.At(i);
    return SavePlayList(path, paths);
}

void Lumo::MenuFileOpen_Click()
{
    const QStringList names = env_.openDialog ? env_.openDialog(this) : QStringList();
    if (names.isEmpty())
        return;
    AddFiles(names);
}

void Lumo::DropFiles(const QStringList &names)
{
    RememberFullScreen();
    AddFiles(names);
}

void Lumo::SelectListRow(int row)
{
    if (row >= 0 && row < ListFile->count())
        ListFile->setCurrentRow(row);
    ListFile_Click();
}

void Lumo::ListFile_Click()
{
    const int row = ListFile->currentRow();
    if (row < 0)
        return;
    LabelFile->setText(ListFile->item(row)->text());
    LabelFile->setToolTip(PlayList.At(row));
}

void Lumo::ListFile_DblClick()
{
    if (opening_)
        return;
    const int row = ListFile->currentRow();
    if (row < 0)
        return;
    PlayIndex = static_cast<std::int16_t>(row);
    RememberFullScreen();
    OpenCurrent();
}

void Lumo::SetPlayMode(int mode)
{
    if (mode < 0 || mode > 4)
        return;
    PlayMode = static_cast<std::uint8_t>(mode);
    LabelPm->setText(tr("プレイモード\n") + tr(PlayModeNames[mode]));
    WidgetTexts::Fit(LabelPm);
    emit StateChanged();
}

void Lumo::RandomPick()
{
    if (PlayList.At(1).isEmpty())
        return;
    const int rows = ListFile->count();
    const int before = PlayIndex;
    do {
        PlayIndex = static_cast<std::int16_t>(QRandomGenerator::global()->bounded(rows));
    } while (PlayIndex == before);
    SelectListRow(PlayIndex);
}
