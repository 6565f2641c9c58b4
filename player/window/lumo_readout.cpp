// The readout beside the mouse on the spectrum analyzers and the spectrogram: frequency, the
// nearest note and the level there. Nothing is worked out while the mouse is elsewhere.
#include "window/lumo.h"

#include "base/twips.h"
#include "spectrum/readout.h"
#include "window/picture_box.h"

#include <QEvent>
#include <QLabel>

#include <functional>

namespace {

// Tells the window when the mouse leaves the picture.
class LeaveWatch : public QObject
{
public:
    LeaveWatch(QObject *parent, std::function<void()> left)
        : QObject(parent), left_(std::move(left))
    {
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Leave)
            left_();
        return false;
    }

private:
    std::function<void()> left_;
};

bool ShowsReadout(int mode)
{
    return mode == 2 || mode == 3 || mode == AnalyzerModes::kSpectrogram;
}

} // namespace

void Lumo::CreateReadout()
{
    readout_ = new QLabel(Pic);
    readout_->setObjectName(QStringLiteral("Readout"));
    readout_->setStyleSheet(
        QStringLiteral("QLabel { background: rgba(0, 0, 0, 200); color: white; "
                       "border: 1px solid rgb(90, 90, 90); padding: 1px 3px; }"));
    QFont font = readout_->font();
    font.setPixelSize(11);
    readout_->setFont(font);
    readout_->setAttribute(Qt::WA_TransparentForMouseEvents);
    readout_->hide();
    Pic->setMouseTracking(true);
    Pic->installEventFilter(new LeaveWatch(this, [this] { HideReadout(); }));
    connect(Pic, &PictureBox::MouseMove, this, [this](Qt::MouseButtons, int x, int y) {
        readoutPoint_ = QPoint(TwipsToPixelDown(x), TwipsToPixelDown(y));
        ShowReadout();
    });
}

void Lumo::HideReadout()
{
    readoutPoint_.reset();
    readout_->hide();
}

void Lumo::ShowReadout()
{
    std::optional<Readout> reading;
    if (readoutPoint_ && VsaActiveFlag && ShowsReadout(VSA)) {
        const QPoint at = *readoutPoint_;
        const FrameInput input = CurrentFrameInput();
        if (VSA == AnalyzerModes::kSpectrogram) {
            const QImage &canvas = Pic->Canvas();
            const QPoint pixel = at * canvas.devicePixelRatio();
            if (canvas.rect().contains(pixel))
                reading = SpectrogramReadoutAt(at.x(), at.y(), input, canvas.pixel(pixel));
        } else {
            reading = SpectrumReadoutAt(at.x(), at.y(), input, spectrumWork_.spectra);
        }
    }
    if (!reading) {
        readout_->hide();
        return;
    }
    readout_->setText(ReadoutText(*reading));
    readout_->adjustSize();
    // Beside the mouse, kept inside the picture.
    const QPoint at = *readoutPoint_;
    int x = at.x() + 14, y = at.y() + 14;
    if (x + readout_->width() > Pic->width())
        x = std::max(0, at.x() - 6 - readout_->width());
    if (y + readout_->height() > Pic->height())
        y = std::max(0, at.y() - 6 - readout_->height());
    readout_->move(x, y);
    readout_->raise();
    readout_->show();
}
