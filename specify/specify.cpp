#include "specify.h"

#include "base/twips.h"
#include "base/widget_texts.h"
#include "reg_acc_library.h"
#include "specify_prompts.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace {

const QString Title = QStringLiteral("Lumo Specify");
// The caption of the confirmation and result messages.
QString ExecuteTitle()
{
    return QCoreApplication::translate("Specify", "関連付けの実行");
}

const QString VerbCaption = QStringLiteral("sorvaneで再生(&P)");
const QString CommandSuffix = QStringLiteral(" \"%L\"");
const QString CrLf = QStringLiteral("\r\n");

QRect Twips(int left, int top, int width, int height)
{
    return {TwipsToPixelDown(left), TwipsToPixelDown(top), TwipsToPixelDown(width),
            TwipsToPixelDown(height)};
}

// MS P Gothic 9 pt. Its stand-in sets kana and brackets full width where MS P Gothic sets
// them proportionally; condensing it brings the captions back to the widths the controls have.
QFont FormFont(bool bold = false)
{
    QFont font(QStringLiteral("MS P Gothic"), 9);
    font.setStretch(85);
    font.setBold(bold);
    return font;
}

// A label's text set a little tighter than the font's own line spacing, so that three lines
// of the stand-in font fit the label's height as they did with MS P Gothic.
QString LabelHtml(const QString &text)
{
    return QStringLiteral("<p style=\"line-height:94%\">") + text.toHtmlEscaped() +
           QStringLiteral("</p>");
}

} // namespace

Specify::Specify(const SpecifyEnvironment &environment, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      environment(environment)
{
    setWindowTitle(Title);
    setFont(FormFont());
    BuildControls();
    WidgetTexts::FitAll(this);
    Form_Load();
}

QString Specify::SettingsPath() const
{
    return StoredStatesPath(environment.programDirectory);
}

void Specify::BuildControls()
{
    Label = new QLabel(this);
    Label->setGeometry(Twips(240, 240, 5415, 735));
    Label->setWordWrap(true);
    Label->setTextFormat(Qt::RichText);
    Label->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    FrameMovie = new QGroupBox(tr("ムービーファイル"), this);
    FrameMovie->setGeometry(Twips(240, 1080, 3735, 1575));
    Frame2 = new QGroupBox(tr("サウンドファイル"), this);
    Frame2->setGeometry(Twips(240, 2760, 3735, 1935));
    for (QGroupBox *frame : {FrameMovie, Frame2}) {
        frame->setFont(FormFont(true));
    }

    struct CheckPlace
    {
        QGroupBox *frame;
        int top;
        int width;
    };
    const std::array<CheckPlace, NumFileKinds> places{{{FrameMovie, 360, 1815},
                                                       {FrameMovie, 720, 2535},
                                                       {FrameMovie, 1080, 3255},
                                                       {Frame2, 360, 3015},
                                                       {Frame2, 720, 3375},
                                                       {Frame2, 1080, 3255},
                                                       {Frame2, 1440, 1935}}};
    for (int i = 0; i < NumFileKinds; ++i) {
        const CheckPlace &place = places[static_cast<size_t>(i)];
        QCheckBox *box = new QCheckBox(FileKindCaption(i), place.frame);
        box->setFont(FormFont());
        box->setGeometry(Twips(240, place.top, place.width, 255));
        Check[static_cast<size_t>(i)] = box;
    }

    CheckIcon = new QCheckBox(tr("アイコン画像を変更しない"), this);
    CheckIcon->setGeometry(Twips(480, 4800, 2295, 255));
    QPalette red = CheckIcon->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    red.setColor(QPalette::ButtonText, Qt::red);
    CheckIcon->setPalette(red);

    Command1 = new QPushButton(tr("全て選択"), this);
    Command1->setGeometry(Twips(4200, 1200, 1455, 375));
    Command2 = new QPushButton(tr("全て解除"), this);
    Command2->setGeometry(Twips(4200, 1800, 1455, 375));
    Command3 = new QPushButton(tr("関連付けを実行"), this);
    Command3->setGeometry(Twips(4200, 4080, 1455, 375));
    Command4 = new QPushButton(tr("キャンセル"), this);
    Command4->setGeometry(Twips(4200, 4680, 1455, 375));
    connect(Command1, &QPushButton::clicked, this, &Specify::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Specify::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Specify::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Specify::Command4_Click);
}

void Specify::Form_Load()
{
    setFixedSize(TwipsToPixelDown(5895), TwipsToPixelDown(5295));
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }

    // A missing or short file leaves every box cleared and every stored state 0, so that
    // what is compared on execution is what the window shows.
    int sum = 0;
    const std::optional<QStringList> stored = ReadStoredStates(SettingsPath());
    if (stored) {
        StoredStates = *stored;
        for (int i = 0; i < NumFileKinds; ++i) {
            const int value = StateValue(StoredStates.at(i));
            Check[static_cast<size_t>(i)]->setChecked(value != 0);
            sum += value;
        }
    } else {
        StoredStates = QStringList(NumFileKinds, QString());
    }
    NoAssociationFlag = !stored || sum == 0;

    systemDirectory = environment.systemDirectory;

    Label->setText(LabelHtml(tr("このプログラムは、アプリケーションの関連付けを行います。"
                                "Lumoを通常使うアプリケーションに設定したいファイルの"
                                "種類を選択してください。"
                                "また、チェックを外して関連付けを実行すると、"
                                "関連付けも解除されます。")));
}

