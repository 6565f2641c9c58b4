<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja_JP">
<context>
    <name>CommandLine</name>
    <message>
        <location filename="../../display/command_line.cpp" line="34"/>
        <source>使い方: %1 [オプション] [--] [ファイル...]
動画・音声・画像を再生し、音をアナライザで表示します。
すでに起動しているときは、ファイルをそのプレーヤーに渡します。

オプション:
  -h, --help   この説明を表示して終了します
  --version    バージョンを表示して終了します
  --           これより後の引数はすべてファイル名です
</source>
        <translation>Usage: %1 [options] [--] [files...]
Plays movies, sounds and pictures, and shows the sound in an analyzer.
When the player already runs, the files are handed to it.

Options:
  -h, --help   show this help and exit
  --version    show the version and exit
  --           every argument after this one is a file name
</translation>
    </message>
</context>
<context>
    <name>FileKinds</name>
    <message>
        <location filename="../../../specify/file_kinds.cpp" line="26"/>
        <source>AVI ファイル</source>
        <translation>AVI files</translation>
    </message>
    <message>
        <location filename="../../../specify/file_kinds.cpp" line="27"/>
        <source>MPEG ファイル</source>
        <translation>MPEG files</translation>
    </message>
    <message>
        <location filename="../../../specify/file_kinds.cpp" line="28"/>
        <source>Windows Media Video ファイル</source>
        <translation>Windows Media Video files</translation>
    </message>
    <message>
        <location filename="../../../specify/file_kinds.cpp" line="29"/>
        <source>WAVE ファイル</source>
        <translation>WAVE files</translation>
    </message>
    <message>
        <location filename="../../../specify/file_kinds.cpp" line="30"/>
        <source>MPEG Audio ファイル</source>
        <translation>MPEG Audio files</translation>
    </message>
    <message>
        <location filename="../../../specify/file_kinds.cpp" line="31"/>
        <source>Windows Media Audio ファイル</source>
        <translation>Windows Media Audio files</translation>
    </message>
    <message>
        <location filename="../../../specify/file_kinds.cpp" line="32"/>
        <source>MIDI ファイル</source>
        <translation>MIDI files</translation>
    </message>
    <message>
        <location filename="../../../specify/file_kinds.cpp" line="56"/>
        <source>%1 （%2）</source>
        <translation>%1 (%2)</translation>
    </message>
</context>
<context>
    <name>Info</name>
    <message>
        <location filename="../../display/info_text.cpp" line="64"/>
        <source>映像なし</source>
        <translation>No picture</translation>
    </message>
    <message>
        <location filename="../../display/info_text.cpp" line="89"/>
        <source>メディアの種類 : </source>
        <translation>    Media type : </translation>
    </message>
    <message>
        <location filename="../../display/info_text.cpp" line="90"/>
        <source>&#x3000;&#x3000;&#x3000;再生時間 : </source>
        <translation>        Length : </translation>
    </message>
    <message>
        <location filename="../../display/info_text.cpp" line="91"/>
        <source>ファイルサイズ : </source>
        <translation>     File size : </translation>
    </message>
    <message>
        <location filename="../../display/info_text.cpp" line="98"/>
        <source>&#x3000;&#x3000;映像サイズ : </source>
        <translation>  Picture size : </translation>
    </message>
    <message>
        <location filename="../../display/info_text.cpp" line="100"/>
        <source>&#x3000;ビットレート : </source>
        <translation>      Bit rate : </translation>
    </message>
    <message>
        <location filename="../../display/info_text.cpp" line="101"/>
        <source>フレームレート : </source>
        <translation>    Frame rate : </translation>
    </message>
    <message>
        <location filename="../../window/info.cpp" line="109"/>
        <source>ファイル情報</source>
        <translation>File information</translation>
    </message>
    <message>
        <location filename="../../window/info.cpp" line="128"/>
        <source>ｼｽﾃﾑ情報(&amp;S)...</source>
        <translation>&amp;System Info...</translation>
    </message>
