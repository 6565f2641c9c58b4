#pragma once

#include "analyzer/analyzer_modes.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <cstdint>

class Lumo;
class PictureBox;
class QCheckBox;
class QSpinBox;
class QComboBox;
class QLabel;
class QRadioButton;
class QTimer;

// The analyzer settings panel ("VSA設定パネル"): a tool window beside the main window that
// picks the analyzer mode, channel, time range, window function and FFT sizes and switches
// fast drawing, the frame-rate overlay and the large analyzer area. It keeps no settings of
// its own: loading reads the main window's members, every change writes them back at once.
// Closing it deletes it.
class Panel : public QWidget
{
    Q_OBJECT

public:
    // Loads the panel from the owner's state, places it beside the owner and shows it.
    explicit Panel(Lumo &owner);
    ~Panel() override;

    // Places the panel below, right of or left of the main window (whichever side faces the
    // screen's centre).
    void SetPanelPosition();
    // Mirrors a change made by the main window (size button, F11) without acting on it again.
    void ShowLargeArea(bool large);
    void ShowFps(bool on);

    // Pointer and mouse handlers; x and y in twips on the panel.
    void PicVsa_MouseMove(int index);
    void PicVsa_Click(int index);
    void PicVsa_DblClick(int index);
    void Form_MouseMove(int x, int y);
    void LabelVsa_MouseMove();
    void TimerSelected_Timer();
    // Shows mode's highlighted picture and every other mode's normal one.
    void Highlight(int mode);
    int HoverIndex() const { return hoverIndex_; }

    // Change actions of the controls.
    void OptCh_Click(int index);
    void ComboTime_Click();
    void ComboWindow_Click();
    void ComboNormal_Click();
    void ComboFast_Click();
    void Check1_Click();
    void Check2_Click();
    void Check3_Click();
    void SpinDelay_Change();
    void ShowOutputLatency();
    void CheckWaveform_Click();
    void ComboPeak_Click();

    // ---- controls ---------------------------------------------------------------------
    std::array<PictureBox *, AnalyzerModes::kCount> PicVsa{};
    std::array<QImage, AnalyzerModes::kCount> Image1,
        Image2; // highlighted and normal mode pictures
    QLabel *LabelVsa = nullptr;
    QTimer *TimerSelected = nullptr;
    std::array<QRadioButton *, 3> OptCh{};
    QComboBox *ComboTime = nullptr, *ComboWindow = nullptr, *ComboNormal = nullptr,
              *ComboFast = nullptr;
    QCheckBox *Check1 = nullptr, *Check2 = nullptr, *Check3 = nullptr;
    // Analyzer delay (0 to 500 ms in steps of 10) and the waveform in the position bar.
    QSpinBox *SpinDelay = nullptr;
    // The output's own latency, beside the delay set by hand; refreshed while the panel is open.
    QLabel *LabelLatency = nullptr;
    QTimer *TimerLatency = nullptr;
    QCheckBox *CheckWaveform = nullptr;
    // Spectrum analyzer A's peak-hold trace: none, or its fall rate.
    QComboBox *ComboPeak = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateControls();
    void CreateCaptions();
    void ConnectControls();
    void Form_Load();
    void RestoreLabelColour();
    void SetLabelColour(const QColor &colour);
    void RedrawIfPaused();
    bool ModeAvailable(int mode) const;

    Lumo &owner_;
    std::int16_t hoverIndex_ = -1;
    bool closing_ = false;
};
