// The three pop-up menus of the main window and what their items do.
#include "window/lumo.h"

#include <QMenu>

void Lumo::CreateMenus()
{
    PUM = new QMenu(QStringLiteral("PopUpMenu"), this);
    MenuFileOpen = PUM->addAction(QStringLiteral("ファイルを開く(&O)"));
    MenuPlayControl = PUM->addMenu(QStringLiteral("再生制御(&P)"));
    MenuPlayPause = MenuPlayControl->addAction(QStringLiteral("再生／一時停止(&1)"));
    MenuStop = MenuPlayControl->addAction(QStringLiteral("停止(&2)"));
    MenuBack = MenuPlayControl->addAction(QStringLiteral("戻る(&3)"));
    MenuStep = MenuPlayControl->addAction(QStringLiteral("進む(&4)"));
    MenuPrev = MenuPlayControl->addAction(QStringLiteral("前のファイル(&5)"));
    MenuNext = MenuPlayControl->addAction(QStringLiteral("次のファイル(&6)"));
    MenuSpeed = PUM->addMenu(QStringLiteral("速度制御(&V)"));
    Menu05 = MenuSpeed->addAction(QStringLiteral("0.5倍速(&1)"));
    Menu10 = MenuSpeed->addAction(QStringLiteral("等速(&2)"));
    Menu20 = MenuSpeed->addAction(QStringLiteral("2倍速(&3)"));
    MenuScreen = PUM->addMenu(QStringLiteral("画面制御(&W)"));
    MenuList = MenuScreen->addAction(QStringLiteral("リスト表示切り替え(&1)"));
    MenuSize = MenuScreen->addAction(QStringLiteral("ウィンドウサイズ変更(&2)"));
    MenuFullScr = MenuScreen->addAction(QStringLiteral("フルスクリーン表示(&3)"));
    MenuInfo = PUM->addAction(QStringLiteral("情報(&I)"));
    MenuLine3 = PUM->addSeparator();
    MenuExit = PUM->addAction(QStringLiteral("終了(&X)"));

    PUP = new QMenu(QStringLiteral("PopUpPm"), this);
    MenuPmClear = PUP->addAction(QStringLiteral("プレイモードクリア(&C)"));
    MenuLine2 = PUP->addSeparator();
    MenuSolo = PUP->addAction(QStringLiteral("単独再生(&1)"));
    MenuAll = PUP->addAction(QStringLiteral("全体再生(&2)"));
    MenuRandom = PUP->addAction(QStringLiteral("ランダム再生(&3)"));
    MenuSoloRepeat = PUP->addAction(QStringLiteral("単独リピート再生(&4)"));
    MenuAllRepeat = PUP->addAction(QStringLiteral("全体リピート再生(&5)"));

    PUVSA = new QMenu(QStringLiteral("PopUpVsa"), this);
    MenuVsa = PUVSA->addMenu(QStringLiteral("VSA選択 (&V)"));
    const char *const modeCaptions[] = {
        "表示しない(&N)",
        "オシロスコープ(&O)",
        "スペクトラムアナライザA(&L)",
        "スペクトラムアナライザB(&S)",
        "デジタルレベルメータA(&D)",
        "デジタルレベルメータB(&H)",
        "アナログレベルメータ(&A)",
        "スペクトログラム(&G)",
        "ラウドネスメータ(&U)",
    };
    for (int mode = 0; mode < AnalyzerModes::kCount; ++mode) {
        QAction *item = MenuVsa->addAction(QString::fromUtf8(modeCaptions[mode]));
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, mode] { ChangeVsa(mode); });
        MenuVsaModes[static_cast<size_t>(mode)] = item;
    }
    MenuVsaPanel = PUVSA->addAction(QStringLiteral("VSA設定パネル(&P)"));

    connect(MenuFileOpen, &QAction::triggered, this, &Lumo::MenuFileOpen_Click);
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