</context>
<context>
    <name>Lumo</name>
    <message>
        <location filename="../../window/lumo_analysis.cpp" line="107"/>
        <source>このWAVEファイルはサポートされていません。</source>
        <translation>This WAVE file is not supported.</translation>
    </message>
    <message>
        <location filename="../../window/lumo_controls.cpp" line="59"/>
        <source>ファイルリスト（ダブルクリックで表示）
</source>
        <translation>File list (double-click to show)
</translation>
    </message>
    <message>
        <location filename="../../window/lumo_controls.cpp" line="60"/>
        <source>再生履歴
</source>
        <translation>Play history
</translation>
    </message>
    <message>
        <location filename="../../window/lumo_controls.cpp" line="72"/>
        <source>再生速度倍率</source>
        <translation>Playback speed</translation>
    </message>
    <message>
        <location filename="../../window/lumo_controls.cpp" line="88"/>
        <location filename="../../window/lumo_controls.cpp" line="89"/>
        <source>プレイモード</source>
        <translation>Play mode</translation>
    </message>
    <message>
        <location filename="../../window/lumo_controls.cpp" line="97"/>
        <source>フルスクリーン表示</source>
        <translation>Full screen</translation>
    </message>
    <message>
        <location filename="../../window/lumo_controls.cpp" line="99"/>
        <source>サイズ変更</source>
        <translation>Change size</translation>
    </message>
    <message>
        <location filename="../../window/lumo_controls.cpp" line="101"/>
        <source>プレイモード変更</source>
        <translation>Change play mode</translation>
    </message>
    <message>
        <location filename="../../window/lumo_controls.cpp" line="103"/>
        <source>２階層リスト非表示</source>
        <translation>Hide the list</translation>
    </message>
    <message>
        <location filename="../../window/lumo_controls.cpp" line="107"/>
        <source>情報</source>
        <translation>Information</translation>
    </message>
    <message>
        <location filename="../../window/lumo_layout.cpp" line="171"/>
        <source>リスト表示</source>
        <translation>Show the list</translation>
    </message>
    <message>
        <location filename="../../window/lumo_layout.cpp" line="171"/>
        <source>リスト非表示</source>
        <translation>Hide the list</translation>
    </message>
    <message>
        <location filename="../../window/lumo_menus.cpp" line="9"/>
        <source>ファイルを開く(&amp;O)</source>
        <translation>&amp;Open File...</translation>
    </message>
    <message>
        <location filename="../../window/lumo_menus.cpp" line="10"/>
        <source>再生制御(&amp;P)</source>
        <translation>&amp;Playback</translation>
    </message>
    <message>
        <location filename="../../window/lumo_menus.cpp" line="11"/>
        <source>再生／一時停止(&amp;1)</source>
        <translation>Play/Pause (&amp;1)</translation>
    </message>
    <message>
        <location filename="../../window/lumo_menus.cpp" line="12"/>
        <source>停止(&amp;2)</source>
        <translation>Stop (&amp;2)</translation>
    </message>
    <message>
        <location filename="../../window/lumo_menus.cpp" line="13"/>
        <source>戻る(&amp;3)</source>
        <translation>Back (&amp;3)</translation>
    </message>
    <message>
        <location filename="../../window/lumo_menus.cpp" line="14"/>
        <source>進む(&amp;4)</source>
        <translation>Forward (&amp;4)</translation>
    </message>
    <message>
        <location filename="../../window/lumo_menus.cpp" line="15"/>
        <source>前のファイル(&amp;5)</source>
        <translation>Previous File (&amp;5)</translation>
    </message>
    <message>
        <location filename="../../window/lumo_menus.cpp" line="16"/>
        <source>次のファイル(&amp;6)</source>
        <translation>Next File (&amp;6)</translation>
    </message>
    <message>
        <location filename="../../window/lumo_menus.cpp" line="17"/>
        <source>速度制御(&amp;V)</source>
        <translation>Speed (&amp;V)</translation>
    </message>
    <message>
        <location filename="../../window/lumo_menus.cpp" line="18"/>
        <source>0.5倍速(&amp;1)</source>
        <translation>Half Speed (&amp;1)</translation>
    </message>
    <message>
        <location filename="../../window/lumo_menus.cpp" line="19"/>
        <source>等速(&amp;2)</source>
        <translation>Normal Speed (&amp;2)</translation>
    </message>
    <message>
        <location filename="../../window/lumo_menus.cpp" line="20"/>
        <source>2倍速(&amp;3)</source>
        <translation>Double Speed (&amp;3)</translation>
    </message>
    <message>
        <location filename="../../window/lumo_menus.cpp" line="22"/>
        <source>画面制御(&amp;W)</source>
        <translation>&amp;Window</translation>
    </message>
    <message>
        <location filename="../../window/lumo_menus.cpp" line="23"/>
        <source>リスト表示切り替え(&amp;1)</source>
        <translation>Show/Hide List (&amp;1)</translation>
    </message>
    <message>
        <location filename="../../window/lumo_menus.cpp" line="24"/>
        <source>ウィンドウサイズ変更(&amp;2)</source>
        <translation>Change Window Size (&amp;2)</translation>
    </message>
    <message>
        <location filename="../../window/lumo_menus.cpp" line="25"/>
        <source>フルスクリーン表示(&amp;3)</source>
        <translation>Full Screen (&amp;3)</translation>
    </message>
    <message>
        <location filename="../../window/lumo_menus.cpp" line="26"/>
        <source>情報(&amp;I)</source>
        <translation>&amp;Information</translation>
    </message>
    <message>
        <location filename="../../window/lumo_menus.cpp" line="28"/>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <location filename="../../window/lumo_menus.cpp" line="31"/>
        <source>プレイモードクリア(&amp;C)</source>
        <translation>&amp;Clear Play Mode</translation>
    </message>
    <message>
        <location filename="../../window/lumo_menus.cpp" line="33"/>
        <source>単独再生(&amp;1)</source>
        <translation>Solo (&amp;1)</translation>
    </message>
    <message>
        <location filename="../../window/lumo_menus.cpp" line="34"/>
        <source>全体再生(&amp;2)</source>
        <translation>All (&amp;2)</translation>
    </message>
    <message>
        <location filename="../../window/lumo_menus.cpp" line="35"/>
        <source>ランダム再生(&amp;3)</source>
        <translation>Random (&amp;3)</translation>
    </message>
    <message>
        <location filename="../../window/lumo_menus.cpp" line="36"/>
        <source>単独リピート再生(&amp;4)</source>
        <translation>Solo Repeat (&amp;4)</translation>
    </message>
    <message>
        <location filename="../../window/lumo_menus.cpp" line="37"/>
        <source>全体リピート再生(&amp;5)</source>
        <translation>All Repeat (&amp;5)</translation>
    </message>
    <message>
        <location filename="../../window/lumo_menus.cpp" line="40"/>
        <source>VSA選択 (&amp;V)</source>
        <translation>&amp;Visual Sound Analyzer</translation>
    </message>
    <message>
        <location filename="../../window/lumo_menus.cpp" line="42"/>
        <source>表示しない(&amp;N)</source>
        <translation>&amp;None</translation>
    </message>
    <message>
        <location filename="../../window/lumo_menus.cpp" line="43"/>
        <source>オシロスコープ(&amp;O)</source>
        <translation>&amp;Oscilloscope</translation>
    </message>
    <message>
        <location filename="../../window/lumo_menus.cpp" line="44"/>
        <source>スペクトラムアナライザA(&amp;L)</source>
        <translation>Spectrum Analyzer A (&amp;L)</translation>
    </message>
    <message>
        <location filename="../../window/lumo_menus.cpp" line="45"/>
        <source>スペクトラムアナライザB(&amp;S)</source>
        <translation>&amp;Spectrum Analyzer B</translation>
    </message>
    <message>
        <location filename="../../window/lumo_menus.cpp" line="46"/>
        <source>デジタルレベルメータA(&amp;D)</source>
        <translation>&amp;Digital Level Meter A</translation>
    </message>
    <message>
        <location filename="../../window/lumo_menus.cpp" line="47"/>
        <source>デジタルレベルメータB(&amp;H)</source>
        <translation>Digital Level Meter B (&amp;H)</translation>
    </message>
    <message>
        <location filename="../../window/lumo_menus.cpp" line="48"/>
        <source>アナログレベルメータ(&amp;A)</source>
        <translation>&amp;Analog Level Meter</translation>
    </message>
    <message>
        <location filename="../../window/lumo_menus.cpp" line="49"/>
        <source>スペクトログラム(&amp;G)</source>
        <translation>Spectro&amp;gram</translation>
    </message>
    <message>
        <location filename="../../window/lumo_menus.cpp" line="50"/>
        <source>ラウドネスメータ(&amp;U)</source>
        <translation>Lo&amp;udness Meter</translation>
    </message>
    <message>
        <location filename="../../window/lumo_menus.cpp" line="59"/>
        <source>VSA設定パネル(&amp;P)</source>
        <translation>Analyzer Settings &amp;Panel</translation>
    </message>
    <message>
        <location filename="../../window/lumo_open.cpp" line="185"/>
        <source>ファイルが開けません。
