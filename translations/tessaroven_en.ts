<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="ja_JP">
<context>
    <name>Tessaroven</name>
    <message>
        <source>計算結果グラフ表示</source>
        <translation>Show Graph</translation>
    </message>
    <message>
        <source>計算結果保存</source>
        <translation>Save Results</translation>
    </message>
    <message>
        <source>修正なし</source>
        <translation>No Correction</translation>
    </message>
    <message>
        <source>データ修正</source>
        <translation>Correct Data</translation>
    </message>
    <message>
        <source>変換計算</source>
        <translation>Convert</translation>
    </message>
    <message>
        <source>測定値</source>
        <translation>Reading</translation>
    </message>
    <message>
        <source>測定点 No.</source>
        <translation>Point No.</translation>
    </message>
    <message>
        <source>（ガントリー回転時の測定値から推定）</source>
        <translation>(from readings taken during rotation)</translation>
    </message>
    <message>
        <source>Ｘ線CTの横方向の線量プロファイル</source>
        <translation>Lateral Dose Profile of X-ray CT</translation>
    </message>
    <message>
        <source>(最大25, 回転中心を含む)</source>
        <translation>(1 cm apart, max. 25)</translation>
    </message>
    <message>
        <source>測定ポイント数（1 cm 間隔）=</source>
        <translation>Points incl. centre =</translation>
    </message>
    <message>
        <source>焦点-回転中心間距離 =</source>
        <translation>Focus–axis distance =</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>新しい測定</source>
        <translation>New Measurement</translation>
    </message>
    <message>
        <source>開く…</source>
        <translation>Open…</translation>
    </message>
    <message>
        <source>最近使ったファイル</source>
        <translation>Recent Files</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>名前を付けて保存…</source>
        <translation>Save As…</translation>
    </message>
    <message>
        <source>書き出す</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>計算結果 CSV…</source>
        <translation>Results CSV…</translation>
    </message>
    <message>
        <source>プロファイル表…</source>
        <translation>Profile Table…</translation>
    </message>
    <message>
        <source>レポート (PDF)…</source>
        <translation>Report (PDF)…</translation>
    </message>
    <message>
        <source>印刷…</source>
        <translation>Print…</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>測定(&amp;M)</source>
        <translation>&amp;Measurement</translation>
    </message>
    <message>
        <source>測定条件…</source>
        <translation>Measuring Conditions…</translation>
    </message>
    <message>
        <source>スペクトル…</source>
        <translation>Spectrum…</translation>
    </message>
    <message>
        <source>基準と比較…</source>
        <translation>Compare with Baseline…</translation>
    </message>
    <message>
        <source>基準を外す</source>
        <translation>Remove Baseline</translation>
    </message>
    <message>
        <source>許容差…</source>
        <translation>Tolerance…</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>結果の表</source>
        <translation>Results Table</translation>
    </message>
    <message>
        <source>グラフ</source>
        <translation>Graph</translation>
    </message>
    <message>
        <source>ヘルプ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>表示言語</source>
        <translation>Display Language</translation>
    </message>
    <message>
        <source>バージョン情報</source>
        <translation>About Tessaroven</translation>
    </message>
    <message>
        <source>固定</source>
        <translation>Fixed</translation>
    </message>
    <message>
        <source>ガントリー</source>
        <translation>Gantry</translation>
    </message>
    <message>
        <source>回転</source>
        <translation>Rotating</translation>
    </message>
    <message>
        <source>ボウタイフィルタを透過した各点のＸ線スペクトルの計算に使用できます。</source>
        <translation>X-ray spectrum at each point behind the bow-tie filter.</translation>
    </message>
    <message>
        <source>本ソフトで得られたプロファイルデータは、別ソフト &quot;Morravelden&quot; にて</source>
        <translation>The profile it gives can be used in &quot;Morravelden&quot; to calculate the</translation>
    </message>
    <message>
        <source>線量計検出器は、方向依存性の小さいものを使用する。</source>
        <translation>Use a detector with little directional dependence.</translation>
    </message>
    <message>
        <source>各点すべて同一照射条件（線束サイズ、管電圧、管電流、回転数など）で積算線量を測定する。</source>
        <translation>Measure every point with the same exposure (beam width, kV, mA, rotation speed, ...).</translation>
    </message>
    <message>
        <source>測定点は、回転中心を含め 1cm 間隔(最大25ポイント)とする。</source>
        <translation>Points are 1 cm apart, the centre of rotation included (at most 25).</translation>
    </message>
    <message>
        <source>上左図に示すように、水平線上の各点に線量計を置き、CTガントリーを回転させて積算線量を測定する。</source>
        <translation>Place dosemeters on the horizontal line (left figure); measure the accumulated dose while rotating.</translation>
    </message>
    <message>
        <source>本ソフトに必要なデータの取得</source>
        <translation>Taking the readings</translation>
    </message>
    <message>
        <source>プロファイルを測定できる装置では、本ソフトは不要です。</source>
        <translation>be measured with the gantry at rest do not need it.</translation>
    </message>
    <message>
        <source>計算により求めるソフトウェアです。&#x3000;したがってガントリーを固定して線量</source>
        <translation>while the gantry rotates. Scanners on which the dose profile can</translation>
    </message>
    <message>
        <source>照射線量（または空気カーマ）より、Ｘ線束のファン方向の線量プロファイルを</source>
        <translation>scanner&apos;s X-ray beam from the exposure (or air kerma) measured</translation>
    </message>
    <message>
        <source>&quot;Tessaroven&quot; は、Ｘ線ＣＴ装置でガントリーを回転させたまま測定した</source>
        <translation>&quot;Tessaroven&quot; calculates the fan-direction dose profile of a CT</translation>
    </message>
    <message>
        <source>（エクセル csv 形式で保存）</source>
        <translation>(saved as a CSV file for Excel)</translation>
    </message>
    <message>
        <source>保存ファイル名（拡張子なしで入力）</source>
        <translation>File name (without extension)</translation>
    </message>
    <message>
        <source>コメントを入力</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>計算された線量プロファイルを保存します</source>
        <translation>Save the calculated dose profile</translation>
    </message>
    <message>
        <source>測定条件</source>
        <translation>Measuring Conditions</translation>
    </message>
    <message>
        <source>スペクトル</source>
        <translation>Spectrum</translation>
    </message>
    <message>
        <source>中心のスペクトルのファイル</source>
        <translation>Centre spectrum file</translation>
    </message>
    <message>
        <source>参照…</source>
        <translation>Browse…</translation>
    </message>
    <message>
        <source>ボウタイ中心の Al 当量厚 (mm)
