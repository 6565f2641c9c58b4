<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ja_JP">
<context>
    <name>CommandLine</name>
    <message>
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
        <source>AVI ファイル</source>
        <translation>AVI files</translation>
    </message>
    <message>
        <source>MPEG ファイル</source>
        <translation>MPEG files</translation>
    </message>
    <message>
        <source>Windows Media Video ファイル</source>
        <translation>Windows Media Video files</translation>
    </message>
    <message>
        <source>WAVE ファイル</source>
        <translation>WAVE files</translation>
    </message>
    <message>
        <source>MPEG Audio ファイル</source>
        <translation>MPEG Audio files</translation>
    </message>
    <message>
        <source>Windows Media Audio ファイル</source>
        <translation>Windows Media Audio files</translation>
    </message>
    <message>
        <source>MIDI ファイル</source>
        <translation>MIDI files</translation>
    </message>
    <message>
        <source>%1 （%2）</source>
        <translation>%1 (%2)</translation>
    </message>
</context>
<context>
    <name>Info</name>
    <message>
        <source>映像なし</source>
        <translation>No picture</translation>
    </message>
    <message>
        <source>メディアの種類 : </source>
        <translation>    Media type : </translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;&#x3000;再生時間 : </source>
        <translation>        Length : </translation>
    </message>
    <message>
        <source>ファイルサイズ : </source>
        <translation>     File size : </translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;映像サイズ : </source>
        <translation>  Picture size : </translation>
    </message>
    <message>
        <source>&#x3000;ビットレート : </source>
        <translation>      Bit rate : </translation>
    </message>
    <message>
        <source>フレームレート : </source>
        <translation>    Frame rate : </translation>
    </message>
    <message>
        <source>ファイル情報</source>
        <translation>File information</translation>
    </message>
    <message>
        <source>ｼｽﾃﾑ情報(&amp;S)...</source>
        <translation>&amp;System Info...</translation>
    </message>
    <message>
        <source>アーティスト : </source>
        <translation>Artist : </translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;アルバム : </source>
        <translation> Album : </translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;トラック : </source>
        <translation> Track : </translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;&#x3000;&#x3000;日付 : </source>
        <translation>  Date : </translation>
    </message>
    <message>
        <source>サンプルレート : </source>
        <translation>Sample rate : </translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;ビット深度 : </source>
        <translation>  Bit depth : </translation>
    </message>
    <message>
        <source>&#x3000;&#x3000;チャンネル : </source>
        <translation>   Channels : </translation>
    </message>
    <message>
        <source>タグ情報</source>
        <translation>Tags</translation>
    </message>
    <message>
        <source>リプレイゲイン : </source>
        <translation> ReplayGain : </translation>
    </message>
</context>
<context>
    <name>Lumo</name>
    <message>
        <source>このWAVEファイルはサポートされていません。</source>
        <translation>This WAVE file is not supported.</translation>
    </message>
    <message>
        <source>ファイルリスト（ダブルクリックで表示）
</source>
        <translation>File list (double-click to show)
</translation>
    </message>
    <message>
        <source>再生履歴
</source>
        <translation>Play history