</source>
        <translation>The file cannot be opened.
</translation>
    </message>
    <message>
        <location filename="../../window/lumo_playlist.cpp" line="16"/>
        <source>単独</source>
        <translation>Solo</translation>
    </message>
    <message>
        <location filename="../../window/lumo_playlist.cpp" line="16"/>
        <source>全体</source>
        <translation>All</translation>
    </message>
    <message>
        <location filename="../../window/lumo_playlist.cpp" line="17"/>
        <source>ランダム</source>
        <translation>Random</translation>
    </message>
    <message>
        <location filename="../../window/lumo_playlist.cpp" line="17"/>
        <source>単独リピート</source>
        <translation>Solo Repeat</translation>
    </message>
    <message>
        <location filename="../../window/lumo_playlist.cpp" line="18"/>
        <source>全体リピート</source>
        <translation>All Repeat</translation>
    </message>
    <message>
        <location filename="../../window/lumo_playlist.cpp" line="107"/>
        <source>プレイモード
</source>
        <translation>Play mode
</translation>
    </message>
    <message>
        <location filename="../../window/lumo_title.cpp" line="38"/>
        <source>%1曲目（%2）
%3</source>
        <translation>No. %1 (%2)
%3</translation>
    </message>
    <message>
        <location filename="../../window/lumo_title.cpp" line="43"/>
        <source>ファイルリスト
