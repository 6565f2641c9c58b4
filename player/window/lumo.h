#pragma once

#include "analyzer/analog_meter.h"
#include "analyzer/analysis_stream.h"
#include "analyzer/analyzer_modes.h"
#include "analyzer/loudness_meter.h"
#include "analyzer/oscilloscope.h"
#include "analyzer/overlay.h"
#include "analyzer/sample_supply.h"
#include "analyzer/stereo_field.h"
#include "analyzer/stream_header.h"
#include "analyzer/waveform.h"
#include "core/media_engine.h"
#include "core/play_list.h"
#include "core/volume.h"
#include "display/layout_geometry.h"
#include "display/media_tags.h"
#include "spectrum/fft_engine.h"
#include "spectrum/level_meter.h"
#include "spectrum/spectrogram.h"
#include "spectrum/spectrum_analyzer.h"

#include <QImage>
#include <QMap>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class Info;
class Panel;
class PictureBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QMenu;
class QAction;
class QTimer;
class VolumeBadge;

// The player's main window. It owns all player state as members (the public ones are read
// and written by the panel and the information dialog) and the controls; its operations
// live in the subsystem folders, one file per concern.
class Lumo : public QWidget
{
    Q_OBJECT

public:
    // Everything the window takes from outside, so tests can run it without a desktop.
    struct Environment
    {
        MediaEngineFactory engineFactory;
        QString settingsPath; // lumo.ini; empty: no settings file
        // Shows a message box: text, title; tests capture it instead.
        std::function<void(const QString &text, const QString &title)> stopMessage;
        std::function<void(const QString &text, const QString &title)> infoMessage;
        // Asks for files to open; tests answer instead of the dialog.
        std::function<QStringList(QWidget *parent)> openDialog;
        // Where the fft module lies; empty: the program's own directory.
        QString fftDirectory;
        // The per-user settings (volume, analyzer delay, waveform bar); empty: none read or
        // written.
        QString userSettingsPath;
        // Asks where to save the play list; tests answer instead of the dialog. Empty: cancelled.
        std::function<QString(QWidget *parent)> saveListDialog;
        // Where embedded covers are written for the desktop's media widgets; empty: not written.
        QString coverCacheDirectory;
    };

    explicit Lumo(Environment environment, QWidget *parent = nullptr);
    ~Lumo() override;

    // ---- public state -----------------------------------------------------------------
    std::uint8_t CT = 0;
    bool PauseFlag = false;
    ::PlayList PlayList;
    std::int16_t PlayIndex = 0;
    std::uint8_t PlayMode = 0;
    QString VL;
    QString MovieTitle, MovieExt;
    // Artist, album, track, date, cover and the sound's format, as the medium's tags say.
    MediaTags MovieTags;
    double MovieLength = 0, MovieBitrate = 0, MovieFrameRate = 0;
    std::int32_t MovieWidth = 0, MovieHeight = 0, MovieFileSize = 0;
    bool MediumOpenFlag = false, AudioOnlyFlag = false, StillPictureFlag = false,
         FullScreenFlag = false;
    bool ListHiddenFlag = false, HistoryAreaFlag = false;
    float ZoomFactor = 1.0f;
    std::int16_t PlayCount = 0;
    std::uint8_t VSA = 0, CH = 0, TimeRange = 10, WFT = 0;
    std::int16_t NumFftNormal = 0, NumFftFast = 0;
    std::array<std::int32_t, 5> FftSizes{};
    bool FastFlag = false, VsaLargeFlag = false, FpsFlag = false, PanelFlag = false;
    bool VsaReadyFlag = false, VsaActiveFlag = false, Mp3Flag = false;
    std::array<std::int16_t, 3> TimerIntervals{250, 40, 10};
    ::StreamInfo StreamInfo;
    // Colour cycle of the spectrum analyzers (`HuePhase`, `HueSegment`).
    SpectrumState Spectrum;
    // Bars and peak markers of the level meters (`BandLevel`, `BandPeak`, `BandHold`,
    // `FallRate`).
    LevelMeterState LevelMeter;
    // False when the fft module is missing or empty: the five FFT modes are withheld.
    bool FftAvailable = true;
    // Shifts the analysed position back by this many milliseconds (0 to 500, steps of 10), so
    // that the pictures line up with an output that lags.
    std::int16_t AnalyzerDelayMs = 0;
    // The back of the position bar shows the sound's waveform.
    bool WaveformBarFlag = true;
    // Spectrum analyzer A's peak-hold trace: its fall in dB a second, 0 for none (kept per user).
    std::int16_t PeakFall = 0;
    // Volume and mute, applied to every opened medium.
    VolumeState Volume;
    // How loudness tags are applied to sound files; kept per user.
    ReplayGainMode ReplayGain = ReplayGainMode::Off;
    // A start without files brings back the last play list, entry and position, paused.
    bool ResumeFlag = false;