</translation>
    </message>
    <message>
        <source>再生速度倍率</source>
        <translation>Playback speed</translation>
    </message>
    <message>
        <source>プレイモード</source>
        <translation>Play mode</translation>
    </message>
    <message>
        <source>フルスクリーン表示</source>
        <translation>Full screen</translation>
    </message>
    <message>
        <source>サイズ変更</source>
        <translation>Change size</translation>
    </message>
    <message>
        <source>プレイモード変更</source>
        <translation>Change play mode</translation>
    </message>
    <message>
        <source>２階層リスト非表示</source>
        <translation>Hide the list</translation>
    </message>
    <message>
        <source>情報</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>リスト表示</source>
        <translation>Show the list</translation>
    </message>
    <message>
        <source>リスト非表示</source>
        <translation>Hide the list</translation>
    </message>
    <message>
        <source>ファイルを開く(&amp;O)</source>
        <translation>&amp;Open File...</translation>
    </message>
    <message>
        <source>再生制御(&amp;P)</source>
        <translation>&amp;Playback</translation>
    </message>
    <message>
        <source>再生／一時停止(&amp;1)</source>
        <translation>Play/Pause (&amp;1)</translation>
    </message>
    <message>
        <source>停止(&amp;2)</source>
        <translation>Stop (&amp;2)</translation>
    </message>
    <message>
        <source>戻る(&amp;3)</source>
        <translation>Back (&amp;3)</translation>
    </message>
    <message>
        <source>進む(&amp;4)</source>
        <translation>Forward (&amp;4)</translation>
    </message>
    <message>
        <source>前のファイル(&amp;5)</source>
        <translation>Previous File (&amp;5)</translation>
    </message>
    <message>
        <source>次のファイル(&amp;6)</source>
        <translation>Next File (&amp;6)</translation>
    </message>
    <message>
        <source>速度制御(&amp;V)</source>
        <translation>Speed (&amp;V)</translation>
    </message>
    <message>
        <source>0.5倍速(&amp;1)</source>
        <translation>Half Speed (&amp;1)</translation>
    </message>
    <message>
        <source>等速(&amp;2)</source>
        <translation>Normal Speed (&amp;2)</translation>
    </message>
    <message>
        <source>2倍速(&amp;3)</source>
        <translation>Double Speed (&amp;3)</translation>
    </message>
    <message>
        <source>画面制御(&amp;W)</source>
        <translation>&amp;Window</translation>
    </message>
    <message>
        <source>リスト表示切り替え(&amp;1)</source>
        <translation>Show/Hide List (&amp;1)</translation>
    </message>
    <message>
        <source>ウィンドウサイズ変更(&amp;2)</source>
        <translation>Change Window Size (&amp;2)</translation>
    </message>
    <message>
        <source>フルスクリーン表示(&amp;3)</source>
        <translation>Full Screen (&amp;3)</translation>
    </message>
    <message>
        <source>情報(&amp;I)</source>
        <translation>&amp;Information</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>プレイモードクリア(&amp;C)</source>
        <translation>&amp;Clear Play Mode</translation>
    </message>
    <message>
        <source>単独再生(&amp;1)</source>
        <translation>Solo (&amp;1)</translation>
    </message>
    <message>
        <source>全体再生(&amp;2)</source>
        <translation>All (&amp;2)</translation>
    </message>
    <message>
        <source>ランダム再生(&amp;3)</source>
        <translation>Random (&amp;3)</translation>
    </message>
    <message>
        <source>単独リピート再生(&amp;4)</source>
        <translation>Solo Repeat (&amp;4)</translation>
    </message>
    <message>
        <source>全体リピート再生(&amp;5)</source>
        <translation>All Repeat (&amp;5)</translation>
    </message>
    <message>
        <source>VSA選択 (&amp;V)</source>
        <translation>&amp;Visual Sound Analyzer</translation>
    </message>
    <message>
        <source>表示しない(&amp;N)</source>
        <translation>&amp;None</translation>
    </message>
    <message>
        <source>オシロスコープ(&amp;O)</source>
        <translation>&amp;Oscilloscope</translation>
    </message>
    <message>
        <source>スペクトラムアナライザA(&amp;L)</source>
        <translation>Spectrum Analyzer A (&amp;L)</translation>
    </message>
    <message>
        <source>スペクトラムアナライザB(&amp;S)</source>
        <translation>&amp;Spectrum Analyzer B</translation>
    </message>
    <message>
        <source>デジタルレベルメータA(&amp;D)</source>
        <translation>&amp;Digital Level Meter A</translation>
    </message>
    <message>
        <source>デジタルレベルメータB(&amp;H)</source>
        <translation>Digital Level Meter B (&amp;H)</translation>
    </message>
    <message>
        <source>アナログレベルメータ(&amp;A)</source>
        <translation>&amp;Analog Level Meter</translation>
    </message>
    <message>
        <source>スペクトログラム(&amp;G)</source>
        <translation>Spectro&amp;gram</translation>
    </message>
    <message>
        <source>ラウドネスメータ(&amp;U)</source>
        <translation>Lo&amp;udness Meter</translation>
    </message>
    <message>
        <source>ステレオフィールド(&amp;F)</source>
        <translation>Stereo &amp;Field</translation>
    </message>
    <message>
        <source>VSA設定パネル(&amp;P)</source>
        <translation>Analyzer Settings &amp;Panel</translation>
    </message>
    <message>
        <source>ファイルが開けません。
</source>
        <translation>The file cannot be opened.
</translation>
    </message>
    <message>
        <source>単独</source>
        <translation>Solo</translation>
    </message>
    <message>
        <source>全体</source>
        <translation>All</translation>
    </message>
    <message>
        <source>ランダム</source>
        <translation>Random</translation>
    </message>
    <message>
        <source>単独リピート</source>
        <translation>Solo Repeat</translation>
    </message>
    <message>
        <source>全体リピート</source>
        <translation>All Repeat</translation>
    </message>
    <message>
        <source>プレイモード
