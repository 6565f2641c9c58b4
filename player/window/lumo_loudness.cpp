// The loudness meter's choices (scale, readings, target), kept per user, and its reset.
#include "window/lumo.h"

#include "core/user_settings.h"
#include "window/picture_box.h"

#include <QActionGroup>
#include <QMenu>

#include <iterator>

void Lumo::CreateLoudnessMenu()
{
    MenuLoudness = PUVSA->addMenu(tr("ラウドネスメータ設定(&L)"));
    auto *scales = new QActionGroup(this);
    MenuLoudnessScale[0] = MenuLoudness->addAction(QStringLiteral("EBU +9"));
    MenuLoudnessScale[1] = MenuLoudness->addAction(QStringLiteral("EBU +18"));
    MenuLoudness->addSeparator();
    auto *readings = new QActionGroup(this);
    MenuLoudnessReadings[0] = MenuLoudness->addAction(tr("絶対値 (LUFS)"));
    MenuLoudnessReadings[1] = MenuLoudness->addAction(tr("目標との差 (LU)"));
    MenuLoudness->addSeparator();
    auto *targets = new QActionGroup(this);
    for (std::size_t i = 0; i < std::size(kLoudnessTargets); ++i)
        MenuLoudnessTargets[i] =
            MenuLoudness->addAction(tr("目標 %1 LUFS").arg(kLoudnessTargets[i]));
    MenuLoudness->addSeparator();
    MenuLoudnessReset = MenuLoudness->addAction(tr("測定値をリセット(&R)"));

    for (std::size_t i = 0; i < 2; ++i) {
        for (QAction *item : {MenuLoudnessScale[i], MenuLoudnessReadings[i]})
            item->setCheckable(true);
        scales->addAction(MenuLoudnessScale[i]);
        readings->addAction(MenuLoudnessReadings[i]);
        connect(MenuLoudnessScale[i], &QAction::triggered, this, [this, i] {
            LoudnessView.wideScale = i == 1;
            LoudnessViewChanged();
        });
        connect(MenuLoudnessReadings[i], &QAction::triggered, this, [this, i] {
            LoudnessView.relative = i == 1;
            LoudnessViewChanged();
        });
    }
    for (std::size_t i = 0; i < std::size(kLoudnessTargets); ++i) {
        MenuLoudnessTargets[i]->setCheckable(true);
        targets->addAction(MenuLoudnessTargets[i]);
        connect(MenuLoudnessTargets[i], &QAction::triggered, this, [this, i] {
            LoudnessView.target = kLoudnessTargets[i];
            LoudnessViewChanged();
        });
    }
    connect(MenuLoudnessReset, &QAction::triggered, this, &Lumo::ResetLoudness);
    connect(Pic, &PictureBox::MouseUp, this, [this](Qt::MouseButton button, int, int) {
        if (button == Qt::LeftButton && VSA == AnalyzerModes::kLoudness)
            ResetLoudness();
    });
}

void Lumo::ShowLoudnessView()
{
    MenuLoudnessScale[LoudnessView.wideScale ? 1 : 0]->setChecked(true);
    MenuLoudnessReadings[LoudnessView.relative ? 1 : 0]->setChecked(true);
    for (std::size_t i = 0; i < std::size(kLoudnessTargets); ++i)
        MenuLoudnessTargets[i]->setChecked(kLoudnessTargets[i] == LoudnessView.target);
}

void Lumo::LoudnessViewChanged()
{
    ShowLoudnessView();
    if (CT == 2)
        PauseFlag = true;
}

void Lumo::ResetLoudness()
{
    loudness_.ResetReadings();
    if (CT == 2)
        PauseFlag = true;
}