    // ---- public operations ------------------------------------------------------------
    void ChangeVsa(int index);
    void ChangeVsaFast();
    void ChangeChannel(int index);
    void PicRsl_Click();
    void ResetAnalysisState();
    // Forgets the analysed file, also an answer about it still to come from the probe.
    void ForgetAnalysedFile();
    void StartAnalysis(const QString &path);
    // Takes the probe's answer about the playing file once it is there.
    void PollAnalysisProbe();
    // True while the probe has not said how the playing file is analysed.
    bool AnalysisAwaited() const { return analysisAwaited_; }
    void AllocateSampleBuffers();
    // Draws one frame of the current analyzer mode for the playing position in seconds.
    void DrawAnalyzerFrame(float position);
    // One loudness meter frame: feeds what played since the last one and draws the meter.
    void DrawLoudness(float position);
    // Switches the waveform in the position bar on or off.
    void SetWaveformBar(bool on);
    // Starts the waveform of a newly opened sound once its length is known, and paints the
    // columns computed so far into the back of the position bar.
    void UpdateWaveformBar();

    // ---- start-up, hand-off, shutdown ---------------------------------------------------
    // Puts the command-line text into the hand-off label; runs the hand-off parser.
    void SetHandoffText(const QString &text);
    void LDDE2_Change();

    // ---- play list and play modes -------------------------------------------------------
    // A start without files: when ResumeFlag is set, restores the play list, the entry and the
    // position stored at the last shutdown, paused there.
    void ResumeLastSession();
    // Stores the play list, the entry and the position for the next start.
    void WriteResumeState() const;
    // Adds the names to the play list (a play list file brings its entries in its place) and
    // opens the first.
    void AddFiles(const QStringList &names);
    void MenuFileOpen_Click();
    void DropFiles(const QStringList &names);
    void ListFile_Click();
    void ListFile_DblClick();
    void SetPlayMode(int mode);
    void RandomPick();

    // ---- opening --------------------------------------------------------------------------
    bool OpenCurrent();
    void CloseMedium();
    void RememberFullScreen();

    // ---- transport ------------------------------------------------------------------------
    void PicPlay_MouseDown(Qt::MouseButton button);
    void PicPlay_MouseUp(Qt::MouseButton button);
    void PicStop_MouseDown(Qt::MouseButton button);
    void PicStop_MouseUp(Qt::MouseButton button);
    void PicBack_MouseDown(Qt::MouseButton button);
    void PicBack_MouseUp(Qt::MouseButton button);
    void PicStep_MouseDown(Qt::MouseButton button);
    void PicStep_MouseUp(Qt::MouseButton button);
    void PicPrev_MouseDown(Qt::MouseButton button);
    void PicPrev_MouseUp(Qt::MouseButton button);
    void PicNext_MouseDown(Qt::MouseButton button);
    void PicNext_MouseUp(Qt::MouseButton button);
    void PicPos_MouseDown(Qt::MouseButton button, int x);
    void PicPos_MouseMove(Qt::MouseButtons buttons, int x);
    void PicPos_MouseUp(Qt::MouseButton button);
    void PicPosBack_MouseDown(Qt::MouseButton button, int x);
    void PicPosBack_MouseUp(Qt::MouseButton button);
    void PicSpeed_MouseDown(Qt::MouseButton button, int x, int y);
    void SetSpeed(int index);
    // The speed index last set (0: ×0.5, 1: ×1, 2: ×2).
    int SpeedIndex() const { return speedIndex_; }
    // Moves within the playing medium to the given second, as the position bar does (at or
    // past the end: the end of the medium). True when it moved within the medium.
    bool SeekTo(double seconds);
    void EndOfMedium();
    void Timer_Timer();