void Specify::Command1_Click()
{
    for (QCheckBox *box : Check) {
        box->setChecked(true);
    }
}

void Specify::Command2_Click()
{
    for (QCheckBox *box : Check) {
        box->setChecked(false);
    }
}

void Specify::Command4_Click()
{
    close();
}

KindValues Specify::CurrentValues() const
{
    KindValues values{};
    for (int i = 0; i < NumFileKinds; ++i) {
        values[static_cast<size_t>(i)] = Check[static_cast<size_t>(i)]->isChecked() ? 1 : 0;
    }
    return values;
}

// The player to register: the default path when the file is there, else the one the user
// points at; empty when the user gives up.
QString Specify::FindPlayer()
{
    if (QFileInfo(environment.defaultPlayerPath).isFile()) {
        return environment.defaultPlayerPath;
    }
    const auto answer = environment.prompts->Ask(QMessageBox::Warning, ExecuteTitle(),
                                                 tr("Lumoが見つかりません。") + CrLf +
                                                     tr("手動で指定してください。"),
                                                 QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes) {
        return {};
    }
    return environment.prompts->OpenFileName(tr("Lumo.exeの指定"), tr("実行ファイル (*)"))
        .trimmed();
}

void Specify::Command3_Click()
{
    const KindValues values = CurrentValues();
    const bool anyTicked = std::find(values.begin(), values.end(), 1) != values.end();
    if (NoAssociationFlag && !anyTicked) {
        environment.prompts->Ask(QMessageBox::Warning, Title,
                                 tr("Lumoはどのファイルの種類にも関連付けされていない"
                                    "ので、") +
                                     CrLf + tr("関連付けを解除することはできません。"),
                                 QMessageBox::Ok);
        return;
    }
    const QString playerPath = FindPlayer();
    if (playerPath.isEmpty()) {
        return;
    }
    const auto answer =
        environment.prompts->Ask(QMessageBox::NoIcon, ExecuteTitle(),
                                 tr("関連付けを実行します。") + CrLf + tr("よろしいですか？"),
                                 QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes) {
        return;
    }
    // The choices are stored first: registrations that could not be remembered could not be
    // taken back later, so nothing is changed when they cannot be.
    if (!WriteStoredStates(SettingsPath(), values)) {
        environment.prompts->Ask(QMessageBox::Critical, ExecuteTitle(),
                                 tr("選択を保存できないため、関連付けを実行できません。") + CrLf +
                                     SettingsPath(),
                                 QMessageBox::Ok);
        return;
    }
    ApplyChanges(playerPath);
    StoredStates = StoredStatesOf(values);
    // Kept in step with the stored states, so that what was just registered can be removed
    // again without restarting the tool.
    NoAssociationFlag = !anyTicked;
    environment.prompts->Ask(QMessageBox::NoIcon, ExecuteTitle(), tr("関連付けが完了しました。"),
                             QMessageBox::Ok);
}

// Registers every kind whose box was ticked since the stored states and unregisters every
// kind whose box was cleared; kinds left as they were are not touched.
void Specify::ApplyChanges(const QString &playerPath)
{
    if (!environment.regAcc) {
        return;
    }
    for (int i = 0; i < NumFileKinds; ++i) {
        const int value = Check[static_cast<size_t>(i)]->isChecked() ? 1 : 0;
        if (value == StateValue(StoredStates.value(i))) {
            continue;
        }
        for (const ExtensionRegistration &item : ExtensionsOfKind(i, systemDirectory, playerPath)) {
            if (value != 0) {
                const QString iconFile = CheckIcon->isChecked() ? QString() : item.iconFile;
                environment.regAcc->Specify(item.extension, item.description, VerbCaption,
                                            CommandSuffix, playerPath, iconFile, item.iconIndex, 1);
            } else {
                environment.regAcc->UnSpecify(item.extension, VerbCaption, playerPath, QString(),
                                              item.iconIndex);
            }
        }
    }
}
