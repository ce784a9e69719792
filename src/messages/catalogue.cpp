// The catalogue's texts.
#include "messages/catalogue.h"

#include <cstddef>

namespace tessaroven {

namespace {

// clang-format off
constexpr CatalogueEntry kCatalogue[] = {
    {Reason::DistanceNotANumber, "焦点-回転中心間距離が 0 か、数値ではありません。距離を cm で入力してください。"},
    {Reason::DistanceTooShort, "焦点-回転中心間距離が短すぎます。最も遠い測定点までの距離 (cm) より大きな値を入力してください。"},
    {Reason::NumberOutOfRange, "数値が大きすぎて扱えません。正しい値を入力してください。"},
    {Reason::TooManyPositions, "測定ポイント数が多すぎます。測定ポイント数は 31 以下 (推奨 25 以下) にしてください。"},
    {Reason::ZeroPivot, "変換計算の連立方程式が解けません (係数が 0 になりました)。焦点-回転中心間距離を確認してください。"},
    {Reason::ZeroCentreValue, "回転中心の推定値が 0 になるため、相対値 (%) を計算できません。回転中心の測定値を確認してください。"},
    {Reason::NonFiniteResult, "計算結果が数値の範囲を超えました。測定値と焦点-回転中心間距離を確認してください。"},
    {Reason::MissingSetup, "データが未入力です"},
    {Reason::MissingReading, " 測定値が未入力です"},
    {Reason::PositionOutOfRange, "off center の値が範囲外です。0 ～ 30 (cm) の範囲で入力してください。"},
    {Reason::PointNumberOutOfRange, "測定点 No. が範囲外です。0 ～ 31 の範囲で入力してください。"},
    {Reason::NonFiniteValue, "保存する値に数値でないものがあります。変換計算をやり直してください。"},
    {Reason::UnrepresentableCharacter, "コメントに、保存ファイル (Shift-JIS) で使えない文字 {1} があります。この文字を使わずに入力してください。"},
    {Reason::UnrepresentableCharacterWithReplacement, "コメントに、保存ファイル (Shift-JIS) で使えない文字 {1} があります。{2} のように書き換えてください。"},
    {Reason::CharacterName, "「{1}」 ({2})"},
    {Reason::ControlCharacterName, "制御文字 ({1})"},
    {Reason::UnknownCharacterName, "(不明)"},
    {Reason::OneReplacement, "「{1}」"},
    {Reason::TwoReplacements, "「{1}」か「{2}」"},
    {Reason::LineBreakInComment, "コメントに改行は使えません。1 行で入力してください。"},
    {Reason::InvalidText, "文字列が正しくありません。"},
    {Reason::FileWriteFailed, "ファイルを保存できませんでした。\nファイル: {1}\n理由: {2}"},
    {Reason::MissingCommentOrFileName, "コメント，ファイル名が入力されていません"},
    {Reason::NulInFileName, "ファイル名に使えない文字 (NUL) があります。"},
    {Reason::Saved, "計算されたプロファイルデータを保存しました"},
    {Reason::RepeatNotANumber, "測定値「{1}」は数値ではありません。繰り返し測定した値は「100.2; 100.0; 99.9」のように ; で区切って入力してください。"},
    {Reason::NothingToSave, "保存する測定がありません。測定ポイント数を設定して測定値を入力してください。"},
    {Reason::SaveChangesQuestion, "測定値または測定条件が変更されています。保存しますか。"},
    {Reason::SaveChoice, "保存"},
    {Reason::DiscardChoice, "保存しない"},
    {Reason::CancelChoice, "キャンセル"},
    {Reason::MeasurementFileFilter, "測定ファイル (*.tessaroven.json)"},
    {Reason::OpenMeasurementTitle, "測定ファイルを開く"},
    {Reason::SaveMeasurementTitle, "測定ファイルを保存"},
    {Reason::MeasurementSavedStatus, "保存しました: {1}"},
    {Reason::ExportProfileTitle, "プロファイル表を書き出す"},
    {Reason::ProfileTableFilter, "プロファイル表 (*.csv)"},
    {Reason::NoDisplayForPlot, "グラフを描くための画面環境を用意できませんでした。"},
    {Reason::PlotNotEncoded, "グラフの PNG 画像を作れませんでした。"},
    {Reason::PlotUnavailable, "このビルドは Qt なしで作られているため、--plot (グラフの画像) は使えません。"},
    {Reason::NoDisplay, "tessaroven: 画面 (ディスプレイ) が見つかりません (DISPLAY が設定されていません)。ウィンドウなしで変換するには tessaroven-convert を使ってください。"},
    {Reason::UnknownOption, "不明なオプションです: {1}"},
    {Reason::RepeatedOption, "オプション {1} が二回以上指定されています"},
    {Reason::OptionNeedsValue, "オプション {1} には値が必要です"},
    {Reason::OptionTakesNoValue, "オプション {1} は値を取りません"},
    {Reason::DistanceOptionNotANumber, "焦点-回転中心間距離 (--distance) 「{1}」は数値ではありません"},
    {Reason::DistanceOptionOutOfRange, "焦点-回転中心間距離 (--distance) 「{1}」は大きすぎて扱えません"},
    {Reason::EmptyOutputName, "出力ファイル名 (--output) が空です"},
    {Reason::UsageHint, "（使い方は tessaroven-convert --help）"},
    {Reason::InputUnreadable, "標準入力を読み込めません"},
    {Reason::TooManyReadings, "測定値が多すぎます。測定値は回転中心を含めて最大 {1} 個です"},
    {Reason::ReadingNotANumber, "{1}測定値「{2}」は数値ではありません"},
    {Reason::ReadingOutOfRange, "{1}測定値「{2}」は大きすぎて扱えません"},
    {Reason::InputLinePlace, "標準入力の {1} 行目の"},
    {Reason::NoReadings, "測定値がありません (引数か標準入力で渡してください)"},
    {Reason::EmptyComment, "コメント (--comment) が空です"},
    {Reason::LineBreakInCommentOption, "コメント (--comment) に改行は使えません"},
    {Reason::OutputUnwritable, "標準出力に書き込めません"},
    {Reason::DistanceDetail, " (--distance {1})"},
    {Reason::UsageSynopsis, "使い方: tessaroven-convert [--distance CM] [--comment TEXT] [--measurement FILE] [--reading-repeatability PCT]\n"
     "                           [--calibration-uncertainty PCT] [--save-measurement FILE] [--output FILE]\n"
     "                           [--profile FILE] [--list]{1} [READING ...]\n"},
    {Reason::UsageDescription,
     "\n"
     "回転中に測定した線量の読み値から、ファン方向の線量プロファイルを計算します。\n"
     "READING は回転中心 (位置 0) から 1 cm ごとの測定値で、最大 31 個です。\n"
     "READING も --measurement もないときは標準入力から読みます (空白か改行で区切り、# で始まる行は無視)。\n"
     "\n"
     "  --distance CM    焦点-回転中心間距離 (cm)。既定値 60 (--measurement では測定ファイルの値)\n"
     "  --comment TEXT   CSV の 1 行目のコメント。既定値 Comment (--measurement では測定ファイルの値)\n"
     "  --measurement FILE\n"
     "                   測定ファイル (.tessaroven.json) から測定値 (繰り返しは平均)、距離、\n"
     "                   コメント、不確かさを読みます。--distance、--comment と不確かさの\n"
     "                   オプションはファイルの値より優先します\n"
     "  --reading-repeatability PCT\n"
     "                   1 回だけ測定した位置の読み値の相対標準偏差 (%)\n"
     "  --calibration-uncertainty PCT\n"
     "                   線量計の校正の相対標準不確かさ (%)。絶対値のプロファイルにだけ入ります\n"
     "  --save-measurement FILE\n"
     "                   変換した測定値、距離、コメント、不確かさを測定ファイルに保存します\n"
     "  --output FILE    結果を FILE に保存します (名前はそのまま、拡張子は付けません)。\n"
     "                   指定がなければ標準出力に出します\n"
     "  --profile FILE   位置ごとの扇角と標準不確かさ (k=1) 付きのプロファイル表 (UTF-8、行末 LF) を\n"
     "                   FILE に保存します。FILE が - なら CSV の代わりに標準出力に出します\n"
     "  --list           CSV の代わりに結果リストの行を UTF-8 で出力します\n"
     "{1}"
     "  --help           この説明を表示します\n"
     "\n"
     "CSV はコード ページ 932、行末 CR LF です。\n"
     "終了ステータス: 0 成功、2 使い方か入力の誤り、1 計算できない値か書き込みの失敗、\n"
     "                3 基準から外れた位置あり (--fail-on-deviation、2 と 1 が優先)\n"},
    {Reason::PlotOptionHelp, "プロファイルのグラフを PNG 画像 (509 x 461 ピクセル) で FILE に保存する"},
    {Reason::PlotOptionUnavailableHelp, "プロファイルのグラフを PNG 画像で保存する (Qt 付きのビルドのみ)"},
    {Reason::MeasurementFileUnreadable, "測定ファイルを読み込めませんでした。\nファイル: {1}\n理由: {2}"},
    {Reason::MeasurementFileTooLarge, "ファイルが大きすぎます (測定ファイルは {1} バイトまでです)"},
    {Reason::MeasurementFilePlace, "{1} 行 {2} 列目"},
    {Reason::MeasurementFileNotUtf8, "{1}に UTF-8 として正しくないバイトがあります"},
    {Reason::MeasurementFileNotJson, "{1}が JSON の書き方として正しくありません"},
    {Reason::MeasurementFileNumberOutOfRange, "{1}の数値が大きすぎて扱えません"},
    {Reason::MeasurementFileNotObject, "ファイル全体が JSON のオブジェクト ({ ... }) になっていません"},
    {Reason::MeasurementFileUnknownFormat, "測定ファイルではありません (format が「{1}」です。測定ファイルでは「tessaroven-measurement」です)"},
    {Reason::MeasurementFileBadVersion, "version「{1}」が正しくありません。1 以上の整数でなければなりません"},
    {Reason::MeasurementFileNewerVersion, "この測定ファイルは新しい版 (version {1}) です。このプログラムが読めるのは version 1 までです"},
    {Reason::MeasurementFileMissingKey, "必要な項目 {1} がありません"},
    {Reason::MeasurementFileNotANumber, "{1} は数値でなければなりません"},
    {Reason::MeasurementFileNotText, "{1} は文字列でなければなりません"},
    {Reason::MeasurementFileNotArray, "{1} は配列 ([ ... ]) でなければなりません"},
    {Reason::MeasurementFileNotObjectValue, "{1} はオブジェクト ({ ... }) でなければなりません"},
    {Reason::MeasurementFileLineBreakInComment, "comment に改行があります。コメントは 1 行でなければなりません"},
    {Reason::MeasurementFileDistanceNotPositive, "distance_cm (焦点-回転中心間距離) は 0 より大きくなければなりません (値: {1})"},
    {Reason::MeasurementFilePositionCount, "readings の位置の数が {1} です。1 ～ {2} でなければなりません"},
    {Reason::MeasurementFileEmptyPosition, "{1} に測定値がありません。位置ごとに 1 つ以上の測定値が必要です"},
    {Reason::MeasurementFileNegativeUncertainty, "{1} は 0 以上でなければなりません"},
    {Reason::MeasurementFileBadDate, "{1}「{2}」は YYYY-MM-DD の形の日付ではありません"},
    {Reason::EmptyFileOption, "{1} のファイル名が空です"},
    {Reason::ReadingsWithMeasurement, "--measurement を使うときは READING を指定できません (測定値はファイルから読みます)"},
    {Reason::EmptyMeasurementComment, "測定ファイルのコメントが空です。--comment でコメントを指定してください"},
    {Reason::ConditionNotANumber, "「{1}」が数値ではありません。数値を入力するか、空欄にしてください。"},
    {Reason::ConditionNumberOutOfRange, "「{1}」の数値が大きすぎて扱えません。正しい値を入力してください。"},
    {Reason::ConditionNegativeUncertainty, "「{1}」に負の値は使えません。0 以上の値を入力してください。"},
    {Reason::ConditionBadDate, "「{1}」が正しい日付ではありません。YYYY-MM-DD の形 (例: 2026-05-17) で入力するか、空欄にしてください。"},
    {Reason::ProfileNotConverted, "プロファイルがまだ計算されていません。変換計算をしてから、もう一度行ってください。"},
    {Reason::UncertaintyOptionInvalid, "{1} の値「{2}」は 0 以上の数値 (%) でなければなりません"},
    {Reason::ProfileToStandardOutputWithOutput, "--profile - (標準出力への表) と --output は同時に指定できません"},
    {Reason::PlotModuleNotLoaded, "描画の部品を読み込めなかったため、--plot (グラフの画像) と --report (レポート) は使えません。\n部品: {1}\n理由: {2}"},
    {Reason::ReportTitle, "CT ボウタイ線量プロファイル 測定記録"},
    {Reason::ReportCreated, "作成 {1}　{2}"},
    {Reason::ReportFileLabel, "ファイル"},
    {Reason::ReportUnsaved, "(測定ファイルなし)"},
    {Reason::ReportCommentLabel, "コメント"},
    {Reason::ReportDistanceLabel, "焦点-回転中心間距離 (cm)"},
    {Reason::ReportUncertaintyKnown, "u: 標準不確かさ (k=1)、U: 拡張不確かさ (k=2)。校正の不確かさはプロファイルにだけ入り、相対値には入りません。"},
    {Reason::ReportUncertaintyUnknown, "不確かさは求められません: 繰り返し測定も読み値の繰り返し精度もない位置があります。"},
    {Reason::ReportSignature, "確認者署名　＿＿＿＿＿＿＿＿＿＿＿＿＿＿　　日付　＿＿＿＿＿＿＿＿＿＿"},
    {Reason::ReportNotMade, "レポートの PDF を作れませんでした。"},
    {Reason::ExportReportTitle, "レポートを PDF で保存"},
    {Reason::ReportPdfFilter, "PDF (*.pdf)"},
    {Reason::PrintNotDone, "印刷を始められませんでした。プリンタの設定を確かめてください。"},
    {Reason::ToleranceInvalid, "許容差「{1}」は 0 以上の数値 (相対値の % ポイント) でなければなりません"},
    {Reason::BaselineAgrees, "基準と一致: {1} 位置を比較し、外れた位置はありません (許容差 {2} ポイント)"},
    {Reason::BaselineDeviates, "基準から外れた位置が {1} 個あります (位置 {2} cm)。{3} 位置を比較 (許容差 {4} ポイント)"},
    {Reason::BaselineDistanceDiffers, "基準の焦点-回転中心間距離 ({1} cm) はこの測定 ({2} cm) と異なります"},
    {Reason::BaselinePositionsDiffer, "基準の位置 (0 ～ {1} cm) はこの測定 (0 ～ {2} cm) と異なります。両方にある位置だけを比較しました"},
    {Reason::BaselineOptionPlace, "基準 (--baseline {1}): "},
    {Reason::BaselineOptionMissing, "{1} は --baseline と一緒に指定してください"},
    {Reason::BaselineUsageSynopsis, "\n                           [--baseline FILE] [--tolerance PCT] [--fail-on-deviation]"},
    {Reason::BaselineUsageDescription,
     "  --baseline FILE  測定ファイルを基準として、それ自身の測定値と距離で変換し、両方にある位置の\n"
     "                   相対値を比較します。外れた位置の数を標準エラーに出し、--profile の表に\n"
     "                   baseline_percent、delta_percent、flagged の列を加えます\n"
     "  --tolerance PCT  許容差 (相対値の % ポイント)。既定値 5。差の絶対値が許容差と拡張不確かさ\n"
     "                   (k=2) の大きい方を超える位置を外れとします\n"
     "  --fail-on-deviation\n"
     "                   外れた位置があれば、すべての出力を書いたあと終了ステータス 3 で終わります\n"},
    {Reason::SpectrumFileUnreadable, "スペクトル ファイルを読み込めませんでした。\nファイル: {1}\n理由: {2}"},
    {Reason::SpectrumFileTooLarge, "ファイルが大きすぎます (スペクトル ファイルは {1} バイトまでです)"},
    {Reason::SpectrumLineNotTwoNumbers, "{1} 行目「{2}」が「エネルギー (keV), 値」の 2 つの数値になっていません"},
    {Reason::SpectrumHeaderInvalid, "{1} 行目「{2}」が「ビンの数, 最小エネルギー (MeV), モード」になっていません (ビンの数は 1 以上の整数、最小エネルギーは 0 以上)"},
    {Reason::SpectrumModeUnsupported, "{1} 行目のモード {2} は読めません (読めるのは 0: ビンごとの値 と 1: MeV あたりの値 です)"},
    {Reason::SpectrumBinLineNotTwoNumbers, "{1} 行目「{2}」が「ビンの上端 (MeV), 値」の 2 つの数値になっていません"},
    {Reason::SpectrumBinCountMismatch, "ビンの数が 2 行目では {1} ですが、ビンの行は {2} 行あります"},
    {Reason::SpectrumEnergyNotPositive, "{1} 行目のエネルギーが 0 より大きくありません"},
    {Reason::SpectrumEnergyNotAscending, "{1} 行目のエネルギーが前の行 (EGSnrc の形では前のビンの上端) より大きくありません。エネルギーは小さい順に並べてください"},
    {Reason::SpectrumNegativeValue, "{1} 行目の値が負です"},
    {Reason::SpectrumNoValues, "スペクトルに値がありません (値の行がないか、値がすべて 0 です)"},
    {Reason::SpectrumLengthMismatch, "スペクトルのエネルギーと値の数が違います"},
    {Reason::SpectrumEntryInvalid, "スペクトルの {1} 番目のエネルギーか値が正しくありません (エネルギーは 0 より大きく小さい順、値は 0 以上)"},
    {Reason::AttenuationDataUnavailable, "スペクトルのエネルギー {1} keV での減弱係数が得られません ({2})。値が 0 でないエネルギーは 1 keV から 1000 keV の間でなければなりません"},
    {Reason::AlEquivalentTransmissionInvalid, "位置 {1} cm の弧上の相対値 ({2} %) からは Al 当量厚を求められません (0 より大きい有限の値が必要です)"},
    {Reason::AlEquivalentNotSolved, "位置 {1} cm の Al 当量厚が求まりませんでした"},
    {Reason::MeasurementFileSpectrumInvalid, "spectrum の値が使えません: {1}"},
    {Reason::SpectrumOptionNeeded, "{1} には --spectrum (中心のスペクトルのファイル) が必要です"},
    {Reason::CentreAlOptionInvalid, "--centre-al の値「{1}」は 0 以上の数値 (mm) でなければなりません"},
    {Reason::AngleStepOptionInvalid, "--angle-step の値「{1}」は 0.001 以上の数値 (度) でなければなりません"},
    {Reason::BowtieExportIncomplete, "Al 当量厚が求まらない位置があるため、{1} のファイルは書き出せません"},
    {Reason::AlEquivalentPositionNotice, "注意: {1}"},
    {Reason::AlEquivalentOptionsHelp,
     "  --spectrum FILE  中心のスペクトル (2 列「keV, 値」か EGSnrc の形) から、位置ごとの Al 当量厚\n"
     "                   (中心との差)、HVL、フルエンス透過率を求め、--profile の表に加えます\n"
     "  --centre-al MM   ボウタイ中心の Al 当量厚 (mm)。既定値 0。書き出すファイルの厚さに足します\n"
     "  --xcist FILE     XCIST のボウタイ ファイル (角度 rad、厚さ cm) を書き出します\n"
     "  --egsnrc PREFIX  EGSnrc の Al 当量 CT 線源の 2 つのファイル PREFIX_distribution.dat と\n"
     "                   PREFIX_bowtie.dat を書き出します\n"
     "  --angle-step DEG 書き出すファイルの角度の刻み (度)。既定値 0.125\n"},
    {Reason::AlEquivalentUsageSynopsis,
     "                           [--spectrum FILE [--centre-al MM] [--xcist FILE] [--egsnrc PREFIX] [--angle-step DEG]]\n"},
    {Reason::OpenBaselineTitle, "基準にする測定ファイルを開く"},
    {Reason::BaselineFilePlace, "基準 ({1}): "},
    {Reason::ToleranceTitle, "許容差"},
    {Reason::TolerancePrompt, "基準との差の許容差 (相対値の % ポイント、0 以上):"},
    {Reason::ReportOptionHelp, "測定記録のレポート (A4 1 ページの PDF、--baseline があれば判定付き) を FILE に保存する"},
    {Reason::BaselineStatusAgrees, "基準と一致"},
    {Reason::BaselineStatusFlagged, "基準から外れ: {1} 位置 ({2} cm)"},
    {Reason::BaselineStatusDiffers, " (距離か位置が基準と異なる)"},
    {Reason::ChooseSpectrumTitle, "中心のスペクトルのファイルを選ぶ"},
    {Reason::SpectrumFileFilter, "スペクトル ファイル (*.txt *.csv *.dat *.spectrum);;すべてのファイル (*)"},
    {Reason::SpectrumCentreAlInvalid, "ボウタイ中心の Al 当量厚「{1}」は 0 以上の数値 (mm) でなければなりません (わからないときは空欄)"},
    {Reason::AngleStepInvalid, "角度の刻み「{1}」は 0.001 以上の数値 (度) でなければなりません"},
    {Reason::BowtieSpectrumNeeded, "{1} のファイルを書き出すには中心のスペクトルが必要です。測定 → スペクトル… で選んでください"},
    {Reason::ExportXcistTitle, "XCIST のボウタイ ファイルを書き出す"},
    {Reason::XcistBowtieFilter, "XCIST ボウタイ ファイル (*.txt);;すべてのファイル (*)"},
    {Reason::ExportEgsnrcTitle, "EGSnrc の Al 当量 CT 線源を書き出す (名前_distribution.dat と 名前_bowtie.dat)"},
    {Reason::EgsnrcSourceFilter, "EGSnrc 線源 (*.dat);;すべてのファイル (*)"},
    {Reason::ColumnPosition, "位置 (cm)"},
    {Reason::ColumnFanAngle, "ファン角 (°)"},
    {Reason::ColumnReading, "測定値 (平均)"},
    {Reason::ColumnReadingCount, "n"},
    {Reason::ColumnReadingU, "u (測定値)"},
    {Reason::ColumnProfile, "プロファイル ± u"},
    {Reason::ColumnRelative, "相対値 (%) ± U (k=2)"},
    {Reason::ColumnRelativeOnArc, "円弧上の相対値 (%) ± U (k=2)"},
    {Reason::ColumnBaseline, "基準 (%)"},
    {Reason::ColumnDelta, "Δ (%) ± U (k=2)"},
    {Reason::ColumnFlag, "判定"},
    {Reason::ColumnAlEquivalent, "Al 当量厚 (mm) ± U (k=2)"},
    {Reason::ColumnHalfValueLayer, "HVL (mm Al)"},
    {Reason::ColumnFluenceTransmission, "フルエンス透過率"},
    {Reason::FlagDeviates, "外れ"},
    {Reason::FlagAgrees, "一致"},
    {Reason::ConditionScanner, "装置"},
    {Reason::ConditionScannerSerial, "装置シリアル番号"},
    {Reason::ConditionBowtieFilter, "ボウタイフィルタ"},
    {Reason::ConditionTubeVoltage, "管電圧 (kV)"},
    {Reason::ConditionCollimation, "コリメーション (mm)"},
    {Reason::ConditionRotationTime, "回転時間 (s)"},
    {Reason::ConditionCurrentTimeProduct, "管電流時間積 (mAs)"},
    {Reason::ConditionDetector, "線量計 (検出器)"},
    {Reason::ConditionDetectorSerial, "検出器シリアル番号"},
    {Reason::ConditionCalibrationFactor, "校正定数"},
    {Reason::ConditionCalibrationDate, "校正日"},
    {Reason::ConditionCalibrationUncertainty, "校正の不確かさ (%)"},
    {Reason::ConditionRepeatability, "読み値の繰り返し精度 (%)"},
    {Reason::ConditionRepeatabilityNote, "1 回だけ測定した位置に使用"},
    {Reason::ConditionMeasuredOn, "測定日 (YYYY-MM-DD)"},
    {Reason::ConditionOperator, "測定者"},
    {Reason::ConditionSite, "施設"},
    {Reason::ConditionNotes, "備考"},
    {Reason::AttenuationOutOfRange, "範囲外"},
};
// clang-format on

// The placeholder for detail number (index + 1), or an empty view at the end of the text.
struct Placeholder {
    std::size_t at = std::string_view::npos;
    std::size_t length = 0;
    std::size_t index = 0;
};

Placeholder NextPlaceholder(std::string_view text, std::size_t from) {
    for (std::size_t at = text.find('{', from); at != std::string_view::npos; at = text.find('{', at + 1)) {
        if (at + 2 < text.size() && text[at + 1] >= '1' && text[at + 1] <= '9' && text[at + 2] == '}') {
            return {at, 3, static_cast<std::size_t>(text[at + 1] - '1')};
        }
    }
    return {};
}

// Whether text matches pattern from their given offsets, each placeholder standing for any text.
bool Matches(std::string_view pattern, std::string_view text) {
    const Placeholder next = NextPlaceholder(pattern, 0);
    if (next.at == std::string_view::npos) {
        return pattern == text;
    }
    const std::string_view literal = pattern.substr(0, next.at);
    if (text.substr(0, literal.size()) != literal) {
        return false;
    }
    const std::string_view restPattern = pattern.substr(next.at + next.length);
    for (std::size_t skip = literal.size(); skip <= text.size(); ++skip) {
        if (Matches(restPattern, text.substr(skip))) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::span<const CatalogueEntry> MessageCatalogue() {
    return kCatalogue;
}

std::string_view MessageText(Reason reason) {
    const auto index = static_cast<std::size_t>(reason);
    if (index < std::size(kCatalogue) && kCatalogue[index].reason == reason) {
        return kCatalogue[index].japanese;
    }
    for (const CatalogueEntry& entry : kCatalogue) {
        if (entry.reason == reason) {
            return entry.japanese;
        }
    }
    return "処理できませんでした。";
}

std::string Message(Reason reason, std::initializer_list<std::string_view> details) {
    const std::string_view text = MessageText(reason);
    std::string message;
    std::size_t from = 0;
    for (Placeholder p = NextPlaceholder(text, 0); p.at != std::string_view::npos;
         p = NextPlaceholder(text, from)) {
        message.append(text.substr(from, p.at - from));
        if (p.index < details.size()) {
            message.append(details.begin()[p.index]);
        }
        from = p.at + p.length;
    }
    message.append(text.substr(from));
    return message;
}

bool IsMessageOf(Reason reason, std::string_view text) {
    return Matches(MessageText(reason), text);
}

}  // namespace tessaroven