    // ---- layout, list pane, full screen -------------------------------------------------
    void SetPictureArea(int &p, int &q);
    void SetClientSize(int width, int height);
    void FitToScreen();
    void ToggleHistoryArea();
    void CentreWindow();
    void PicSize_Click();
    void EnterFullScreen();
    void LeaveFullScreen();

    // ---- keys and the information dialog --------------------------------------------------
    // The key handler: a virtual key code and the modifier state (1 Shift, 2 Ctrl, 4 Alt).
    // Returns whether the key belongs to one of the window's shortcuts.
    bool Form_KeyDown(std::uint16_t keyCode, std::uint16_t shift);
    // Opens the media information dialog for the current medium.
    void PicInfo_Click();
    Info *InfoWindow() const;

    // ---- volume -------------------------------------------------------------------------
    // Each sets the value, applies it to the playing medium and shows it for a moment.
    void StepVolume(int steps);
    void SetVolume(int percent);
    void SetMuted(bool muted);
    // Sets how loudness tags are applied, to the playing sound as well, and keeps it.
    void SetReplayGain(ReplayGainMode mode);
    VolumeBadge *VolumeNote() const;

    // ---- the analyzer settings panel ------------------------------------------------------
    // `MenuVsaPanel` (and F6): loads the settings panel if it is not loaded and shows it.
    void MenuVsaPanel_Click();
    // The loaded settings panel, or null.
    Panel *PanelWindow() const;

    // ---- title, history, still pictures ---------------------------------------------------
    void ResetButtonImages();
    void AddHistoryEntry(const QString &name);
    void ShowFileListText();
    bool ShowStillPicture(const QString &path);
    // Saves the play list as an M3U8 file chosen by the user (a menu item and Ctrl+L).
    void MenuSaveList_Click();
    // Writes the play list's entries to an M3U8 file; false when it could not be written.
    bool SavePlayListAs(const QString &path) const;

    // Geometry of a control in twips, as the layout last set it.
    QRect TwipsGeometry(Control control) const;
    QWidget *ControlWidget(Control control) const;

    // ---- controls (public so the panel, the dialog and tests reach them) ------------------
    PictureBox *Pic = nullptr, *PicGS = nullptr, *PicPlay = nullptr, *PicStop = nullptr,
               *PicBack = nullptr, *PicStep = nullptr, *PicPrev = nullptr, *PicNext = nullptr,
               *PicPos = nullptr, *PicPosBack = nullptr, *PicSpeed = nullptr, *PicFull = nullptr,
               *PicRsl = nullptr, *PicPM = nullptr, *PicSize = nullptr, *PicVsa = nullptr,
               *PicInfo = nullptr;
    QLabel *LabelTime = nullptr, *LabelPm = nullptr, *LabelFile = nullptr;
    std::array<QLabel *, 2> LabelTitle{};
    QLabel *LDDE1 = nullptr, *LDDE2 = nullptr;
    QListWidget *ListFile = nullptr;
    QPlainTextEdit *Text = nullptr, *Hist = nullptr;
    QTimer *Timer = nullptr;