</source>
        <translation>File list
</translation>
    </message>
    <message>
        <location filename="../../window/lumo_transport.cpp" line="290"/>
        <source>このファイルは再生速度を変更できません。
</source>
        <translation>The speed of this file cannot be changed.
</translation>
    </message>
    <message>
        <location filename="../../window/lumo_volume.cpp" line="75"/>
        <source>消音</source>
        <translation>Muted</translation>
    </message>
    <message>
        <location filename="../../window/lumo_volume.cpp" line="75"/>
        <source>音量 %1%</source>
        <translation>Volume %1%</translation>
    </message>
    <message>
        <location filename="../../window/lumo_loudness.cpp" line="14"/>
        <source>ラウドネスメータ設定(&amp;L)</source>
        <translation>&amp;Loudness Meter Settings</translation>
    </message>
    <message>
        <location filename="../../window/lumo_loudness.cpp" line="20"/>
        <source>絶対値 (LUFS)</source>
        <translation>Absolute (LUFS)</translation>
    </message>
    <message>
        <location filename="../../window/lumo_loudness.cpp" line="21"/>
        <source>目標との差 (LU)</source>
        <translation>Relative to Target (LU)</translation>
    </message>
    <message>
        <location filename="../../window/lumo_loudness.cpp" line="26"/>
        <source>目標 %1 LUFS</source>
        <translation>Target %1 LUFS</translation>
    </message>
    <message>
        <location filename="../../window/lumo_loudness.cpp" line="28"/>
        <source>測定値をリセット(&amp;R)</source>
        <translation>&amp;Reset Readings</translation>
    </message>
    <message>
        <location filename="../../window/lumo_menus.cpp" line="51"/>
        <source>ステレオフィールド(&amp;F)</source>
        <translation>Stereo &amp;Field</translation>
    </message>
    <message>
        <location filename="../../window/lumo_picture_tools.cpp" line="14"/>
        <source>画面を止める(&amp;Z)</source>
        <translation>Free&amp;ze Picture</translation>
    </message>
    <message>
        <location filename="../../window/lumo_picture_tools.cpp" line="16"/>
        <source>画像を保存(&amp;S)</source>
        <translation>&amp;Save Picture</translation>
    </message>
    <message>
        <location filename="../../window/lumo_picture_tools.cpp" line="36"/>
        <source>画像を保存しました</source>
        <translation>Picture saved</translation>
    </message>
    <message>
        <location filename="../../window/lumo_picture_tools.cpp" line="36"/>
        <source>画像を保存できませんでした</source>
        <translation>The picture could not be saved</translation>
    </message>
    <message>
        <location filename="../../window/lumo_replay_gain.cpp" line="9"/>
        <source>リプレイゲイン(&amp;G)</source>
        <translation>Replay&amp;Gain</translation>
    </message>
    <message>
        <location filename="../../window/lumo_replay_gain.cpp" line="11"/>
        <source>使わない(&amp;0)</source>
        <translation>&amp;Off</translation>
    </message>
    <message>
        <location filename="../../window/lumo_replay_gain.cpp" line="11"/>
        <source>トラック(&amp;T)</source>
        <translation>&amp;Track</translation>
    </message>
    <message>
        <location filename="../../window/lumo_replay_gain.cpp" line="12"/>
        <source>アルバム(&amp;A)</source>
        <translation>&amp;Album</translation>
    </message>
