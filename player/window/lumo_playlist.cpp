// The play list: adding files from the hand-off, the dialog and drops; the list box; the
// play modes and the random pick.
#include "window/lumo.h"

#include "base/widget_texts.h"
#include "core/handoff_parser.h"

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

void Lumo::AddFiles(const QStringList &names)
{
    const int first = PlayList.FirstFree();
    const std::vector<int> written = PlayList.Append(names);
    QString log = Text->toPlainText();
    for (int slot : written) {
        const QString path = PlayList.At(slot);
        ListFile->insertItem(slot, FileNameOf(path));
        log += QStringLiteral("\n") + FileListLine(slot, path);
    }
    if (!written.empty())
        Text->setPlainText(log);
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