</source>
        <translation>Play mode
</translation>
    </message>
    <message>
        <source>%1曲目（%2）
%3</source>
        <translation>No. %1 (%2)
%3</translation>
    </message>
    <message>
        <source>ファイルリスト
</source>
        <translation>File list
</translation>
    </message>
    <message>
        <source>このファイルは再生速度を変更できません。
</source>
        <translation>The speed of this file cannot be changed.
</translation>
    </message>
    <message>
        <source>消音</source>
        <translation>Muted</translation>
    </message>
    <message>
        <source>音量 %1%</source>
        <translation>Volume %1%</translation>
    </message>
    <message>
        <source>プレイリストを保存(&amp;L)...</source>
        <translation>Save Play &amp;List...</translation>
    </message>
    <message>
        <source>中断したところから再開(&amp;R)</source>
        <translation>Resume where I left off</translation>
    </message>
    <message numerus="yes">
        <source>%n 件の項目が見つかりませんでした</source>
        <translation>
            <numerusform>%n entry was not found</numerusform>
            <numerusform>%n entries were not found</numerusform>
        </translation>
    </message>
    <message>
        <source>プレイリストを保存できません。
</source>
        <translation>The play list cannot be saved.
</translation>
    </message>
    <message>
        <source>ラウドネスメータ設定(&amp;L)</source>
        <translation>&amp;Loudness Meter Settings</translation>
    </message>
    <message>
        <source>絶対値 (LUFS)</source>
        <translation>Absolute (LUFS)</translation>
    </message>
    <message>
        <source>目標との差 (LU)</source>
        <translation>Relative to Target (LU)</translation>
    </message>
    <message>
        <source>目標 %1 LUFS</source>
        <translation>Target %1 LUFS</translation>
    </message>
    <message>
        <source>測定値をリセット(&amp;R)</source>
        <translation>&amp;Reset Readings</translation>
    </message>
    <message>
        <source>画面を止める(&amp;Z)</source>
        <translation>Free&amp;ze Picture</translation>
    </message>
    <message>
        <source>画像を保存(&amp;S)</source>
        <translation>&amp;Save Picture</translation>
    </message>
    <message>
        <source>画像を保存しました</source>
        <translation>Picture saved</translation>
    </message>
    <message>
        <source>画像を保存できませんでした</source>
        <translation>The picture could not be saved</translation>
    </message>
    <message>
        <source>リプレイゲイン(&amp;G)</source>
        <translation>Replay&amp;Gain</translation>
    </message>
    <message>
        <source>使わない(&amp;0)</source>
        <translation>&amp;Off</translation>
    </message>
    <message>
        <source>トラック(&amp;T)</source>
        <translation>&amp;Track</translation>
    </message>
    <message>
        <source>アルバム(&amp;A)</source>
        <translation>&amp;Album</translation>
    </message>
</context>
<context>
    <name>OpenDialog</name>
    <message>
        <source>メディア</source>
        <translation>Media</translation>
    </message>
    <message>
        <source>ムービー</source>
        <translation>Movies</translation>
    </message>
    <message>
        <source>サウンド</source>
        <translation>Sounds</translation>
    </message>
    <message>
        <source>画像</source>
        <translation>Pictures</translation>
    </message>
    <message>
        <source>すべて</source>
        <translation>All files</translation>
    </message>
    <message>
        <source>その他のメディア</source>
        <translation>Other media</translation>
    </message>
    <message>
        <source>ファイルを開く</source>
        <translation>Open File</translation>
    </message>
    <message>
        <source>プレイリスト</source>
        <translation>Play lists</translation>
    </message>
    <message>
        <source>プレイリストを保存</source>
        <translation>Save Play List</translation>
    </message>
