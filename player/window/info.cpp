// The media information dialog: controls, texts and its modal tie to the main window.
#include "window/info.h"

#include "base/artwork.h"
#include "base/palette.h"
#include "base/twips.h"
#include "base/widget_texts.h"
#include "base/window_fonts.h"
#include "window/compact_label.h"
#include "window/lumo.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QHideEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

namespace {

// Twips of the design to pixels.
QRect Px(int left, int top, int width, int height)
{
    return QRect(TwipsToPixelDown(left), TwipsToPixelDown(top), TwipsToPixelDown(width),
                 TwipsToPixelDown(height));
}

void Colour(QWidget *widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, Palette::WindowBackground);
    palette.setColor(QPalette::WindowText, Palette::WindowText);
    widget->setPalette(palette);
}

QLabel *MakeLabel(QWidget *parent, QRect geometry, const QFont &font, Qt::Alignment alignment)
{
    auto *label = new CompactLabel(parent);
    label->setGeometry(geometry);
    label->setFont(font);
    label->setAlignment(alignment | Qt::AlignTop);
    Colour(label);
    return label;
}

MediumFacts FactsOf(const Lumo &w)
{
    MediumFacts facts;
    facts.title = w.MovieTitle;
    facts.ext = w.MovieExt;
    facts.length = w.MovieLength;
    facts.fileSize = w.MovieFileSize;
    facts.width = w.MovieWidth;
    facts.height = w.MovieHeight;
    facts.bitrate = w.MovieBitrate;
    facts.frameRate = w.MovieFrameRate;
    facts.artist = w.MovieTags.artist;
    facts.album = w.MovieTags.album;
    facts.date = w.MovieTags.date;
    facts.track = w.MovieTags.track;
    facts.sampleRate = w.MovieTags.sampleRate;
    facts.bitDepth = w.MovieTags.bitDepth;
    facts.channels = w.MovieTags.channels;
    if (const MediaEngine *engine = w.Engine())
        facts.replayGainDb = engine->ReplayGainApplied();
    return facts;
}

} // namespace

