// The choice of how loudness tags (ReplayGain, R128) are applied to sound files.
#include "window/lumo.h"

#include <QActionGroup>
#include <QMenu>

void Lumo::CreateReplayGainMenu()
{
    MenuReplayGain = PUM->addMenu(tr("リプレイゲイン(&G)"));
    auto *group = new QActionGroup(MenuReplayGain);
    const char *captions[] = {QT_TR_NOOP("使わない(&0)"), QT_TR_NOOP("トラック(&T)"),
                              QT_TR_NOOP("アルバム(&A)")};
    for (int mode = 0; mode < 3; ++mode) {
        QAction *item = MenuReplayGain->addAction(tr(captions[mode]));
        item->setCheckable(true);
        group->addAction(item);
        MenuReplayGainModes[static_cast<std::size_t>(mode)] = item;
        connect(item, &QAction::triggered, this,
                [this, mode] { SetReplayGain(static_cast<ReplayGainMode>(mode)); });
    }
    connect(MenuReplayGain, &QMenu::aboutToShow, this, [this] {
        MenuReplayGainModes[static_cast<std::size_t>(ReplayGain)]->setChecked(true);
    });
}

void Lumo::SetReplayGain(ReplayGainMode mode)
{
    ReplayGain = mode;
    if (engine_)
        engine_->SetReplayGain(mode);
    WriteUserSettings();
}
