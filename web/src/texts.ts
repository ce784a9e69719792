// The page's own texts, Japanese and English. Every refusal, notice, list line and results heading comes from
// the core in the chosen language; only the labels and buttons of the page itself are here.
export type Language = 'ja' | 'en';

const japanese = {
    title: 'Tessaroven — ファン方向線量プロファイル',
    version: 'バージョン {1}',
    browsers: '対応ブラウザ: Chrome / Edge 109 以降、Firefox ESR 115 以降。ネットワークは使いません。',
    languageSwitch: 'English',
    languageSwitchLabel: '表示言語を英語に切り替える',
    measurement: '測定',
    distance: '焦点-回転中心間距離 (cm)',
    positions: '測定ポイント数',
    comment: 'コメント',
    readings: '読み値',
    readingsHint: '繰り返しは「100.2; 100.0; 99.9」のように ; で区切ります。Enter で次の位置へ。表計算ソフトの列を貼り付けると下へ埋まります。',
    position: '位置',
    positionCell: '{1} cm',
    readingCell: '位置 {1} cm の読み値',
    convert: '変換計算',
    file: 'ファイル',
    open: '測定ファイルを開く',
    saveMeasurement: '測定ファイルを保存',
    downloadCsv: '計算結果 CSV を保存',
    resultList: '計算結果',
    resultsTable: '結果の表',
    model: '変換モデル: {1}',
    noResults: '変換計算の結果はまだありません。',
    opened: '「{1}」を開きました。',
    graph: 'グラフ',
    graphTitle: '位置に対する相対値 (%)',
    graphPlain: '{1} 位置の相対値の折れ線。数値は結果の表にあります。',
    graphWithBars: '{1} 位置の相対値の折れ線と拡張不確かさ (k=2) のエラーバー。数値は結果の表にあります。',
    graphFlagged: '基準の破線と、許容差を外れた {1} 位置の青い輪。',
    print: 'レポートを印刷',
    baseline: '基準と比較',
    openBaseline: '基準にする測定ファイルを開く',
    removeBaseline: '基準を外す',
    noBaseline: '基準はありません。',
    baselineShown: '基準: {1}',
    tolerance: '許容差 (% ポイント)',
};

const english: typeof japanese = {
    title: 'Tessaroven — fan-direction dose profile',
    version: 'Version {1}',
    browsers: 'Supported browsers: Chrome / Edge 109 and later, Firefox ESR 115 and later. No network is used.',
    languageSwitch: '日本語',
    languageSwitchLabel: 'Switch the display language to Japanese',
    measurement: 'Measurement',
    distance: 'Focus–axis distance (cm)',
    positions: 'Number of points',
    comment: 'Comment',
    readings: 'Readings',
    readingsHint: 'Separate repeats with ;, as in "100.2; 100.0; 99.9". Enter moves to the next position. Pasting a column from a spreadsheet fills downwards.',
    position: 'Position',
    positionCell: '{1} cm',
    readingCell: 'Reading at {1} cm',
    convert: 'Convert',
    file: 'File',
    open: 'Open a measurement file',
    saveMeasurement: 'Save the measurement file',
    downloadCsv: 'Save the results as CSV',
    resultList: 'Results',
    resultsTable: 'Results table',
    model: 'Conversion model: {1}',
    noResults: 'No conversion results yet.',
    opened: 'Opened "{1}".',
    graph: 'Graph',
    graphTitle: 'Relative value (%) against position',
    graphPlain: 'Line of the relative values at {1} positions. The numbers are in the results table.',
    graphWithBars: 'Line of the relative values at {1} positions with error bars of the expanded uncertainty (k=2). The numbers are in the results table.',
    graphFlagged: 'The baseline as a dashed line, and blue rings round the {1} positions outside the tolerance.',
    print: 'Print the report',
    baseline: 'Compare with a baseline',
    openBaseline: 'Open a measurement file as baseline',
    removeBaseline: 'Remove the baseline',
    noBaseline: 'No baseline.',
    baselineShown: 'Baseline: {1}',
    tolerance: 'Tolerance (percentage points)',
};

export type TextName = keyof typeof japanese;

const tables: Record<Language, typeof japanese> = { ja: japanese, en: english };

// The text called name, with {1}, {2}, ... filled in.
export function text(language: Language, name: TextName, ...details: string[]): string {
    return tables[language][name].replace(/\{(\d)\}/g, (_, n: string) => details[Number(n) - 1] ?? '');
}