    QMenu *PUM = nullptr, *PUP = nullptr, *PUVSA = nullptr;
    QMenu *MenuPlayControl = nullptr, *MenuSpeed = nullptr, *MenuScreen = nullptr,
          *MenuVsa = nullptr;
    QAction *MenuFileOpen = nullptr, *MenuPlayPause = nullptr, *MenuStop = nullptr,
            *MenuBack = nullptr, *MenuStep = nullptr, *MenuPrev = nullptr, *MenuNext = nullptr,
            *Menu05 = nullptr, *Menu10 = nullptr, *Menu20 = nullptr, *MenuList = nullptr,
            *MenuSize = nullptr, *MenuFullScr = nullptr, *MenuInfo = nullptr, *MenuLine3 = nullptr,
            *MenuExit = nullptr;
    QAction *MenuPmClear = nullptr, *MenuLine2 = nullptr, *MenuSolo = nullptr, *MenuAll = nullptr,
            *MenuRandom = nullptr, *MenuSoloRepeat = nullptr, *MenuAllRepeat = nullptr;
    // MenuVSANone ... MenuAnalogMeter, then the spectrogram, the loudness meter and the stereo
    // field.
    std::array<QAction *, AnalyzerModes::kCount> MenuVsaModes{};
    QAction *MenuVsaPanel = nullptr;
    // Off, track, album: how loudness tags are applied.
    QMenu *MenuReplayGain = nullptr;
    std::array<QAction *, 3> MenuReplayGainModes{};
    // The loudness meter's scale, readings and target choices, and its reset.
    QMenu *MenuLoudness = nullptr;
    std::array<QAction *, 2> MenuLoudnessScale{}, MenuLoudnessReadings{};
    std::array<QAction *, 3> MenuLoudnessTargets{};
    QAction *MenuLoudnessReset = nullptr;
    // `MenuFreeze` (and F): holds the analyzer picture while the sound plays on, and lets it go.
    QAction *MenuFreeze = nullptr;
    bool FreezeFlag = false;
    void ToggleFreeze();
    // `MenuSavePicture` (and P): saves the analyzer picture as PNG into the pictures folder,
    // named by the file and the time; returns the path, or "" when it could not be saved.
    QAction *MenuSavePicture = nullptr;
    QString SaveAnalyzerPicture();
    // How the loudness meter shows its readings (kept per user).
    LoudnessDisplay LoudnessView;
    // Starts the loudness meter's integrated, range and maximum readings again (a click on
    // the meter, the R key, the menu).
    void ResetLoudness();
    QAction *MenuSaveList = nullptr, *MenuResume = nullptr;

    MediaEngine *Engine() const { return engine_.get(); }
    // The current sound's cover as a file:// URL for the desktop; empty without a cover.
    QString CoverUrl() const { return coverUrl_; }

signals:
    // A medium was shown: its title, tags and cover are known.
    void MediumChanged();
    // The transport buttons, the play mode or the volume changed.
    void StateChanged();
    // The window is going away: dialogs and the panel close with it.
    void Unloading();
    // The settings panel should follow the window's new size.
    void PanelPositionRequested();
    // The large analyzer area was toggled from the window (the panel mirrors it).
    void LargeAreaChanged(bool large);
    // The frame-rate overlay was toggled by key while the panel is open (the panel mirrors it).
    void FpsFlagChanged(bool on);

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateControls();
    void CreateMenus();
    void ConnectControls();
    void FormLoad();
    void Shutdown();
    void ReadSettings();
    void WriteSettings();
    void Place(const Placement &placement);
    void PlaceTwips(Control control, int left, int top, int width, int height);
    void MoveKnob(int left);
    void StopAtStart();
    void SelectListRow(int row);
    void PaintAudioPicture();
    void ShowTitle();
    // Reads the title and tags of the opened medium; paints the cover of a sound.
    void ReadMediumTitle(const QString &path);
    void ForgetMediumTags();
    QString CoverUrlOf(const QString &path) const;
    // Paints the current sound's cover when the analyzer shows nothing; false when there is
    // none to paint.
    bool PaintCover();
    void RestorePlayIndexFromHistory();
    // Puts names into the play list, the list box and the file-list log; the slots written.
    std::vector<int> AppendEntries(const QStringList &names);
    // Tells the user once how many entries of the opened lists name no file.
    void ReportMissingEntries(int missing);
    void ReportOpenFailure(const QString &path);
    void MeasureRates(const QString &path);
    void ShowOpenedTitle(const QString &path);
    void WatchEngine();
    int EntryAfterCurrent();
    void PrepareJoin();
    void QueueJoin(MediaEngine &engine);
    void AdoptJoinedFile();
    void OpenQueued();
    void Previous();
    void Next();
    void Back();
    void Step();
    int TrackLength() const;
    bool ButtonActs(Qt::MouseButton button, bool withinMedium) const;
    void ShowButtonImage(PictureBox *button, const QString &images, int index);
    void PressButton(Qt::MouseButton button, bool withinMedium, PictureBox *box,
                     const QString &images);
    bool ReleaseButton(Qt::MouseButton button, bool withinMedium, PictureBox *box,
                       const QString &images);
    QImage Image(const QString &name) const;
    // The window is on a screen of another device pixel ratio: its pictures are drawn anew.
    void ScreenRatioChanged();
    void ProcessPendingEvents();
    double HeaderBitRate(const QString &path) const;
    void InstallKeyPreview();
    void ToggleFps();
    void InstallVolumeControls();
    void CreateReplayGainMenu();
    void ApplyVolume();
    void ShowVolume();
    void WriteUserSettings() const;
    void CreateLoudnessMenu();
    void CreatePictureMenu();
    // The frame input of the player's state now.
    FrameInput CurrentFrameInput() const;
    // The readout under the mouse on the spectrum analyzers and the spectrogram.
    void CreateReadout();
    void ShowReadout();
    void HideReadout();
    // Ticks the loudness menu's items for LoudnessView.
    void ShowLoudnessView();
    void LoudnessViewChanged();