Info::Info(Lumo &owner)
    : QDialog(&owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      owner_(&owner)
{
    setAttribute(Qt::WA_DeleteOnClose);
    owner.setEnabled(false);
    // A child window would follow its disabled owner; the dialog itself stays usable.
    setEnabled(true);

    Platform = SystemInfo::DefaultPlatform([this](const QString &text) {
        QMessageBox box(QMessageBox::NoIcon, windowTitle(), text, QMessageBox::Ok, this);
        box.exec();
    });

    Colour(this);
    setAutoFillBackground(true);
    setFixedSize(TwipsToPixelDown(6360), TwipsToPixelDown(3600));
    CreateControls();

    setWindowTitle(owner.VL);
    L1->setText(InfoText::VersionText(LUMO_VERSION_MAJOR, LUMO_VERSION_MINOR));
    ShowFacts(FactsOf(owner));
    WidgetTexts::FitAll(this);
}

Info::~Info()
{
    Unload();
}

void Info::CreateControls()
{
    picIcon = new QLabel(this);
    picIcon->setGeometry(Px(120, 120, 540, 540));
    picIcon->setAlignment(Qt::AlignCenter);
    picIcon->setPixmap(QPixmap(QStringLiteral(":/images/lumo.png")));

    ImageLogo = new QLabel(this);
    ImageLogo->setGeometry(Px(720, 0, 5400, 990));
    ImageLogo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ImageLogo->setPixmap(
        QPixmap::fromImage(Artwork(QStringLiteral("ImageLogo"), devicePixelRatioF())));

    L1 = MakeLabel(this, Px(720, 960, 5415, 255), WindowFonts::PGothic(12, true), Qt::AlignRight);

    Frame = new QGroupBox(tr("ファイル情報"), this);
    Frame->setGeometry(Px(240, 1320, 5895, 1335));
    Colour(Frame);
    Frame->setAutoFillBackground(true);
    Frame->setFont(WindowFonts::PGothic(9));
    // The caption sits on the frame's top line, as on the design.
    Frame->setStyleSheet(QStringLiteral(
        "QGroupBox { background-color: rgb(239, 255, 255); border: 1px solid rgb(160, 184, 192);"
        " margin-top: 7px; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; left: 6px;"
        " padding: 0 2px; color: rgb(0, 111, 191); }"));
    L3 = MakeLabel(Frame, Px(120, 240, 5295, 375), WindowFonts::PGothic(9, true), Qt::AlignLeft);
    L3->setWordWrap(true);
    L4 = MakeLabel(Frame, Px(120, 600, 2415, 615), WindowFonts::Gothic(9), Qt::AlignLeft);
    L5 = MakeLabel(Frame, Px(2760, 600, 2895, 615), WindowFonts::Gothic(9), Qt::AlignLeft);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setGeometry(Px(3360, 3120, 1380, 345));
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(tr("ｼｽﾃﾑ情報(&S)..."), this);
    cmdSysInfo->setGeometry(Px(4860, 3120, 1380, 345));
    cmdSysInfo->setAutoDefault(false);

    // OK is also the cancel button: Escape closes the dialog through reject().
    connect(cmdOK, &QPushButton::clicked, this, &QWidget::close);
    connect(cmdSysInfo, &QPushButton::clicked, this, &Info::StartSysInfo);
}

void Info::ShowFacts(const MediumFacts &facts)
{
    L3->setText(facts.title);
    L4->setText(InfoText::KindLengthSize(facts));
    L5->setText(InfoText::PictureRates(facts));
    if (facts.HasTagFacts())
        ShowTagFacts(facts);
}

void Info::ShowTagFacts(const MediumFacts &facts)
{
    constexpr int Extra = 1380; // twips the dialog grows by
    FrameTags = new QGroupBox(tr("タグ情報"), this);
    FrameTags->setGeometry(Px(240, 2760, 5895, 1260));
    Colour(FrameTags);
    FrameTags->setAutoFillBackground(true);
    FrameTags->setFont(Frame->font());
    FrameTags->setStyleSheet(Frame->styleSheet());
    L6 = MakeLabel(FrameTags, Px(120, 240, 3255, 960), WindowFonts::Gothic(9), Qt::AlignLeft);
    L7 = MakeLabel(FrameTags, Px(3480, 240, 2295, 960), WindowFonts::Gothic(9), Qt::AlignLeft);
    L6->setText(InfoText::ArtistAlbumTrackDate(facts));
    L7->setText(InfoText::SoundFormat(facts));
    cmdOK->setGeometry(Px(3360, 3120 + Extra, 1380, 345));
    cmdSysInfo->setGeometry(Px(4860, 3120 + Extra, 1380, 345));
    setFixedSize(TwipsToPixelDown(6360), TwipsToPixelDown(3600 + Extra));
}

void Info::StartSysInfo()
{
    SystemInfo::StartSysInfo(Platform);
}

bool Info::GetKeyValue(const std::uint32_t &keyRoot, const QString &keyName,
                       const QString &subKeyRef, QString &keyVal)
{
    return SystemInfo::GetKeyValue(Platform.keyValues.get(), keyRoot, keyName, subKeyRef, keyVal);
}

// Centres the dialog's outer frame on the screen.
void Info::CentreOnScreen()
{
    const QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s)
        return;
    const QRect area = s->geometry();
    const QSize outer = frameGeometry().size();
    move(area.left() + (area.width() - outer.width()) / 2,
         area.top() + (area.height() - outer.height()) / 2);
}

void Info::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        CentreOnScreen();
}

void Info::hideEvent(QHideEvent *event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        Unload();
}

void Info::Unload()
{
    if (owner_)
        owner_->setEnabled(true);
    owner_ = nullptr;
}
