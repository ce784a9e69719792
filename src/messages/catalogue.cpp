// The catalogue's texts, in Japanese and in English.
#include "messages/catalogue.h"

#include <atomic>
#include <cstddef>

namespace tessaroven {

namespace {

// clang-format off
constexpr CatalogueEntry kCatalogue[] = {
    {Reason::DistanceNotANumber, "焦点-回転中心間距離が 0 か、数値ではありません。距離を cm で入力してください。", "The focus–axis distance is 0 or not a number. Enter the distance in cm."},
    {Reason::DistanceTooShort, "焦点-回転中心間距離が短すぎます。焦点は最も遠い測定点より 1 cm 以上外側を回る必要があります (それより近いと、その点の読み値を変換できません)。最も遠い測定点までの距離 (cm) より 1 cm 以上大きな値を入力してください。", "The focus–axis distance is too short. The focus must turn at least 1 cm outside the farthest point (closer than that, the reading there cannot be converted). Enter a value at least 1 cm larger than the distance (cm) to the farthest point."},
    {Reason::NumberOutOfRange, "数値が大きすぎて扱えません。正しい値を入力してください。", "The number is too large to handle. Enter a correct value."},
    {Reason::TooManyPositions, "測定ポイント数が多すぎます。測定ポイント数は 31 以下 (推奨 25 以下) にしてください。", "The number of points is too large. Use 31 points or fewer (25 or fewer recommended)."},
    {Reason::ZeroPivot, "変換計算の連立方程式が解けません (係数が 0 になりました)。焦点-回転中心間距離を確認してください。", "The system of equations of the conversion cannot be solved (a coefficient became 0). Check the focus–axis distance."},
    {Reason::ZeroCentreValue, "回転中心の推定値が 0 になるため、相対値 (%) を計算できません。回転中心の測定値を確認してください。", "The estimated value at the centre of rotation is 0, so no relative values (%) can be calculated. Check the reading at the centre of rotation."},
    {Reason::NonFiniteResult, "計算結果が数値の範囲を超えました。測定値と焦点-回転中心間距離を確認してください。", "A calculated value is beyond the range of numbers. Check the readings and the focus–axis distance."},
    {Reason::MissingSetup, "データが未入力です", "No data entered"},
    {Reason::MissingReading, " 測定値が未入力です", " No reading entered"},
    {Reason::PositionOutOfRange, "off center の値が範囲外です。0 ～ 30 (cm) の範囲で入力してください。", "The value of \"off center\" is out of range. Enter a value from 0 to 30 (cm)."},
    {Reason::PointNumberOutOfRange, "測定点 No. が範囲外です。0 ～ 31 の範囲で入力してください。", "The point No. is out of range. Enter a value from 0 to 31."},
    {Reason::NonFiniteValue, "保存する値に数値でないものがあります。変換計算をやり直してください。", "A value to be saved is not a number. Do the conversion again."},
    {Reason::UnrepresentableCharacter, "コメントに、保存ファイル (Shift-JIS) で使えない文字 {1} があります。この文字を使わずに入力してください。", "The comment holds {1}, which cannot be saved in the file (Shift-JIS). Type the comment without it."},
    {Reason::UnrepresentableCharacterWithReplacement, "コメントに、保存ファイル (Shift-JIS) で使えない文字 {1} があります。{2} のように書き換えてください。", "The comment holds {1}, which cannot be saved in the file (Shift-JIS). Write {2} instead."},
    {Reason::CharacterName, "「{1}」 ({2})", "the character \"{1}\" ({2})"},
    {Reason::ControlCharacterName, "制御文字 ({1})", "a control character ({1})"},
    {Reason::UnknownCharacterName, "(不明)", "an unknown character"},
    {Reason::OneReplacement, "「{1}」", "\"{1}\""},
    {Reason::TwoReplacements, "「{1}」か「{2}」", "\"{1}\" or \"{2}\""},
    {Reason::LineBreakInComment, "コメントに改行は使えません。1 行で入力してください。", "The comment cannot hold a line break. Type it on one line."},
    {Reason::InvalidText, "文字列が正しくありません。", "The text is not valid."},
    {Reason::FileWriteFailed, "ファイルを保存できませんでした。\nファイル: {1}\n理由: {2}", "The file could not be saved.\nFile: {1}\nReason: {2}"},
    {Reason::MissingCommentOrFileName, "コメント，ファイル名が入力されていません", "Comment or file name not entered"},
    {Reason::NulInFileName, "ファイル名に使えない文字 (NUL) があります。", "The file name holds a character that cannot be used (NUL)."},
    {Reason::Saved, "計算されたプロファイルデータを保存しました", "The calculated profile data has been saved"},
    {Reason::RepeatNotANumber, "測定値「{1}」は数値ではありません。繰り返し測定した値は「100.2; 100.0; 99.9」のように ; で区切って入力してください。", "The reading \"{1}\" is not a number. Type repeated readings separated by ;, as in \"100.2; 100.0; 99.9\"."},
    {Reason::NothingToSave, "保存する測定がありません。測定ポイント数を設定して測定値を入力してください。", "There is no measurement to save. Set the number of points and enter the readings."},
    {Reason::SaveChangesQuestion, "測定値または測定条件が変更されています。保存しますか。", "The readings or the measuring conditions have been changed. Save the changes?"},
    {Reason::SaveChoice, "保存", "Save"},
    {Reason::DiscardChoice, "保存しない", "Don't Save"},
    {Reason::CancelChoice, "キャンセル", "Cancel"},
    {Reason::MeasurementFileFilter, "測定ファイル (*.tessaroven.json)", "Measurement files (*.tessaroven.json)"},
    {Reason::OpenMeasurementTitle, "測定ファイルを開く", "Open measurement file"},
    {Reason::SaveMeasurementTitle, "測定ファイルを保存", "Save measurement file"},
    {Reason::MeasurementSavedStatus, "保存しました: {1}", "Saved: {1}"},
    {Reason::ExportProfileTitle, "プロファイル表を書き出す", "Export profile table"},
    {Reason::ProfileTableFilter, "プロファイル表 (*.csv)", "Profile tables (*.csv)"},
    {Reason::NoDisplayForPlot, "グラフを描くための画面環境を用意できませんでした。", "Could not set up a display environment to draw the graph."},
    {Reason::PlotNotEncoded, "グラフの PNG 画像を作れませんでした。", "Could not make the graph's PNG image."},
    {Reason::PlotUnavailable, "このビルドは Qt なしで作られているため、--plot (グラフの画像) は使えません。", "This build was made without Qt, so --plot (graph image) is not available."},
    {Reason::NoDisplay, "tessaroven: 画面 (ディスプレイ) が見つかりません (DISPLAY が設定されていません)。ウィンドウなしで変換するには tessaroven-convert を使ってください。", "tessaroven: no display found (DISPLAY is not set). To convert without windows, use tessaroven-convert."},
    {Reason::UnknownOption, "不明なオプションです: {1}", "Unknown option: {1}"},
    {Reason::RepeatedOption, "オプション {1} が二回以上指定されています", "Option {1} is given more than once"},
    {Reason::OptionNeedsValue, "オプション {1} には値が必要です", "Option {1} needs a value"},
    {Reason::OptionTakesNoValue, "オプション {1} は値を取りません", "Option {1} takes no value"},
    {Reason::DistanceOptionNotANumber, "焦点-回転中心間距離 (--distance) 「{1}」は数値ではありません", "The focus–axis distance (--distance) \"{1}\" is not a number"},
    {Reason::DistanceOptionOutOfRange, "焦点-回転中心間距離 (--distance) 「{1}」は大きすぎて扱えません", "The focus–axis distance (--distance) \"{1}\" is too large to handle"},
    {Reason::EmptyOutputName, "出力ファイル名 (--output) が空です", "The output file name (--output) is empty"},
    {Reason::UsageHint, "（使い方は tessaroven-convert --help）", " (see tessaroven-convert --help)"},
    {Reason::InputUnreadable, "標準入力を読み込めません", "Cannot read standard input"},
    {Reason::TooManyReadings, "測定値が多すぎます。測定値は回転中心を含めて最大 {1} 個です", "Too many readings: at most {1}, the centre of rotation included"},
    {Reason::ReadingNotANumber, "{1}測定値「{2}」は数値ではありません", "Reading \"{2}\"{1} is not a number"},
    {Reason::ReadingOutOfRange, "{1}測定値「{2}」は大きすぎて扱えません", "Reading \"{2}\"{1} is too large to handle"},
    {Reason::InputLinePlace, "標準入力の {1} 行目の", " on line {1} of standard input"},
    {Reason::NoReadings, "測定値がありません (引数か標準入力で渡してください)", "No readings (give them as arguments or on standard input)"},
    {Reason::EmptyComment, "コメント (--comment) が空です", "The comment (--comment) is empty"},
    {Reason::LineBreakInCommentOption, "コメント (--comment) に改行は使えません", "The comment (--comment) cannot hold a line break"},
    {Reason::OutputUnwritable, "標準出力に書き込めません", "Cannot write to standard output"},
    {Reason::DistanceDetail, " (--distance {1})", " (--distance {1})"},
    {Reason::UsageSynopsis, "使い方: tessaroven-convert [--distance CM] [--comment TEXT] [--measurement FILE] [--reading-repeatability PCT]\n"
     "                           [--calibration-uncertainty PCT] [--save-measurement FILE] [--output FILE]\n"
     "                           [--profile FILE] [--list]{1} [READING ...]\n",
     "Usage: tessaroven-convert [--distance CM] [--comment TEXT] [--measurement FILE] [--reading-repeatability PCT]\n"
     "                          [--calibration-uncertainty PCT] [--save-measurement FILE] [--output FILE]\n"
     "                          [--profile FILE] [--list]{1} [READING ...]\n"},
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
     "                3 基準から外れた位置あり (--fail-on-deviation、2 と 1 が優先)\n",
     "\n"
     "Calculates the fan-direction dose profile from the dose readings taken while the gantry rotates.\n"
     "READING is a reading at 1 cm steps from the centre of rotation (position 0); at most 31 readings.\n"
     "Without READING or --measurement, the readings are read from standard input (separated by blanks or\n"
     "line breaks; lines starting with # are ignored).\n"
     "\n"
     "  --distance CM    Focus–axis distance (cm). Default: 60, or the measurement file's value\n"
     "  --comment TEXT   Comment on the CSV's first line. Default: Comment, or the measurement file's value\n"
     "  --measurement FILE\n"
     "                   Read the readings (repeats averaged), distance, comment and uncertainties from a\n"
     "                   measurement file (.tessaroven.json). --distance, --comment and the uncertainty\n"
     "                   options override the file's values\n"
     "  --reading-repeatability PCT\n"
     "                   Relative standard deviation (%) of a reading at the positions measured only once\n"
     "  --calibration-uncertainty PCT\n"
     "                   Relative standard uncertainty (%) of the dosemeter's calibration. It enters the\n"
     "                   absolute profile only\n"
     "  --save-measurement FILE\n"
     "                   Save the converted readings, distance, comment and uncertainties to a\n"
     "                   measurement file\n"
     "  --output FILE    Save the result to FILE (the name as given, no extension added).\n"
     "                   Without it, the result goes to standard output\n"
     "  --profile FILE   Save the profile table, with the fan angle and standard uncertainties (k=1) of each\n"
     "                   position, to FILE (UTF-8, LF line ends). If FILE is -, print it to standard output\n"
     "                   instead of the CSV\n"
     "  --list           Print the lines of the result list in UTF-8 instead of the CSV\n"
     "{1}"
     "  --help           Show this help\n"
     "\n"
     "The CSV is in code page 932 with CR LF line ends.\n"
     "Exit status: 0 success, 2 usage or input error, 1 value that cannot be calculated or write failure,\n"
     "             3 a position deviates from the baseline (--fail-on-deviation; 2 and 1 take precedence)\n"},
    {Reason::PlotOptionHelp, "プロファイルのグラフを PNG 画像 (509 x 461 ピクセル) で FILE に保存する", "Save the profile graph as a PNG image (509 x 461 pixels) to FILE"},
    {Reason::PlotOptionUnavailableHelp, "プロファイルのグラフを PNG 画像で保存する (Qt 付きのビルドのみ)", "Save the profile graph as a PNG image (builds with Qt only)"},
    {Reason::MeasurementFileUnreadable, "測定ファイルを読み込めませんでした。\nファイル: {1}\n理由: {2}", "Could not read the measurement file.\nFile: {1}\nReason: {2}"},
    {Reason::MeasurementFileTooLarge, "ファイルが大きすぎます (測定ファイルは {1} バイトまでです)", "The file is too large (a measurement file may hold up to {1} bytes)"},
    {Reason::MeasurementFilePlace, "{1} 行 {2} 列目", "line {1}, column {2}"},
    {Reason::MeasurementFileNotUtf8, "{1}に UTF-8 として正しくないバイトがあります", "Bytes that are not valid UTF-8 at {1}"},
    {Reason::MeasurementFileNotJson, "{1}が JSON の書き方として正しくありません", "Invalid JSON syntax at {1}"},
    {Reason::MeasurementFileNumberOutOfRange, "{1}の数値が大きすぎて扱えません", "The number at {1} is too large to handle"},
    {Reason::MeasurementFileNotObject, "ファイル全体が JSON のオブジェクト ({ ... }) になっていません", "The file as a whole is not a JSON object ({ ... })"},
    {Reason::MeasurementFileUnknownFormat, "測定ファイルではありません (format が「{1}」です。測定ファイルでは「tessaroven-measurement」です)", "Not a measurement file (format is \"{1}\"; in a measurement file it is \"tessaroven-measurement\")"},
    {Reason::MeasurementFileBadVersion, "version「{1}」が正しくありません。1 以上の整数でなければなりません", "The version \"{1}\" is not valid: it must be an integer of 1 or more"},
    {Reason::MeasurementFileNewerVersion, "この測定ファイルは新しい版 (version {1}) です。このプログラムが読めるのは version {2} までです", "This measurement file is of a newer version (version {1}). This program reads up to version {2}"},
    {Reason::MeasurementFileMissingKey, "必要な項目 {1} がありません", "The required item {1} is missing"},
    {Reason::MeasurementFileNotANumber, "{1} は数値でなければなりません", "{1} must be a number"},
    {Reason::MeasurementFileNotText, "{1} は文字列でなければなりません", "{1} must be a string"},
    {Reason::MeasurementFileNotArray, "{1} は配列 ([ ... ]) でなければなりません", "{1} must be an array ([ ... ])"},
    {Reason::MeasurementFileNotObjectValue, "{1} はオブジェクト ({ ... }) でなければなりません", "{1} must be an object ({ ... })"},
    {Reason::MeasurementFileLineBreakInComment, "comment に改行があります。コメントは 1 行でなければなりません", "comment holds a line break: the comment must be a single line"},
    {Reason::MeasurementFileDistanceNotPositive, "distance_cm (焦点-回転中心間距離) は 0 より大きくなければなりません (値: {1})", "distance_cm (the focus–axis distance) must be greater than 0 (value: {1})"},
    {Reason::MeasurementFilePositionCount, "readings の位置の数が {1} です。1 ～ {2} でなければなりません", "readings holds {1} positions: it must hold 1 to {2}"},
    {Reason::MeasurementFileEmptyPosition, "{1} に測定値がありません。位置ごとに 1 つ以上の測定値が必要です", "{1} holds no reading: every position needs at least one reading"},
    {Reason::MeasurementFileNegativeUncertainty, "{1} は 0 以上でなければなりません", "{1} must be 0 or more"},
    {Reason::MeasurementFileBadDate, "{1}「{2}」は YYYY-MM-DD の形の日付ではありません", "{1} \"{2}\" is not a date of the form YYYY-MM-DD"},
    {Reason::EmptyFileOption, "{1} のファイル名が空です", "The file name of {1} is empty"},
    {Reason::ReadingsWithMeasurement, "--measurement を使うときは READING を指定できません (測定値はファイルから読みます)", "READING cannot be given with --measurement (the readings come from the file)"},
    {Reason::EmptyMeasurementComment, "測定ファイルのコメントが空です。--comment でコメントを指定してください", "The measurement file's comment is empty. Give a comment with --comment"},
    {Reason::ConditionNotANumber, "「{1}」が数値ではありません。数値を入力するか、空欄にしてください。", "\"{1}\" is not a number. Enter a number or leave the field empty."},
    {Reason::ConditionNumberOutOfRange, "「{1}」の数値が大きすぎて扱えません。正しい値を入力してください。", "The number in \"{1}\" is too large to handle. Enter a correct value."},
    {Reason::ConditionNegativeUncertainty, "「{1}」に負の値は使えません。0 以上の値を入力してください。", "\"{1}\" cannot be negative. Enter a value of 0 or more."},
    {Reason::ConditionBadDate, "「{1}」が正しい日付ではありません。2026-12-07、2026/12/07、2026年12月7日、令和8年12月7日 のように入力するか、空欄にしてください。", "\"{1}\" is not a valid date. Enter it as 2026-12-07, 2026/12/07 or 2026.12.07 (the Japanese era form is taken too), or leave the field empty."},
    {Reason::ProfileNotConverted, "プロファイルがまだ計算されていません。変換計算をしてから、もう一度行ってください。", "The profile has not been calculated yet. Do the conversion, then try again."},
    {Reason::UncertaintyOptionInvalid, "{1} の値「{2}」は 0 以上の数値 (%) でなければなりません", "The value \"{2}\" of {1} must be a number (%) of 0 or more"},
    {Reason::ProfileToStandardOutputWithOutput, "--profile - (標準出力への表) と --output は同時に指定できません", "--profile - (the table to standard output) and --output cannot be given together"},
    {Reason::PlotModuleNotLoaded, "描画の部品を読み込めなかったため、--plot (グラフの画像) と --report (レポート) は使えません。\n部品: {1}\n理由: {2}", "The drawing module could not be loaded, so --plot (graph image) and --report (report) are not available.\nModule: {1}\nReason: {2}"},
    {Reason::ReportTitle, "CT ボウタイ線量プロファイル 測定記録", "CT bow-tie dose profile: measurement record"},
    {Reason::ReportCreated, "作成 {1}　{2}", "Created {1}  {2}"},
    {Reason::ReportFileLabel, "ファイル", "File"},
    {Reason::ReportUnsaved, "(測定ファイルなし)", "(no measurement file)"},
    {Reason::ReportCommentLabel, "コメント", "Comment"},
    {Reason::ReportDistanceLabel, "焦点-回転中心間距離 (cm)", "Focus–axis distance (cm)"},
    {Reason::ReportUncertaintyKnown, "u: 標準不確かさ (k=1)、U: 拡張不確かさ (k=2)。校正の不確かさはプロファイルにだけ入り、相対値には入りません。", "u: standard uncertainty (k=1), U: expanded uncertainty (k=2). The calibration uncertainty enters the profile only, not the relative values."},
    {Reason::ReportUncertaintyUnknown, "不確かさは求められません: 繰り返し測定も読み値の繰り返し精度もない位置があります。", "No uncertainties can be given: some positions have neither repeated readings nor a reading repeatability."},
    {Reason::ReportSignature, "確認者署名　＿＿＿＿＿＿＿＿＿＿＿＿＿＿　　日付　＿＿＿＿＿＿＿＿＿＿", "Reviewer's signature  ____________________________    Date  ____________________"},
    {Reason::ReportNotMade, "レポートの PDF を作れませんでした。", "Could not make the report's PDF."},
    {Reason::ExportReportTitle, "レポートを PDF で保存", "Save report as PDF"},
    {Reason::ReportPdfFilter, "PDF (*.pdf)", "PDF (*.pdf)"},
    {Reason::PrintNotDone, "印刷を始められませんでした。プリンタの設定を確かめてください。", "Printing could not start. Check the printer settings."},
    {Reason::ToleranceInvalid, "許容差「{1}」は 0 以上の数値 (相対値の % ポイント) でなければなりません", "The tolerance \"{1}\" must be a number of 0 or more (percentage points of the relative value)"},
    {Reason::BaselineAgrees, "基準と一致: {1} 位置を比較し、外れた位置はありません (許容差 {2} ポイント)", "Agrees with the baseline: no position deviates ({1} positions compared, tolerance {2} percentage points)"},
    {Reason::BaselineDeviates, "基準から外れた位置が {1} 個あります (位置 {2} cm)。{3} 位置を比較 (許容差 {4} ポイント)", "Deviates from the baseline at {1} of {3} positions compared: {2} cm (tolerance {4} percentage points)"},
    {Reason::BaselineDistanceDiffers, "基準の焦点-回転中心間距離 ({1} cm) はこの測定 ({2} cm) と異なります", "The baseline's focus–axis distance ({1} cm) differs from this measurement's ({2} cm)"},
    {Reason::BaselinePositionsDiffer, "基準の位置 (0 ～ {1} cm) はこの測定 (0 ～ {2} cm) と異なります。両方にある位置だけを比較しました", "The baseline's positions (0 to {1} cm) differ from this measurement's (0 to {2} cm). Only the positions in both were compared"},
    {Reason::BaselineOptionPlace, "基準 (--baseline {1}): ", "Baseline (--baseline {1}): "},
    {Reason::BaselineOptionMissing, "{1} は --baseline と一緒に指定してください", "Give {1} together with --baseline"},
    {Reason::BaselineUsageSynopsis, "\n                           [--baseline FILE] [--tolerance PCT] [--fail-on-deviation]", "\n                          [--baseline FILE] [--tolerance PCT] [--fail-on-deviation]"},
    {Reason::BaselineUsageDescription,
     "  --baseline FILE  測定ファイルを基準として、それ自身の測定値と距離で変換し、両方にある位置の\n"
     "                   相対値を比較します。外れた位置の数を標準エラーに出し、--profile の表に\n"
     "                   baseline_percent、delta_percent、flagged の列を加えます\n"
     "  --tolerance PCT  許容差 (相対値の % ポイント)。既定値 5。差の絶対値が許容差と拡張不確かさ\n"
     "                   (k=2) の大きい方を超える位置を外れとします\n"
     "  --fail-on-deviation\n"
     "                   外れた位置があれば、すべての出力を書いたあと終了ステータス 3 で終わります\n",
     "  --baseline FILE  Take a measurement file as the baseline, convert it with its own readings and\n"
     "                   distance, and compare the relative values at the positions in both. Print the\n"
     "                   number of deviating positions to standard error, and add the columns\n"
     "                   baseline_percent, delta_percent and flagged to the --profile table\n"
     "  --tolerance PCT  Tolerance (percentage points of the relative value). Default: 5. A position\n"
     "                   deviates when the absolute difference exceeds the larger of the tolerance and\n"
     "                   the expanded uncertainty (k=2)\n"
     "  --fail-on-deviation\n"
     "                   If a position deviates, exit with status 3 after writing every output\n"},
    {Reason::SpectrumFileUnreadable, "スペクトル ファイルを読み込めませんでした。\nファイル: {1}\n理由: {2}", "Could not read the spectrum file.\nFile: {1}\nReason: {2}"},
    {Reason::SpectrumFileTooLarge, "ファイルが大きすぎます (スペクトル ファイルは {1} バイトまでです)", "The file is too large (a spectrum file may hold up to {1} bytes)"},
    {Reason::SpectrumLineNotTwoNumbers, "{1} 行目「{2}」が「エネルギー (keV), 値」の 2 つの数値になっていません", "Line {1} \"{2}\" is not the two numbers \"energy (keV), value\""},
    {Reason::SpectrumHeaderInvalid, "{1} 行目「{2}」が「ビンの数, 最小エネルギー (MeV), モード」になっていません (ビンの数は 1 以上の整数、最小エネルギーは 0 以上)", "Line {1} \"{2}\" is not \"number of bins, minimum energy (MeV), mode\" (the number of bins an integer of 1 or more, the minimum energy 0 or more)"},
    {Reason::SpectrumModeUnsupported, "{1} 行目のモード {2} は読めません (読めるのは 0: ビンごとの値 と 1: MeV あたりの値 です)", "Mode {2} on line {1} cannot be read (the modes read are 0: value per bin, and 1: value per MeV)"},
    {Reason::SpectrumBinLineNotTwoNumbers, "{1} 行目「{2}」が「ビンの上端 (MeV), 値」の 2 つの数値になっていません", "Line {1} \"{2}\" is not the two numbers \"upper edge of the bin (MeV), value\""},
    {Reason::SpectrumBinCountMismatch, "ビンの数が 2 行目では {1} ですが、ビンの行は {2} 行あります", "Line 2 gives {1} bins, but there are {2} bin lines"},
    {Reason::SpectrumEnergyNotPositive, "{1} 行目のエネルギーが 0 より大きくありません", "The energy on line {1} is not greater than 0"},
    {Reason::SpectrumEnergyNotAscending, "{1} 行目のエネルギーが前の行 (EGSnrc の形では前のビンの上端) より大きくありません。エネルギーは小さい順に並べてください", "The energy on line {1} is not greater than that of the line before (in the EGSnrc form, the upper edge of the bin before). List the energies in ascending order"},
    {Reason::SpectrumNegativeValue, "{1} 行目の値が負です", "The value on line {1} is negative"},
    {Reason::SpectrumNoValues, "スペクトルに値がありません (値の行がないか、値がすべて 0 です)", "The spectrum holds no values (there are no value lines, or every value is 0)"},
    {Reason::SpectrumLengthMismatch, "スペクトルのエネルギーと値の数が違います", "The spectrum holds different numbers of energies and values"},
    {Reason::SpectrumEntryInvalid, "スペクトルの {1} 番目のエネルギーか値が正しくありません (エネルギーは 0 より大きく小さい順、値は 0 以上)", "Energy or value number {1} of the spectrum is not valid (energies greater than 0 and ascending, values 0 or more)"},
    {Reason::AttenuationDataUnavailable, "スペクトルのエネルギー {1} keV での減弱係数が得られません ({2})。値が 0 でないエネルギーは、減弱データのある 1 keV から 800 keV の間でなければなりません", "No attenuation coefficient is available at the spectrum's energy of {1} keV ({2}). Energies with a value other than 0 must lie between 1 keV and 800 keV, where the attenuation data are"},
    {Reason::AlEquivalentTransmissionInvalid, "位置 {1} cm の弧上の相対値 ({2} %) からは Al 当量厚を求められません (0 より大きい有限の値が必要です)", "No Al-equivalent thickness can be found at position {1} cm from its relative value on the arc ({2} %) (a finite value greater than 0 is needed)"},
    {Reason::AlEquivalentNotSolved, "位置 {1} cm の Al 当量厚が求まりませんでした", "The Al-equivalent thickness at position {1} cm could not be found"},
    {Reason::MeasurementFileSpectrumInvalid, "spectrum の値が使えません: {1}", "The value of spectrum cannot be used: {1}"},
    {Reason::SpectrumOptionNeeded, "{1} には --spectrum (中心のスペクトルのファイル) が必要です", "{1} needs --spectrum (the file of the centre spectrum)"},
    {Reason::CentreAlOptionInvalid, "--centre-al の値「{1}」は 0 以上の数値 (mm) でなければなりません", "The value \"{1}\" of --centre-al must be a number (mm) of 0 or more"},
    {Reason::AngleStepOptionInvalid, "--angle-step の値「{1}」は 0.001 以上の数値 (度) でなければなりません", "The value \"{1}\" of --angle-step must be a number (degrees) of 0.001 or more"},
    {Reason::BowtieExportIncomplete, "Al 当量厚が求まらない位置があるため、{1} のファイルは書き出せません", "Some positions have no Al-equivalent thickness, so the {1} file cannot be written"},
    {Reason::AlEquivalentPositionNotice, "注意: {1}", "Warning: {1}"},
    {Reason::AlEquivalentOptionsHelp,
     "  --spectrum FILE  中心のスペクトル (2 列「keV, 値」か EGSnrc の形) から、位置ごとの Al 当量厚\n"
     "                   (中心との差)、HVL、フルエンス透過率を求め、--profile の表に加えます\n"
     "  --centre-al MM   ボウタイ中心の Al 当量厚 (mm)。既定値 0。書き出すファイルの厚さに足します\n"
     "  --xcist FILE     XCIST のボウタイ ファイル (角度 rad、厚さ cm) を書き出します\n"
     "  --egsnrc PREFIX  EGSnrc の Al 当量 CT 線源の 2 つのファイル PREFIX_distribution.dat と\n"
     "                   PREFIX_bowtie.dat を書き出します\n"
     "  --angle-step DEG 書き出すファイルの角度の刻み (度)。既定値 0.125\n",
     "  --spectrum FILE  From the centre spectrum (two columns \"keV, value\" or the EGSnrc form), find each\n"
     "                   position's Al-equivalent thickness (relative to the centre), HVL and fluence\n"
     "                   transmission, and add them to the --profile table\n"
     "  --centre-al MM   Al-equivalent thickness (mm) at the bow-tie centre. Default: 0. Added to the\n"
     "                   thicknesses in the written files\n"
     "  --xcist FILE     Write an XCIST bow-tie file (angle in rad, thickness in cm)\n"
     "  --egsnrc PREFIX  Write the two files of an EGSnrc Al-equivalent CT source, PREFIX_distribution.dat\n"
     "                   and PREFIX_bowtie.dat\n"
     "  --angle-step DEG Angle step (degrees) of the written files. Default: 0.125\n"},
    {Reason::AlEquivalentUsageSynopsis,
     "\n                           [--spectrum FILE [--centre-al MM] [--xcist FILE] [--egsnrc PREFIX] [--angle-step DEG]]",
     "\n                          [--spectrum FILE [--centre-al MM] [--xcist FILE] [--egsnrc PREFIX] [--angle-step DEG]]"},
    {Reason::OpenBaselineTitle, "基準にする測定ファイルを開く", "Open measurement file as baseline"},
    {Reason::BaselineFilePlace, "基準 ({1}): ", "Baseline ({1}): "},
    {Reason::ToleranceTitle, "許容差", "Tolerance"},
    {Reason::TolerancePrompt, "基準との差の許容差 (相対値の % ポイント、0 以上):", "Tolerance of the difference from the baseline (percentage points of the relative value, 0 or more):"},
    {Reason::ReportOptionHelp, "測定記録のレポート (A4 1 ページの PDF、--baseline があれば判定付き) を FILE に保存する", "Save the measurement report to FILE (one-page A4 PDF; verdicts with --baseline)"},
    {Reason::BaselineStatusAgrees, "基準と一致", "Agrees with baseline"},
    {Reason::BaselineStatusFlagged, "基準から外れ: {1} 位置 ({2} cm)", "Deviates from baseline at {1} position(s) ({2} cm)"},
    {Reason::BaselineStatusDiffers, " (距離か位置が基準と異なる)", " (distance or positions differ from baseline)"},
    {Reason::ChooseSpectrumTitle, "中心のスペクトルのファイルを選ぶ", "Choose the centre spectrum file"},
    {Reason::SpectrumFileFilter, "スペクトル ファイル (*.txt *.csv *.dat *.spectrum);;すべてのファイル (*)", "Spectrum files (*.txt *.csv *.dat *.spectrum);;All files (*)"},
    {Reason::SpectrumCentreAlInvalid, "ボウタイ中心の Al 当量厚「{1}」は 0 以上の数値 (mm) でなければなりません (わからないときは空欄)", "The Al-equivalent thickness at the bow-tie centre \"{1}\" must be a number (mm) of 0 or more (leave it empty if unknown)"},
    {Reason::AngleStepInvalid, "角度の刻み「{1}」は 0.001 以上の数値 (度) でなければなりません", "The angle step \"{1}\" must be a number (degrees) of 0.001 or more"},
    {Reason::BowtieSpectrumNeeded, "{1} のファイルを書き出すには中心のスペクトルが必要です。測定 → スペクトル… で選んでください", "Writing the {1} file needs the centre spectrum. Choose it under Measurement → Spectrum…"},
    {Reason::ExportXcistTitle, "XCIST のボウタイ ファイルを書き出す", "Export XCIST bow-tie file"},
    {Reason::XcistBowtieFilter, "XCIST ボウタイ ファイル (*.txt);;すべてのファイル (*)", "XCIST bow-tie files (*.txt);;All files (*)"},
    {Reason::ExportEgsnrcTitle, "EGSnrc の Al 当量 CT 線源を書き出す (名前_distribution.dat と 名前_bowtie.dat)", "Export EGSnrc Al-equivalent CT source (NAME_distribution.dat and NAME_bowtie.dat)"},
    {Reason::EgsnrcSourceFilter, "EGSnrc 線源 (*.dat);;すべてのファイル (*)", "EGSnrc sources (*.dat);;All files (*)"},
    {Reason::ColumnPosition, "位置 (cm)", "Position (cm)"},
    {Reason::ColumnFanAngle, "ファン角 (°)", "Fan angle (°)"},
    {Reason::ColumnReading, "測定値 (平均)", "Reading (mean)"},
    {Reason::ColumnReadingCount, "n", "n"},
    {Reason::ColumnReadingU, "u (測定値)", "u (reading)"},
    {Reason::ColumnProfile, "プロファイル ± u", "Profile ± u"},
    {Reason::ColumnRelative, "相対値 (%) ± U (k=2)", "Relative (%) ± U (k=2)"},
    {Reason::ColumnRelativeOnArc, "円弧上の相対値 (%) ± U (k=2)", "Rel. on arc (%) ± U (k=2)"},
    {Reason::ColumnBaseline, "基準 (%)", "Baseline (%)"},
    {Reason::ColumnDelta, "Δ (%) ± U (k=2)", "Δ (%) ± U (k=2)"},
    {Reason::ColumnFlag, "判定", "Verdict"},
    {Reason::ColumnAlEquivalent, "Al 当量厚 (mm) ± U (k=2)", "Al equivalent (mm) ± U (k=2)"},
    {Reason::ColumnHalfValueLayer, "HVL (mm Al)", "HVL (mm Al)"},
    {Reason::ColumnFluenceTransmission, "フルエンス透過率", "Fluence transmission"},
    {Reason::FlagDeviates, "外れ", "Deviates"},
    {Reason::FlagAgrees, "一致", "Agrees"},
    {Reason::ConditionScanner, "装置", "Scanner"},
    {Reason::ConditionScannerSerial, "装置シリアル番号", "Scanner serial number"},
    {Reason::ConditionBowtieFilter, "ボウタイフィルタ", "Bow-tie filter"},
    {Reason::ConditionTubeVoltage, "管電圧 (kV)", "Tube voltage (kV)"},
    {Reason::ConditionCollimation, "コリメーション (mm)", "Collimation (mm)"},
    {Reason::ConditionRotationTime, "回転時間 (s)", "Rotation time (s)"},
    {Reason::ConditionCurrentTimeProduct, "管電流時間積 (mAs)", "Tube current–time product (mAs)"},
    {Reason::ConditionDetector, "線量計 (検出器)", "Dosemeter (detector)"},
    {Reason::ConditionDetectorSerial, "検出器シリアル番号", "Detector serial number"},
    {Reason::ConditionCalibrationFactor, "校正定数", "Calibration factor"},
    {Reason::ConditionCalibrationDate, "校正日", "Calibration date"},
    {Reason::ConditionCalibrationUncertainty, "校正の不確かさ (%)", "Calibration uncertainty (%)"},
    {Reason::ConditionRepeatability, "読み値の繰り返し精度 (%)", "Reading repeatability (%)"},
    {Reason::ConditionRepeatabilityNote, "1 回だけ測定した位置に使用", "for positions measured once"},
    {Reason::ConditionMeasuredOn, "測定日 (YYYY-MM-DD)", "Measured on (YYYY-MM-DD)"},
    {Reason::ConditionOperator, "測定者", "Operator"},
    {Reason::ConditionSite, "施設", "Site"},
    {Reason::ConditionNotes, "備考", "Notes"},
    {Reason::AttenuationOutOfRange, "範囲外", "out of range"},
    {Reason::LanguageOptionInvalid, "表示言語 (--lang) 「{1}」は使えません。ja (日本語) か en (英語) を指定してください", "Language (--lang) \"{1}\" is not available; give ja (Japanese) or en (English)"},
    {Reason::LanguageUsageSynopsis, "\n                           [--lang ja|en]", "\n                          [--lang ja|en]"},
    {Reason::LanguageOptionHelp,
     "  --lang ja|en     メッセージ、レポート、使い方の言語。既定値 ja (日本語)。CSV、一覧、\n"
     "                   プロファイル表、測定ファイルは言語によらず同じです\n",
     "  --lang ja|en     Language of the messages, the report and this usage. Default: ja (Japanese).\n"
     "                   The CSV, the list, the profile table and the measurement file are the same in\n"
     "                   either language\n"},
    {Reason::ModelCompatible, "互換 (cos 重み)", "compatible (cosine weights)"},
    {Reason::ModelIsotropic, "等方検出器", "isotropic detector"},
    {Reason::SimulationProfileStart, "プロファイルの表は位置 0 から始まる 2 行以上にしてください (左右対称とみなします)。", "The profile table must start at position 0 and have two rows or more (it is taken as symmetric)."},
    {Reason::SimulationProfileReach, "プロファイルの表が短すぎます。{1} cm の読み値には、中心を通る直線上で {2} cm までの値が必要です。", "The profile table is too short: the reading at {1} cm needs values on the line through the centre out to {2} cm."},
    {Reason::SimulationProfileReachDegrees, "プロファイルの表が短すぎます。{1} cm の読み値には、ファン角 {2} 度までの値が必要です。", "The profile table is too short: the reading at {1} cm needs values out to a fan angle of {2} degrees."},
    {Reason::MeasurementFileUnknownModel, "model「{1}」は使えません。\"compatible\" (互換) か \"isotropic\" (等方検出器) でなければなりません", "The model \"{1}\" is not known: it must be \"compatible\" or \"isotropic\""},
    {Reason::MeasurementFileModelNeedsVersion, "model「{1}」は version {2} のファイルには書けません (version 1 は互換モデルの測定ファイルで、等方検出器モデルの測定は version 2 で保存されます)", "model \"{1}\" cannot appear in a version {2} file (version 1 is the compatible model's file; a measurement for the isotropic model is saved as version 2)"},
    {Reason::ModelOptionInvalid, "変換モデル (--model) 「{1}」は使えません。compatible (互換) か isotropic (等方検出器) を指定してください", "Conversion model (--model) \"{1}\" is not available; give compatible or isotropic"},
    {Reason::ModelLine, "変換モデル: {1}", "Conversion model: {1}"},
    {Reason::ModelUsageSynopsis, "\n                           [--model compatible|isotropic] [--simulate PROFILE [--positions N]]", "\n                          [--model compatible|isotropic] [--simulate PROFILE [--positions N]]"},
    {Reason::ModelOptionHelp,
     "  --model compatible|isotropic\n"
     "                   変換モデル。compatible (互換、cos 重み) か isotropic (方向依存のない検出器で厳密)。\n"
     "                   既定値は測定ファイルのモデル、なければ compatible\n"
     "  --simulate PROFILE\n"
     "                   プロファイル ファイル (見出し position_cm,relative か fan_angle_deg,relative の 2 列)\n"
     "                   から、回転中に位置 0、1、… cm で得られる読み値を計算し、1 行に 1 つ出力します。\n"
     "                   --distance と --positions のほかのオプションや READING とは使えません\n"
     "  --positions N    --simulate の位置の数 (1 ～ 31)。既定値 31\n",
     "  --model compatible|isotropic\n"
     "                   Conversion model: compatible (cosine weights) or isotropic (exact for a detector\n"
     "                   without directional dependence). Default: the measurement file's, else compatible\n"
     "  --simulate PROFILE\n"
     "                   From a profile file (two columns headed position_cm,relative or\n"
     "                   fan_angle_deg,relative), compute the readings at positions 0, 1, ... cm taken while\n"
     "                   the gantry rotates, and print them one per line. Not with READING or any option but\n"
     "                   --distance and --positions\n"
     "  --positions N    Number of positions for --simulate (1 to 31). Default: 31\n"},
    {Reason::SimulateOptionMissing, "{1} は --simulate と一緒に指定してください", "Give {1} together with --simulate"},
    {Reason::SimulateExcludes, "--simulate と {1} は同時に指定できません", "--simulate cannot be combined with {1}"},
    {Reason::PositionsOptionInvalid, "位置の数 (--positions) 「{1}」は 1 ～ {2} の整数でなければなりません", "The number of positions (--positions) \"{1}\" must be a whole number from 1 to {2}"},
    {Reason::ProfileFileUnreadable, "プロファイル ファイルを読み込めませんでした。\nファイル: {1}\n理由: {2}", "Could not read the profile file.\nFile: {1}\nReason: {2}"},
    {Reason::ProfileFileTooLarge, "ファイルが大きすぎます (プロファイル ファイルは {1} バイトまでです)", "The file is too large (a profile file may hold up to {1} bytes)"},
    {Reason::ProfileColumnsNoHeader, "見出し行 (position_cm,relative か fan_angle_deg,relative) がありません", "There is no heading line (position_cm,relative or fan_angle_deg,relative)"},
    {Reason::ProfileColumnsBadHeader, "{1} 行目「{2}」は見出し行 position_cm,relative か fan_angle_deg,relative ではありません", "Line {1} \"{2}\" is not the heading line position_cm,relative or fan_angle_deg,relative"},
    {Reason::ProfileColumnsNotTwoColumns, "{1} 行目「{2}」がコンマで区切った 2 つの値になっていません", "Line {1} \"{2}\" is not two values separated by a comma"},
    {Reason::ProfileColumnsNotANumber, "{1} 行目 {2} 列目の「{3}」は数値ではありません (有限の数値 1 つにしてください)", "Line {1}, column {2}: \"{3}\" is not a number (it must be one finite number)"},
    {Reason::ProfileColumnsNegative, "{1} 行目 {2} 列目の値が負です。0 以上にしてください", "Line {1}, column {2}: the value is negative; it must be 0 or more"},
    {Reason::ProfileColumnsNotAscending, "{1} 行目の位置が前の行より小さくなっています。小さい順に並べてください", "Line {1}: the abscissa is smaller than on the line before; list the rows in ascending order"},
    {Reason::ProfileColumnsThreeEqual, "{1} 行目の位置が前の 2 行と同じです。同じ位置の行は段差の 2 行までです", "Line {1}: the abscissa equals that of the two lines before; a step takes at most two rows at one abscissa"},
    {Reason::ProfileColumnsTooManyRows, "行が多すぎます (プロファイル ファイルは {1} 行までです)", "Too many rows (a profile file may hold up to {1} rows)"},
    {Reason::ReportModelLabel, "変換モデル", "Conversion model"},
    {Reason::WriteTargetFolder, "保存先はフォルダーです ({1})。ファイル名を指定してください。", "The target is a folder ({1}). Give a file name."},
    {Reason::WriteTargetSocket, "保存先はソケット (プログラム間の通信口) です。ファイルとしては書き込めません。", "The target is a socket (a connection point between programs), which cannot be written as a file."},
    {Reason::WriteTargetBlockDevice, "保存先はブロックデバイス (ディスクやパーティション) です。ディスクに直接は書き込みません。", "The target is a block device (a disk or partition), which is never written directly."},
    {Reason::WriteLinkUntrusted, "誰でも書き込める共有フォルダー (スティッキービット付き) にある、他のユーザー (ユーザー番号 {1}) のシンボリックリンクです。リンクを仕掛けられた恐れがあるため、あなたかフォルダーの所有者 (ユーザー番号 {2}) のリンクしかたどりません。", "The target is a symbolic link of another user (user number {1}) in a shared folder that everyone may write to (sticky). Such a link may have been planted, so only links of your own or of the folder's owner (user number {2}) are followed."},
    {Reason::WriteLinkDangling, "シンボリックリンクの指す先 {1} がありません。リンクの先を作るか、別のファイル名を指定してください。", "The target is a symbolic link to {1}, which does not exist. Create the file it points to or give another name."},
    {Reason::WriteLinkLoop, "シンボリックリンクがループしていて、たどっても終わりません ({1})。", "The target is a symbolic link that leads round in a loop ({1})."},
    {Reason::ReplaceFileQuestion, "{1} は既にあります。置き換えますか。", "{1} already exists. Replace it?"},
    {Reason::ExportResultsCsvTitle, "計算結果を CSV で書き出す", "Export results as CSV"},
    {Reason::ResultsCsvFilter, "計算結果 (*.csv)", "Results (*.csv)"},
    {Reason::SavedTo, "計算されたプロファイルデータを保存しました\n{1}", "The calculated profile data has been saved\n{1}"},
    {Reason::MeasurementFileTooDeep, "{1}で [ ] や { } の入れ子が {2} 段を超えています。測定ファイルの入れ子はこれほど深くなりません", "Brackets [ ] or { } nested more than {2} levels deep at {1}; a measurement file never nests that deep"},
    {Reason::MeasurementFileTooLargeToSave, "測定ファイルが {1} バイトになり、読み込める大きさ ({2} バイト) を超えるため保存しません。スペクトルの点数を減らしてください", "The measurement file would hold {1} bytes, more than can be read back ({2} bytes), so it is not saved. Use a spectrum with fewer entries"},
    {Reason::JsonArrayKind, "配列 ([ ... ])", "an array ([ ... ])"},
    {Reason::JsonObjectKind, "オブジェクト ({ ... })", "an object ({ ... })"},
    {Reason::ReadingTooLong, "{1}測定値「{2}」が長すぎます。測定値は {3} 文字までです", "Reading \"{2}\"{1} is too long: a reading holds at most {3} characters"},
    {Reason::SpectrumWeightsOverflow, "スペクトルの値の合計が大きすぎて扱えません。値をもっと小さな単位で書いてください", "The sum of the spectrum's values is too large to handle. Write the values in a smaller unit"},
    {Reason::OutputsSameFile, "{1} と {2} が同じファイル {3} を指しています。出力ごとに別のファイル名を指定してください", "{1} and {2} name the same file {3}. Give each output a file of its own"},
    {Reason::OutputsWritten, "\n書き込んだ出力: {1}", "\nOutputs written: {1}"},
    {Reason::OutputsNotWritten, "\n書き込まなかった出力: {1}", "\nOutputs not written: {1}"},
    {Reason::NumberBoxInvalid, "{1}「{2}」は数値ではありません。数値を 1 つだけ、単位を付けずに入力してください。", "The {1} \"{2}\" is not a number. Enter a single number, without a unit."},
    {Reason::NumberBoxEmpty, "{1}が入力されていません。", "The {1} is empty."},
    {Reason::DistanceBoxName, "焦点-回転中心間距離", "focus–axis distance"},
    {Reason::PointNumberBoxName, "測定点 No.", "point No."},
    {Reason::OffCentreBoxName, "off center (cm)", "off-centre distance"},
    {Reason::PointCountInvalid, "測定ポイント数「{1}」は、1 ～ {2} の整数で入力してください。", "The number of points \"{1}\" must be a whole number from 1 to {2}."},
    {Reason::NonPositiveReading, "{1} cm の測定値が 0 以下です。プロファイルが負になることがあります。読み値を確認してください。", "The reading at {1} cm is 0 or less, which can make the profile negative. Check the reading."},
    {Reason::DropPositionsQuestion, "測定ポイント数を {1} にすると、{2} cm の測定値が消えます。消してよいですか。", "With {1} points, the readings at {2} cm are dropped. Drop them?"},
    {Reason::YesChoice, "はい", "Yes"},
    {Reason::NoChoice, "いいえ", "No"},
    {Reason::ConditionOutsideRange, "「{1}」は {2} 以上 {3} 以下の値にしてください。", "\"{1}\" must be from {2} to {3}."},
    {Reason::ConditionOutsideRangeAbove, "「{1}」は {2} より大きく {3} 以下の値にしてください。", "\"{1}\" must be more than {2} and at most {3}."},
    {Reason::ReportBaselineFileLabel, "基準の測定ファイル", "Baseline file"},
    {Reason::ReportBaselineMeasuredLabel, "基準の測定日", "Baseline measured on"},
    {Reason::ReportNonPositiveReadings, "0 以下の測定値があります (位置 {1} cm)。測定値を確認してください。", "Some readings are 0 or less (at {1} cm). Check the readings."},
    {Reason::GraphLegendMeasurement, "この測定", "This measurement"},
    {Reason::GraphLegendBaseline, "基準", "Baseline"},
    {Reason::GraphLegendFlagged, "判定: 外れ", "Verdict: deviates"},
    {Reason::ExportGraphTitle, "グラフを PNG 画像で保存", "Save graph as PNG image"},
    {Reason::GraphPngFilter, "PNG 画像 (*.png)", "PNG images (*.png)"},
    {Reason::GraphSaved, "グラフを保存しました。\n{1}", "The graph has been saved.\n{1}"},
    {Reason::SystemErrorNoEntry, "ファイルまたはフォルダーが見つかりません", "No such file or folder"},
    {Reason::SystemErrorAccessDenied, "アクセス権がありません", "Permission denied"},
    {Reason::SystemErrorNotPermitted, "この操作は許可されていません", "Operation not permitted"},
    {Reason::SystemErrorDiskFull, "ディスクの空き容量が足りません", "No space left on the disk"},
    {Reason::SystemErrorQuotaExceeded, "ディスク使用量の上限 (クォータ) を超えています", "Disk quota exceeded"},
    {Reason::SystemErrorReadOnly, "読み取り専用のディスクには書き込めません", "The disk is read-only"},
    {Reason::SystemErrorIsFolder, "ファイルではなくフォルダーです", "It is a folder, not a file"},
    {Reason::SystemErrorNotFolder, "パスの途中にフォルダーではないものがあります", "A part of the path is not a folder"},
    {Reason::SystemErrorExists, "同じ名前のファイルがすでにあります", "A file of that name already exists"},
    {Reason::SystemErrorNameTooLong, "ファイル名が長すぎます", "The file name is too long"},
    {Reason::SystemErrorLinkLoop, "シンボリックリンクが多すぎるか、ループしています", "Too many symbolic links, or a loop of links"},
    {Reason::SystemErrorInputOutput, "ディスクの読み書き中にエラーが起きました (入出力エラー)", "Input/output error while reading or writing the disk"},
    {Reason::SystemErrorBusy, "ファイルまたは装置が使用中です", "The file or device is busy"},
    {Reason::SystemErrorProgramRunning, "実行中のプログラムのファイルなので書き換えられません", "The file belongs to a running program and cannot be changed"},
    {Reason::SystemErrorTooManyOpen, "開いているファイルが多すぎます", "Too many open files"},
    {Reason::SystemErrorFileTooLarge, "ファイルが大きすぎて扱えません", "The file is too large for the system"},
    {Reason::SystemErrorAcrossDevices, "別のディスク (ファイルシステム) をまたいでは移動できません", "Cannot move between different disks (file systems)"},
    {Reason::SystemErrorTryAgain, "一時的に使用できません。しばらくしてからもう一度試してください", "Temporarily unavailable; try again in a moment"},
    {Reason::SystemErrorOther, "システムエラー (番号 {1})", "System error {1}"},
    {Reason::WriteOldCopyFailed, "書き込みが中断されても元に戻せるよう古い内容の控えを {1} に作ろうとしましたが、作れませんでした ({2})。ファイルは変更していません", "A copy of the old contents, kept so that an interrupted write can be undone, could not be made at {1} ({2}); the file is unchanged"},
    {Reason::WriteFileLocked, "別のプログラムがこのファイルに書き込み中です。しばらくしてからもう一度保存してください", "Another program is writing this file; save again in a moment"},
    {Reason::ReadingCellNotANumber, "位置 {1} cm の {2} 回目の読み値「{3}」は数値ではありません。1 つのセルには数値を 1 つだけ入力してください。何も変更していません。", "Reading {2} at position {1} cm, \"{3}\", is not a number. Enter one number per cell. Nothing was changed."},
    {Reason::ReadingCellOutOfRange, "位置 {1} cm の {2} 回目の読み値が大きすぎて扱えません。正しい値を入力してください。何も変更していません。", "Reading {2} at position {1} cm is too large to handle. Enter a correct value. Nothing was changed."},
    {Reason::PastedRowsDoNotFit, "貼り付ける値は {1} 行ありますが、位置 {2} cm から最後の位置 {4} cm までに入るのは {3} 行です。何も変更していません。", "The pasted values have {1} rows, but only {3} fit from position {2} cm to the last position, {4} cm. Nothing was changed."},
    {Reason::TooManyReadingsAtPosition, "位置 {1} cm の読み値が {2} 個を超えます。1 つの位置に入る読み値は {2} 個までです。何も変更していません。", "Position {1} cm would get more than {2} readings; a position takes at most {2}. Nothing was changed."},
    {Reason::NonPositiveReadingCell, "0 以下の読み値です。このまま変換できますが、プロファイルが負になることがあります。値を確かめてください。", "This reading is 0 or less. It converts as it is, but the profile may turn negative. Check the value."},
    {Reason::ReadingsTableNeedsSetup, "読み値の表は、測定ポイント数を入力して OK を押してから開けます。", "The readings table opens once the number of points is entered and confirmed with OK."},
    {Reason::FileNameNotUtf8, "ファイル名が UTF-8 の文字として読めません (壊れた文字が含まれています)", "The file name is not valid UTF-8 (it holds broken characters)"},
    {Reason::SystemErrorInvalidName, "ファイル名に使えない文字 (< > : \" | ? * など) が含まれているか、名前の形が正しくありません", "The file name holds a character that names cannot have (< > : \" | ? * and the like), or is not a valid name"},
    {Reason::ReportUnavailable, "このビルドは Qt なしで作られているため、--report (レポートの PDF) は使えません。", "This build was made without Qt, so --report (PDF report) is not available."},
    {Reason::ReportOptionUnavailableHelp, "1 ページのレポートを PDF で保存する (Qt 付きのビルドのみ)", "Save the one-page report as a PDF (builds with Qt only)"},
    {Reason::CommentNotEntered, "コメントが入力されていません。CSV ファイルの 1 行目になるコメントを入力してください。", "No comment has been entered. Enter the comment for the first line of the CSV file."},
};
// clang-format on

// Set once at start-up, read by whichever thread builds a message.
std::atomic<Language> shownLanguage{Language::Japanese};

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

std::optional<Language> LanguageNamed(std::string_view code) {
    if (code == "ja") {
        return Language::Japanese;
    }
    if (code == "en") {
        return Language::English;
    }
    return std::nullopt;
}

std::string_view LanguageCode(Language language) {
    return language == Language::English ? "en" : "ja";
}

void SetMessageLanguage(Language language) {
    shownLanguage.store(language, std::memory_order_relaxed);
}

Language MessageLanguage() {
    return shownLanguage.load(std::memory_order_relaxed);
}

std::string_view MessageText(Reason reason, Language language) {
    const bool english = language == Language::English;
    const auto index = static_cast<std::size_t>(reason);
    if (index < std::size(kCatalogue) && kCatalogue[index].reason == reason) {
        return english ? kCatalogue[index].english : kCatalogue[index].japanese;
    }
    for (const CatalogueEntry& entry : kCatalogue) {
        if (entry.reason == reason) {
            return english ? entry.english : entry.japanese;
        }
    }
    return english ? "The operation could not be completed." : "処理できませんでした。";
}

std::string_view MessageText(Reason reason) {
    return MessageText(reason, MessageLanguage());
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
