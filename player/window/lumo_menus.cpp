// The three pop-up menus of the main window and what their items do.
#include "window/lumo.h"

#include <QMenu>

void Lumo::CreateMenus()
{
    PUM = new QMenu(QStringLiteral("PopUpMenu"), this);
    MenuFileOpen = PUM->addAction(tr("ファイルを開く(&O)"));
    MenuSaveList = PUM->addAction(tr("プレイリストを保存(&L)..."));
    MenuPlayControl = PUM->addMenu(tr("再生制御(&P)"));
    MenuPlayPause = MenuPlayControl->addAction(tr("再生／一時停止(&1)"));
    MenuStop = MenuPlayControl->addAction(tr("停止(&2)"));
    MenuBack = MenuPlayControl->addAction(tr("戻る(&3)"));
    MenuStep = MenuPlayControl->addAction(tr("進む(&4)"));
    MenuPrev = MenuPlayControl->addAction(tr("前のファイル(&5)"));
    MenuNext = MenuPlayControl->addAction(tr("次のファイル(&6)"));
    MenuSpeed = PUM->addMenu(tr("速度制御(&V)"));
    Menu05 = MenuSpeed->addAction(tr("0.5倍速(&1)"));
    Menu10 = MenuSpeed->addAction(tr("等速(&2)"));
    Menu20 = MenuSpeed->addAction(tr("2倍速(&3)"));
    CreateReplayGainMenu();
    MenuScreen = PUM->addMenu(tr("画面制御(&W)"));
    MenuList = MenuScreen->addAction(tr("リスト表示切り替え(&1)"));
    MenuSize = MenuScreen->addAction(tr("ウィンドウサイズ変更(&2)"));
    MenuFullScr = MenuScreen->addAction(tr("フルスクリーン表示(&3)"));
    MenuInfo = PUM->addAction(tr("情報(&I)"));
    MenuResume = PUM->addAction(tr("中断したところから再開(&R)"));
    MenuResume->setCheckable(true);
    MenuLine3 = PUM->addSeparator();
    MenuExit = PUM->addAction(tr("終了(&X)"));

    PUP = new QMenu(QStringLiteral("PopUpPm"), this);
    MenuPmClear = PUP->addAction(tr("プレイモードクリア(&C)"));
    MenuLine2 = PUP->addSeparator();
    MenuSolo = PUP->addAction(tr("単独再生(&1)"));
    MenuAll = PUP->addAction(tr("全体再生(&2)"));
    MenuRandom = PUP->addAction(tr("ランダム再生(&3)"));
    MenuSoloRepeat = PUP->addAction(tr("単独リピート再生(&4)"));
    MenuAllRepeat = PUP->addAction(tr("全体リピート再生(&5)"));

    PUVSA = new QMenu(QStringLiteral("PopUpVsa"), this);
    MenuVsa = PUVSA->addMenu(tr("VSA選択 (&V)"));
    const char *const modeCaptions[] = {
        QT_TR_NOOP("表示しない(&N)"),
        QT_TR_NOOP("オシロスコープ(&O)"),
        QT_TR_NOOP("スペクトラムアナライザA(&L)"),
        QT_TR_NOOP("スペクトラムアナライザB(&S)"),
        QT_TR_NOOP("デジタルレベルメータA(&D)"),
        QT_TR_NOOP("デジタルレベルメータB(&H)"),
        QT_TR_NOOP("アナログレベルメータ(&A)"),
        QT_TR_NOOP("スペクトログラム(&G)"),
        QT_TR_NOOP("ラウドネスメータ(&U)"),
        QT_TR_NOOP("ステレオフィールド(&F)"),
    };
    for (int mode = 0; mode < AnalyzerModes::kCount; ++mode) {
        QAction *item = MenuVsa->addAction(tr(modeCaptions[mode]));
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, mode] { ChangeVsa(mode); });
        MenuVsaModes[static_cast<size_t>(mode)] = item;
    }
    MenuVsaPanel = PUVSA->addAction(tr("VSA設定パネル(&P)"));
    CreateLoudnessMenu();
    CreatePictureMenu();
    CreateReadout();

    connect(MenuFileOpen, &QAction::triggered, this, &Lumo::MenuFileOpen_Click);
    connect(MenuSaveList, &QAction::triggered, this, &Lumo::MenuSaveList_Click);
    connect(MenuResume, &QAction::toggled, this, [this](bool on) {
        ResumeFlag = on;
        WriteUserSettings();
    });
    connect(MenuPlayPause, &QAction::triggered, this, [this] { PicPlay_MouseUp(Qt::LeftButton); });
    connect(MenuStop, &QAction::triggered, this, [this] { PicStop_MouseUp(Qt::LeftButton); });
    connect(MenuBack, &QAction::triggered, this, [this] { PicBack_MouseUp(Qt::LeftButton); });
    connect(MenuStep, &QAction::triggered, this, [this] { PicStep_MouseUp(Qt::LeftButton); });
    connect(MenuPrev, &QAction::triggered, this, [this] { PicPrev_MouseUp(Qt::LeftButton); });
    connect(MenuNext, &QAction::triggered, this, [this] { PicNext_MouseUp(Qt::LeftButton); });
    connect(Menu05, &QAction::triggered, this,
            [this] { PicSpeed_MouseDown(Qt::LeftButton, 100, 200); });
    connect(Menu10, &QAction::triggered, this,
            [this] { PicSpeed_MouseDown(Qt::LeftButton, 300, 100); });
    connect(Menu20, &QAction::triggered, this,
            [this] { PicSpeed_MouseDown(Qt::LeftButton, 500, 200); });
    connect(MenuList, &QAction::triggered, this, &Lumo::PicSize_Click);
    connect(MenuSize, &QAction::triggered, this, &Lumo::PicRsl_Click);
    connect(MenuFullScr, &QAction::triggered, this, &Lumo::EnterFullScreen);
    connect(MenuExit, &QAction::triggered, this, &QWidget::close);

    connect(MenuPmClear, &QAction::triggered, this, [this] { SetPlayMode(0); });
    connect(MenuSolo, &QAction::triggered, this, [this] { SetPlayMode(0); });
    connect(MenuAll, &QAction::triggered, this, [this] { SetPlayMode(1); });
    connect(MenuRandom, &QAction::triggered, this, [this] { SetPlayMode(2); });
    connect(MenuSoloRepeat, &QAction::triggered, this, [this] { SetPlayMode(3); });
    connect(MenuAllRepeat, &QAction::triggered, this, [this] { SetPlayMode(4); });
}