</context>
<context>
    <name>OpenDialog</name>
    <message>
        <location filename="../../display/open_dialog.cpp" line="10"/>
        <source>メディア</source>
        <translation>Media</translation>
    </message>
    <message>
        <location filename="../../display/open_dialog.cpp" line="13"/>
        <source>ムービー</source>
        <translation>Movies</translation>
    </message>
    <message>
        <location filename="../../display/open_dialog.cpp" line="15"/>
        <source>サウンド</source>
        <translation>Sounds</translation>
    </message>
    <message>
        <location filename="../../display/open_dialog.cpp" line="17"/>
        <source>画像</source>
        <translation>Pictures</translation>
    </message>
    <message>
        <location filename="../../display/open_dialog.cpp" line="19"/>
        <source>すべて</source>
        <translation>All files</translation>
    </message>
    <message>
        <location filename="../../display/open_dialog.cpp" line="20"/>
        <source>その他のメディア</source>
        <translation>Other media</translation>
    </message>
    <message>
        <location filename="../../display/open_dialog.cpp" line="44"/>
        <source>ファイルを開く</source>
        <translation>Open File</translation>
    </message>
</context>
<context>
    <name>Panel</name>
    <message>
        <location filename="../../analyzer/panel_choices.cpp" line="56"/>
        <source>方形窓</source>
        <translation>Rectangular</translation>
    </message>
    <message>
        <location filename="../../analyzer/panel_choices.cpp" line="57"/>
        <source>ハニング窓</source>
        <translation>Hanning</translation>
    </message>
    <message>
        <location filename="../../analyzer/panel_choices.cpp" line="58"/>
        <source>ハミング窓</source>
        <translation>Hamming</translation>
    </message>
    <message>
        <location filename="../../analyzer/panel_choices.cpp" line="59"/>
        <source>ブラックマン窓</source>
        <translation>Blackman</translation>
    </message>
    <message>
        <location filename="../../analyzer/panel_choices.cpp" line="60"/>
        <source>ブラックマンハリス窓</source>
        <translation>Blackman-Harris</translation>
    </message>
    <message>
        <location filename="../../analyzer/panel_choices.cpp" line="61"/>
        <source>イグザクトブラックマン窓</source>
        <translation>Exact Blackman</translation>
    </message>
    <message>
        <location filename="../../analyzer/panel_choices.cpp" line="62"/>
        <source>オプティマルブラックマン窓</source>
        <translation>Optimal Blackman</translation>
    </message>
    <message>
        <location filename="../../analyzer/panel_choices.cpp" line="63"/>
        <source>ローゼンフィールド窓</source>
        <translation>Rosenfield</translation>
    </message>
    <message>
        <location filename="../../analyzer/panel_choices.cpp" line="64"/>
        <source>ガウシアンン窓</source>
        <translation>Gaussian</translation>
    </message>
    <message>
        <location filename="../../analyzer/panel_choices.cpp" line="65"/>
        <source>フラットトップ窓</source>
        <translation>Flat top</translation>
    </message>
    <message>
        <location filename="../../window/panel.cpp" line="97"/>
        <source>VSA設定パネル</source>
        <translation>Analyzer Settings Panel</translation>
    </message>
    <message>
        <location filename="../../window/panel.cpp" line="151"/>
        <source>高速表示</source>
        <translation>Fast drawing</translation>
    </message>
    <message>
        <location filename="../../window/panel.cpp" line="152"/>
        <source>FPS表示</source>
        <translation>Show FPS</translation>
    </message>
    <message>
        <location filename="../../window/panel.cpp" line="153"/>
        <source>波形拡大</source>
        <translation>Large analyzer</translation>
    </message>
    <message>
        <location filename="../../window/panel.cpp" line="173"/>
        <source>音声出力の遅れ。解析の表示はこれに合わせてあり、表示遅延はさらに加わります。</source>
        <translation>The sound output&apos;s latency. The analyzer already allows for it; the display delay adds to it.</translation>
    </message>
    <message>
        <location filename="../../window/panel.cpp" line="176"/>
        <source>波形バー</source>
        <translation>Waveform bar</translation>
    </message>
    <message>
        <location filename="../../window/panel.cpp" line="188"/>
        <source>表示遅延</source>
        <translation>Delay</translation>
    </message>
    <message>
        <location filename="../../window/panel.cpp" line="418"/>
        <source>出力 %1 ms</source>
        <translation>Output %1 ms</translation>
    </message>
    <message>
        <location filename="../../window/panel.cpp" line="182"/>
        <source>チャンネル</source>
        <translation>Channel</translation>
    </message>
    <message>
        <location filename="../../window/panel.cpp" line="183"/>
        <source>時間幅</source>
        <translation>Time range</translation>
    </message>
    <message>
        <location filename="../../window/panel.cpp" line="184"/>
        <source>FFTサイズ</source>
        <translation>FFT size</translation>
    </message>
    <message>
        <location filename="../../window/panel.cpp" line="185"/>
        <source>窓関数</source>
        <translation>Window</translation>
    </message>
    <message>
        <location filename="../../window/panel.cpp" line="186"/>
        <source>通常</source>
        <translation>Normal</translation>
    </message>
    <message>
        <location filename="../../window/panel.cpp" line="187"/>
        <source>高速</source>
        <translation>Fast</translation>
    </message>
    <message>
        <location filename="../../window/panel.cpp" line="159"/>
        <source>スペクトラムアナライザAのピークホールド</source>
        <translation>Peak hold of Spectrum Analyzer A</translation>
    </message>
    <message>
        <location filename="../../window/panel.cpp" line="154"/>
        <source>ピーク なし</source>
        <translation>Peak: off</translation>
    </message>
    <message>
        <location filename="../../window/panel.cpp" line="157"/>
        <source>ピーク %1dB/s</source>
        <translation>Peak %1dB/s</translation>
    </message>