    Environment env_;
    std::unique_ptr<MediaEngine> engine_;
    QMap<Control, QRect> twips_;
    double duration_ = 0; // the rounded duration the timer compares with
    std::int16_t grabOffset_ = 0;
    // Set while the user holds the position knob: the timer leaves the knob to the mouse.
    bool knobHeld_ = false;
    // A stored FFT mode (2 to 5, 7) shown as "None" while the fft module is missing; written back
    // unchanged unless the user chooses another mode.
    std::optional<std::uint8_t> withheldVsa_;
    // The window position lumo.ini held at the start (twips), written back unchanged where the
    // platform cannot report the window's position.
    struct StoredPosition
    {
        float left = 0;
        float top = 0;
        bool centred = true;
    } storedPosition_;
    bool closing_ = false;
    // Set while Open current runs: the media engine may run the event loop while it loads,
    // and nothing may start another open or act on the old medium's end meanwhile.
    bool opening_ = false;
    // First slot of files added while a medium loaded; it opens once that load is over.
    int queuedOpen_ = -1;
    SampleSupply supply_;
    // Where the analysed file's samples come from (set when its headers are read).
    SampleSource sampleSource_ = SampleSource::Wave;
    // Examines files the header readers do not accept; until it answers, the analyzer is
    // ready but draws silence (analysisAwaited_).
    AnalysisProbe probe_;
    bool analysisAwaited_ = false;
    QString analysedPath_;
    void ApplyAnalysisStream(const AnalysisStream &stream);
    FftEngine fft_;
    SpectrumWorkspace spectrumWork_;
    SpectrogramState spectrogram_;
    WaveformWorker waveform_;
    // The waveform of the sound just accepted waits for the duration.
    bool waveformPending_ = false;
    int waveformShown_ = -1;
    std::vector<WaveformColumn> waveformColumns_;
    LoudnessState loudness_;
    LoudnessPictures loudnessPictures_;
    StereoFieldState stereoField_;
    // The mouse's pixel over the picture while it is there, and the readout shown beside it.
    std::optional<QPoint> readoutPoint_;
    QLabel *readout_ = nullptr;
    LevelMeterWorkspace levelWork_;
    FrameRateState frameRate_;
    QImage barImage_; // at the device pixel ratio barRatio_, one pixel a device pixel
    qreal barRatio_ = 0;
    ScopeColourCycle scopeColours_;
    ScopeWorkspace scopeWork_;
    AnalogNeedles needles_;
    AnalogMeterPictures meterPictures_; // for the device pixel ratio meterRatio_
    qreal meterRatio_ = 0;
    // The time label's text and the whole second it shows.
    QString timeText_;
    std::int64_t shownSecond_ = -1;
    // The cover of the sound at coverPath_, decoded once when it opened.
    QImage coverImage_;
    QString coverPath_, coverUrl_;
    QPointer<Info> info_;
    QPointer<Panel> panel_;
    VolumeBadge *volumeBadge_ = nullptr;
    int speedIndex_ = 1;
    // The entry queued in the engine to follow the current one without a gap (-1: none), the
    // path it was asked for, and the random mode's pick for it.
    int joinIndex_ = -1;
    QString joinAskedPath_;
    int joinRandom_ = -1;
};