</context>
<context>
    <name>Panel</name>
    <message>
        <source>方形窓</source>
        <translation>Rectangular</translation>
    </message>
    <message>
        <source>ハニング窓</source>
        <translation>Hanning</translation>
    </message>
    <message>
        <source>ハミング窓</source>
        <translation>Hamming</translation>
    </message>
    <message>
        <source>ブラックマン窓</source>
        <translation>Blackman</translation>
    </message>
    <message>
        <source>ブラックマンハリス窓</source>
        <translation>Blackman-Harris</translation>
    </message>
    <message>
        <source>イグザクトブラックマン窓</source>
        <translation>Exact Blackman</translation>
    </message>
    <message>
        <source>オプティマルブラックマン窓</source>
        <translation>Optimal Blackman</translation>
    </message>
    <message>
        <source>ローゼンフィールド窓</source>
        <translation>Rosenfield</translation>
    </message>
    <message>
        <source>ガウシアンン窓</source>
        <translation>Gaussian</translation>
    </message>
    <message>
        <source>フラットトップ窓</source>
        <translation>Flat top</translation>
    </message>
    <message>
        <source>VSA設定パネル</source>
        <translation>Analyzer Settings Panel</translation>
    </message>
    <message>
        <source>高速表示</source>
        <translation>Fast drawing</translation>
    </message>
    <message>
        <source>FPS表示</source>
        <translation>Show FPS</translation>
    </message>
    <message>
        <source>波形拡大</source>
        <translation>Large analyzer</translation>
    </message>
    <message>
        <source>ピーク なし</source>
        <translation>Peak: off</translation>
    </message>
    <message>
        <source>ピーク %1dB/s</source>
        <translation>Peak %1dB/s</translation>
    </message>
    <message>
        <source>スペクトラムアナライザAのピークホールド</source>
        <translation>Peak hold of Spectrum Analyzer A</translation>
    </message>
    <message>
        <source>音声出力の遅れ。解析の表示はこれに合わせてあり、表示遅延はさらに加わります。</source>
        <translation>The sound output&apos;s latency. The analyzer already allows for it; the display delay adds to it.</translation>
    </message>
    <message>
        <source>波形バー</source>
        <translation>Waveform bar</translation>
    </message>
    <message>
        <source>表示遅延</source>
        <translation>Delay</translation>
    </message>
    <message>
        <source>出力 %1 ms</source>
        <translation>Output %1 ms</translation>
    </message>
    <message>
        <source>チャンネル</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>時間幅</source>
        <translation>Time range</translation>
    </message>
    <message>
        <source>FFTサイズ</source>
        <translation>FFT size</translation>
    </message>
    <message>
        <source>窓関数</source>
        <translation>Window</translation>
    </message>
    <message>
        <source>通常</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>高速</source>
        <translation>Fast</translation>
    </message>
</context>
<context>
    <name>Specify</name>
    <message>
        <source>関連付けの実行</source>
        <translation>File Associations</translation>
    </message>
    <message>
        <source>ムービーファイル</source>
        <translation>Movie files</translation>
    </message>
    <message>
        <source>サウンドファイル</source>
        <translation>Sound files</translation>
    </message>
    <message>
        <source>アイコン画像を変更しない</source>
        <translation>Keep the icons</translation>
    </message>
    <message>
        <source>全て選択</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>全て解除</source>
        <translation>Clear all</translation>
    </message>
    <message>
        <source>関連付けを実行</source>
        <translation>Associate</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>このプログラムは、アプリケーションの関連付けを行います。Lumoを通常使うアプリケーションに設定したいファイルの種類を選択してください。また、チェックを外して関連付けを実行すると、関連付けも解除されます。</source>
        <translation>This program associates file types with an application. Choose the kinds of files that Lumo should open by default. Kinds whose check is cleared lose their association when you associate.</translation>
    </message>
    <message>
        <source>Lumoが見つかりません。</source>
        <translation>Lumo cannot be found.</translation>
    </message>
    <message>
        <source>手動で指定してください。</source>
        <translation>Please choose it yourself.</translation>
    </message>
    <message>
        <source>Lumo.exeの指定</source>
        <translation>Choose the Lumo program</translation>
    </message>
    <message>
        <source>実行ファイル (*)</source>
        <translation>Programs (*)</translation>
    </message>
    <message>
        <source>Lumoはどのファイルの種類にも関連付けされていないので、</source>
        <translation>Lumo is not associated with any kind of file,</translation>
    </message>
    <message>
        <source>関連付けを解除することはできません。</source>
        <translation>so there is no association to remove.</translation>
    </message>
    <message>
        <source>関連付けを実行します。</source>
        <translation>The associations will be made.</translation>
    </message>
    <message>
        <source>よろしいですか？</source>
        <translation>Do you want to continue?</translation>
    </message>
    <message>
        <source>選択を保存できないため、関連付けを実行できません。</source>
        <translation>The choices cannot be stored, so the associations cannot be made.</translation>
    </message>
    <message>
        <source>関連付けが完了しました。</source>
        <translation>The associations are done.</translation>
    </message>
</context>
<context>
    <name>SystemInfo</name>
    <message>
        <source>現時点ではｼｽﾃﾑ情報を使用できません</source>
        <translation>System information is not available at this time</translation>
    </message>
</context>
</TS>