</context>
<context>
    <name>Specify</name>
    <message>
        <location filename="../../../specify/specify.cpp" line="25"/>
        <source>関連付けの実行</source>
        <translation>File Associations</translation>
    </message>
    <message>
        <location filename="../../../specify/specify.cpp" line="84"/>
        <source>ムービーファイル</source>
        <translation>Movie files</translation>
    </message>
    <message>
        <location filename="../../../specify/specify.cpp" line="86"/>
        <source>サウンドファイル</source>
        <translation>Sound files</translation>
    </message>
    <message>
        <location filename="../../../specify/specify.cpp" line="113"/>
        <source>アイコン画像を変更しない</source>
        <translation>Keep the icons</translation>
    </message>
    <message>
        <location filename="../../../specify/specify.cpp" line="120"/>
        <source>全て選択</source>
        <translation>Select all</translation>
    </message>
    <message>
        <location filename="../../../specify/specify.cpp" line="122"/>
        <source>全て解除</source>
        <translation>Clear all</translation>
    </message>
    <message>
        <location filename="../../../specify/specify.cpp" line="124"/>
        <source>関連付けを実行</source>
        <translation>Associate</translation>
    </message>
    <message>
        <location filename="../../../specify/specify.cpp" line="126"/>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location filename="../../../specify/specify.cpp" line="160"/>
        <source>このプログラムは、アプリケーションの関連付けを行います。Lumoを通常使うアプリケーションに設定したいファイルの種類を選択してください。また、チェックを外して関連付けを実行すると、関連付けも解除されます。</source>
        <translation>This program associates file types with an application. Choose the kinds of files that Lumo should open by default. Kinds whose check is cleared lose their association when you associate.</translation>
    </message>
    <message>
        <location filename="../../../specify/specify.cpp" line="203"/>
        <source>Lumoが見つかりません。</source>
        <translation>Lumo cannot be found.</translation>
    </message>
    <message>
        <location filename="../../../specify/specify.cpp" line="204"/>
        <source>手動で指定してください。</source>
        <translation>Please choose it yourself.</translation>
    </message>
    <message>
        <location filename="../../../specify/specify.cpp" line="209"/>
        <source>Lumo.exeの指定</source>
        <translation>Choose the Lumo program</translation>
    </message>
    <message>
        <location filename="../../../specify/specify.cpp" line="209"/>
        <source>実行ファイル (*)</source>
        <translation>Programs (*)</translation>
    </message>
    <message>
        <location filename="../../../specify/specify.cpp" line="219"/>
        <source>Lumoはどのファイルの種類にも関連付けされていないので、</source>
        <translation>Lumo is not associated with any kind of file,</translation>
    </message>
    <message>
        <location filename="../../../specify/specify.cpp" line="221"/>
        <source>関連付けを解除することはできません。</source>
        <translation>so there is no association to remove.</translation>
    </message>
    <message>
        <location filename="../../../specify/specify.cpp" line="231"/>
        <source>関連付けを実行します。</source>
        <translation>The associations will be made.</translation>
    </message>
    <message>
        <location filename="../../../specify/specify.cpp" line="231"/>
        <source>よろしいですか？</source>
        <translation>Do you want to continue?</translation>
    </message>
    <message>
        <location filename="../../../specify/specify.cpp" line="240"/>
        <source>選択を保存できないため、関連付けを実行できません。</source>
        <translation>The choices cannot be stored, so the associations cannot be made.</translation>
    </message>
    <message>
        <location filename="../../../specify/specify.cpp" line="250"/>
        <source>関連付けが完了しました。</source>
        <translation>The associations are done.</translation>
    </message>
</context>
<context>
    <name>SystemInfo</name>
    <message>
        <location filename="../../display/system_info.h" line="29"/>
        <source>現時点ではｼｽﾃﾑ情報を使用できません</source>
        <translation>System information is not available at this time</translation>
    </message>
</context>
</TS>