(わからないときは空欄)</source>
        <translation>Al-equivalent thickness at the bow-tie centre (mm)
(leave empty if unknown)</translation>
    </message>
    <message>
        <source>書き出すファイルの角度の刻み (度)</source>
        <translation>Angle step of the exported files (degrees)</translation>
    </message>
    <message>
        <source>スペクトルを外す</source>
        <translation>Remove Spectrum</translation>
    </message>
    <message>
        <source>次回の起動から、表示言語は %1 になります。</source>
        <translation>The display language will be %1 from the next start.</translation>
    </message>
    <message>
        <source>%1

ガントリーを回転させたまま測定した線量から、X 線 CT のファン方向 (ボウタイ) の線量プロファイルを計算します。

MIT ライセンス</source>
        <translation>%1

Calculates the fan-direction (bow-tie) dose profile of X-ray CT from doses measured while the gantry rotates.

MIT License</translation>
    </message>
    <message>
        <source>変換モデル</source>
        <translation>Conversion model</translation>
    </message>
    <message>
        <source>もう一方のモデルも表示</source>
        <translation>Also show the other model</translation>
    </message>
    <message>
        <source>変換モデルを変えました。変換計算をやり直してください。</source>
        <translation>The conversion model has changed. Please convert again.</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>結果の表 (%1)</source>
        <translation>Results Table (%1)</translation>
    </message>
    <message>
        <source>グラフ画像 (PNG)…</source>
        <translation>Graph Image (PNG)…</translation>
    </message>
    <message>
        <source>読み値の表…</source>
        <translation>Readings Table…</translation>
    </message>
    <message>
        <source>読み値の表</source>
        <translation>Readings Table</translation>
    </message>
    <message>
        <source>数値を入力して Enter で下へ進みます。表計算ソフトからコピーした列・行・範囲は、選んだセルから Ctrl+V で貼り付けます。Delete で読み値を消します。</source>
        <translation>Type a number and press Enter to move down. A column, row or block copied from a spreadsheet pastes from the selected cell on with Ctrl+V. Delete removes readings.</translation>
    </message>
    <message>
        <source>%1 回目</source>
        <translation>Reading %1</translation>
    </message>
    <message>
        <source>%1 cm</source>
        <translation>%1 cm</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>元に戻す</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>やり直す</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>%1を元に戻す</source>
        <translation>Undo %1</translation>
    </message>
    <message>
        <source>%1をやり直す</source>
        <translation>Redo %1</translation>
    </message>
    <message>
        <source>測定値の入力</source>
        <translation>Reading Entry</translation>
    </message>
    <message>
        <source>測定値の修正</source>
        <translation>Reading Correction</translation>
    </message>
    <message>
        <source>測定ポイント数の設定</source>
        <translation>Number of Points</translation>
    </message>
    <message>
        <source>読み値の表の編集</source>
        <translation>Readings Table Edit</translation>
    </message>
    <message>
        <source>距離の変更</source>
        <translation>Distance Change</translation>
    </message>
    <message>
        <source>コメントの変更</source>
        <translation>Comment Change</translation>
    </message>
    <message>
        <source>測定条件の変更</source>
        <translation>Conditions Change</translation>
    </message>
    <message>
        <source>スペクトルの変更</source>
        <translation>Spectrum Change</translation>
    </message>
    <message>
        <source>変換モデルの変更</source>
        <translation>Model Change</translation>
    </message>
    <message>
        <source>測定の変更</source>
        <translation>Measurement Change</translation>
    </message>
</context>
</TS>
