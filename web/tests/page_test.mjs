// The page in real browsers (Debian's Chromium, and Firefox ESR over WebDriver BiDi): the worked example
// typed and pasted gives the native converter's list and CSV bytes, the saved measurement file is the
// converter's, a refused cell shows the core's message there, the isotropic model, the conditions, the
// spectrum's files and a restored draft give the converter's files, no violation axe-core can find, and not
// one request beyond file:, data: and blob:; with a baseline the converter's verdicts, in the table and the
// graph, and a print view of one A4 page. Prints the page's size, its open-to-ready time and the time of one
// conversion of 31 positions.
// Usage: node page_test.mjs PAGE.html NATIVE_CONVERTER [chromium|firefox ...]
import { execFileSync, spawnSync } from 'node:child_process';
import { copyFileSync, mkdtempSync, readFileSync, statSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { basename, join, resolve } from 'node:path';
import { pathToFileURL } from 'node:url';
import assert from 'node:assert/strict';
import puppeteer from 'puppeteer-core';

const [pagePath, converter, ...browsers] = process.argv.slice(2);
const pageUrl = pathToFileURL(resolve(pagePath)).href;
const repository = resolve(import.meta.dirname, '../..');
const axeSource = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
const example = JSON.parse(readFileSync(join(repository, 'examples/worked-example.tessaroven.json'), 'utf8'));

function convert(args) {
    return execFileSync(converter, args);
}
const exampleArgs = ['--measurement', join(repository, 'examples/worked-example.tessaroven.json')];
const scratch = mkdtempSync(join(tmpdir(), 'tessaroven-web-'));
const expected = {
    list: convert([...exampleArgs, '--list']).toString('utf8'),
    csv: (convert([...exampleArgs, '--output', join(scratch, 'm.csv')]), readFileSync(join(scratch, 'm.csv'))),
    measurement: (convert([...exampleArgs, '--save-measurement', join(scratch, 'm.json')]),
        readFileSync(join(scratch, 'm.json'))),
};
// 31 positions of a smooth fall-off, as a physicist would type them.
const longReadings = Array.from({ length: 31 }, (_, k) => (100 * Math.exp(-k * k / 400)).toFixed(2));
// The same fall-off measured three times (so the uncertainties are known), and a baseline that differs from
// it near the edge of the beam.
const repeated = (scale) => JSON.stringify({ format: 'tessaroven-measurement', version: 1, distance_cm: 57,
    comment: 'QC', readings: longReadings.map((r, k) => [0.998, 1, 1.003].map((f) => +(r * f * scale(k)).toFixed(3))) });
const measured31 = join(scratch, 'measured31.tessaroven.json');
const baseline31 = join(scratch, 'baseline31.tessaroven.json');
writeFileSync(measured31, repeated(() => 1));
writeFileSync(baseline31, repeated((k) => (k === 6 || k === 7 ? 1.12 : 1)));

const launchers = {
    chromium: () => puppeteer.launch({ executablePath: '/usr/bin/chromium', headless: true,
        args: ['--no-sandbox', '--disable-gpu'] }),
    firefox: () => puppeteer.launch({ browser: 'firefox', executablePath: '/usr/bin/firefox-esr', headless: true }),
};

async function openPage(browser, name) {
    const page = await browser.newPage();
    const requests = [];
    await page.setRequestInterception(true);
    page.on('request', (request) => {
        if (/^(file|data|blob):/.test(request.url())) {
            void request.continue();
        } else {
            requests.push(request.url());
            void request.abort();
        }
    });
    page.on('pageerror', (error) => requests.push(`page error: ${error.message}`));
    // Leaving with unsaved work asks (beforeunload); the page asks nothing else of the browser.
    const questions = [];
    page.on('dialog', (dialog) => void (questions.push(dialog.type()), dialog.accept()));
    await page.exposeFunction('reportBlocked', (address) => requests.push(`blocked by the page: ${address}`));
    // Every download's bytes, from the Blob the page hands to the browser; and what the page's own
    // Content-Security-Policy stops before it becomes a request.
    await page.evaluateOnNewDocument(() => {
        window.downloads = [];
        document.addEventListener('securitypolicyviolation', (event) => window.reportBlocked(event.blockedURI));
        const create = URL.createObjectURL;
        URL.createObjectURL = (blob) => (window.downloads.push(blob), create(blob));
    });
    await page.setViewport({ width: 1280, height: 900 });
    await page.goto(pageUrl);
    await page.waitForSelector('body[data-ready]', { timeout: 10_000 });
    const readyMs = await page.evaluate(() => performance.getEntriesByName('tessaroven-ready')[0].startTime);
    return { page, requests, readyMs, questions };
}

async function lastDownload(page, click) {
    await (typeof click === 'string' ? page.click(click) : click());
    return Buffer.from(await page.evaluate(async () =>
        Array.from(new Uint8Array(await window.downloads.at(-1).arrayBuffer()))));
}

async function fill(page, testid, value) {
    await page.$eval(`[data-testid="${testid}"]`, (input) => input.select());
    await page.keyboard.press('Backspace');
    await page.type(`[data-testid="${testid}"]`, value);
}

async function pasteColumn(page, testid, text) {
    await page.$eval(`[data-testid="${testid}"]`, (input, pasted) => {
        const data = new DataTransfer();
        data.setData('text/plain', pasted);
        input.dispatchEvent(new ClipboardEvent('paste', { clipboardData: data, bubbles: true, cancelable: true }));
    }, text);
}

// The model, a refused and typed conditions, the spectrum's files, and the draft kept over a reload: each
// file is the converter's for a measurement file with the same values.
async function inputsAndDraft(page) {
    const list = () => page.$eval('[data-testid="list"]', (shown) => shown.textContent);
    const spectrum = join(repository, 'tests/data/egsnrc/201110_HVLDyn_spec_100kV_body.spectrum');
    await page.evaluate(() => localStorage.clear());
    await page.reload();
    await page.waitForSelector('body[data-ready]');
    // A file that is no measurement file is refused under the name the user gave it.
    await (await page.$('[data-testid="file-input"]')).uploadFile(spectrum);
    await page.waitForFunction((name) => document.getElementById('file-message').textContent.includes(name), {},
        basename(spectrum));
    await page.evaluate((text) => {
        const data = new DataTransfer();
        data.items.add(new File([text], 'dropped.tessaroven.json'));
        document.body.dispatchEvent(new DragEvent('drop', { dataTransfer: data, bubbles: true, cancelable: true }));
    }, readFileSync(exampleArgs[1], 'utf8'));
    await page.waitForFunction(() => document.querySelector('[data-testid="reading-4"]')?.value !== '');
    await page.click('[data-testid="model-isotropic"]');
    await page.click('[data-testid="convert"]');
    assert.equal(await list(), convert([...exampleArgs, '--model', 'isotropic', '--list']).toString('utf8'));
    convert([...exampleArgs, '--model', 'isotropic', '--profile', join(scratch, 'plain.csv')]);
    assert.deepEqual(await lastDownload(page, '[data-testid="download-profile"]'), readFileSync(join(scratch, 'plain.csv')));

    await page.click('#conditions summary');
    await fill(page, 'condition-tubeVoltage', '200');
    await page.click('[data-testid="convert"]');
    assert.match(await page.$eval('[data-testid="condition-tubeVoltage-message"]', (shown) => shown.textContent), /150/);
    assert.equal(await page.evaluate(() => document.activeElement.dataset.testid), 'condition-tubeVoltage');
    assert.equal(await list(), '');
    await fill(page, 'condition-tubeVoltage', '１２０');
    await fill(page, 'condition-measuredOn', '2026/1/2');
    await fill(page, 'condition-repeatability', '0.5');
    await (await page.$('[data-testid="spectrum-input"]')).uploadFile(spectrum);
    await page.waitForFunction(() => !document.querySelector('[data-testid="spectrum-remove"]').disabled);
    await page.click('[data-testid="convert"]');
    writeFileSync(join(scratch, 'typed.json'), JSON.stringify({ ...example, version: 2, model: 'isotropic',
        reading_repeatability_percent: 0.5, conditions: { tube_voltage_kv: 120, measured_on: '2026-01-02' } }));
    const names = ['profile.csv', 'bowtie.txt', 'egsnrc_distribution.dat', 'egsnrc_bowtie.dat', 'saved.json'];
    // The measurement keeps the spectrum file's name as given: the page has the name without its folder.
    copyFileSync(spectrum, join(scratch, basename(spectrum)));
    execFileSync(resolve(converter), ['--measurement', 'typed.json', '--spectrum', basename(spectrum), '--profile', names[0],
        '--xcist', names[1], '--egsnrc', 'egsnrc', '--save-measurement', names[4]], { cwd: scratch });
    const expectedFiles = names.map((file) => readFileSync(join(scratch, file)));
    for (const [k, button] of ['profile', 'xcist', 'egsnrc', 'egsnrc-bowtie'].entries()) {
        assert.deepEqual(await lastDownload(page, `[data-testid="download-${button}"]`), expectedFiles[k], button);
    }

    // The draft after a reload: restored, it gives the same file; discarded, it is gone.
    await new Promise((done) => setTimeout(done, 1000));
    await page.reload();
    await page.waitForSelector('[data-testid="draft-banner"]:not([hidden])');
    await page.click('[data-testid="draft-restore"]');
    assert.deepEqual(await lastDownload(page, '[data-testid="download-measurement"]'), expectedFiles[4]);
    await fill(page, 'comment', 'draft');
    await new Promise((done) => setTimeout(done, 1000));
    await page.reload();
    await page.waitForSelector('body[data-ready]');
    await page.click('[data-testid="draft-discard"]');
    assert.equal(await page.evaluate(() => localStorage.getItem('tessaroven.draft.v1')), null);
}

// Typed work is replaced only after the question: Esc keeps it, 保存しない replaces it. Ctrl+S saves (the
// converter's bytes), after which a new measurement asks nothing and empties the table.
async function unsavedWork(page) {
    await fill(page, 'comment', 'typed');
    for (const answer of ['Escape', '[data-testid="confirm-discard"]']) {
        await (await page.$('[data-testid="file-input"]')).uploadFile(exampleArgs[1]);
        await page.waitForFunction(() => document.querySelector('dialog[open]') &&
            document.activeElement.dataset.testid === 'confirm-save');
        assert.match(await page.$eval('dialog', (shown) => shown.textContent), /Save the changes\?/);
        await (answer === 'Escape' ? page.keyboard.press(answer) : page.click(answer));
        await page.waitForSelector('dialog:not([open])');
        await page.waitForFunction((kept) => document.getElementById('file-message').textContent !== '' &&
            document.getElementById('comment').value === kept, {}, answer === 'Escape' ? 'typed' : example.comment);
    }
    await page.keyboard.down('Control');
    assert.deepEqual(await lastDownload(page, () => page.keyboard.press('s')), expected.measurement, 'Ctrl+S');
    await page.keyboard.up('Control');
    await page.click('[data-testid="new-measurement"]');
    assert.equal(await count(page, '[data-testid^="reading-"]'), 0);
}

async function axeViolations(page) {
    await page.addScriptTag({ content: axeSource });
    const violations = await page.evaluate(async () => (await window.axe.run()).violations);
    return violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`);
}

const count = (page, selector) => page.$$eval(selector, (found) => found.length);

// The comparison with a baseline gives the converter's verdicts (its --baseline profile table's flags and its
// summary), the graph a marker per position, an error bar where the uncertainty is known and a ring per
// flagged position; printing gives one A4 page.
async function compareAndPrint(page, name) {
    await (await page.$('[data-testid="file-input"]')).uploadFile(measured31);
    await page.waitForFunction(() => document.querySelector('[data-testid="reading-30"]')?.value !== '');
    await page.click('[data-testid="convert"]');
    await (await page.$('[data-testid="baseline-input"]')).uploadFile(baseline31);
    await page.waitForFunction(() => !document.querySelector('[data-testid="baseline-remove"]').disabled);
    assert.equal(await page.$eval('[data-testid="list"]', (list) => list.textContent), '', 'cleared by the baseline');
    await fill(page, 'tolerance', '２');
    await page.click('[data-testid="convert"]');
    const language = await page.evaluate(() => document.documentElement.lang);
    const run = spawnSync(converter, ['--lang', language, '--measurement', measured31, '--baseline', baseline31,
        '--tolerance', '2', '--profile', '-'], { encoding: 'utf8' });
    const rows = run.stdout.trim().split('\n').slice(2).map((line) => line.split(','));
    const flagged = rows.map((cells) => cells.at(-1) === '1');
    assert.deepEqual(await page.$$eval('[data-testid^="result-row-"]', (found) =>
        found.map((row) => row.classList.contains('flagged'))), flagged);
    assert.ok(flagged.includes(true) && flagged.includes(false), 'the baseline deviates in part');
    assert.equal(await page.$eval('[data-testid="comparison"]', (shown) => shown.textContent),
        run.stderr.trim().replace(/^tessaroven-convert: /gm, ''));
    assert.equal(await count(page, '[data-testid="graph"] .marker'), 31);
    assert.equal(await count(page, '[data-testid="graph"] .error-bar'), rows.filter((cells) => +cells[7] > 0).length);
    assert.equal(await count(page, '[data-testid="graph"] .flag-ring'), flagged.filter(Boolean).length);
    assert.deepEqual(await axeViolations(page), [], 'with the graph and the comparison');
    if (name === 'chromium') {
        await page.screenshot({ path: join(scratch, 'comparison.png'), fullPage: true });
    }
    const pdf = join(scratch, `report-${name}.pdf`);
    writeFileSync(pdf, await page.pdf({ format: 'A4', preferCSSPageSize: true }));
    assert.match(execFileSync('pdfinfo', [pdf]).toString(), /^Pages: +1$/m, `${name}: one page`);
    // The page is the report, not a blank or the screen's layout.
    const printed = execFileSync('pdftotext', ['-layout', pdf, '-']).toString().replace(/\s+/g, ' ');
    for (const shown of [await page.$eval('[data-testid="comparison"]', (p) => p.textContent),
        await page.$eval('#report tbody tr:last-child', (row) => [...row.cells].map((c) => c.textContent).join(' '))]) {
        assert.ok(printed.includes(shown.replace(/\s+/g, ' ')), `${name}: the report holds ${shown}`);
    }
    execFileSync('pdftoppm', ['-r', '50', '-png', pdf, pdf.replace(/\.pdf$/, '')]);

    await page.click('[data-testid="baseline-remove"]');
    await page.click('[data-testid="convert"]');
    assert.equal(await count(page, '[data-testid="graph"] .flag-ring'), 0);
    assert.equal(await page.$eval('[data-testid="comparison"]', (shown) => shown.textContent), '');
}

async function run(name) {
    const browser = await launchers[name]();
    try {
        const { page, requests, readyMs, questions } = await openPage(browser, name);
        // The worked example typed (the first reading with full-width digits, Enter moving down), then pasted
        // as a spreadsheet's column with CR LF.
        const texts = example.readings.map((repeats) => repeats.join('; '));
        const fullWidth = texts[0].replace(/[0-9.]/g, (c) => String.fromCharCode(c.charCodeAt(0) + 0xfee0));
        await fill(page, 'distance', String(example.distance_cm));
        await fill(page, 'positions', String(texts.length));
        await fill(page, 'comment', example.comment);
        await page.focus('[data-testid="reading-0"]');
        for (const typed of [fullWidth, ...texts.slice(1)]) {
            await page.keyboard.type(typed);
            await page.keyboard.press('Enter');
        }
        // The arrows move between the cells as in a spreadsheet.
        await page.focus('[data-testid="reading-2"]');
        for (const key of ['ArrowUp', 'ArrowUp', 'ArrowUp', 'ArrowDown']) {  // the first cell keeps the third up
            await page.keyboard.press(key);
        }
        assert.equal(await page.evaluate(() => document.activeElement.dataset.testid), 'reading-1');
        for (const entry of ['typed', 'pasted']) {
            if (entry === 'pasted') {
                await pasteColumn(page, 'reading-0', texts.join('\r\n') + '\r\n');
            }
            await page.click('[data-testid="convert"]');
            assert.equal(await page.$eval('[data-testid="list"]', (list) => list.textContent), expected.list, entry);
            assert.deepEqual(await lastDownload(page, '[data-testid="download-csv"]'), expected.csv, entry);
            assert.equal((await page.$$('[data-testid^="result-row-"]')).length, texts.length, entry);
            assert.equal(await count(page, '[data-testid="graph"] .marker'), texts.length, entry);
            assert.equal(await count(page, '[data-testid="graph"] .error-bar'), 0, 'no uncertainty, no bars');
        }
        assert.deepEqual(await lastDownload(page, '[data-testid="download-measurement"]'), expected.measurement);

        // A distance the focus cannot turn at, and an empty comment, are refused at their boxes in words that
        // name neither the file's keys nor the converter's options.
        for (const [box, typed] of [['distance', '0'], ['distance', '4.9'], ['comment', '']]) {
            await fill(page, box, typed);
            await page.click('[data-testid="convert"]');
            assert.match(await page.$eval(`#${box}-message`, (shown) => shown.textContent), /^(?!.*(--|_cm)).+ください。$/);
        }
        await fill(page, 'distance', String(example.distance_cm));
        await fill(page, 'comment', example.comment);
        // A refused cell keeps the keyboard and shows the core's message there; the results are gone.
        await fill(page, 'reading-1', '9S');
        await page.keyboard.press('Enter');
        const refusal = () => page.$eval('[data-testid="reading-1-message"]', (shown) => shown.textContent);
        assert.match(await refusal(), /9S/);
        assert.equal(await page.evaluate(() => document.activeElement.dataset.testid), 'reading-1');
        assert.equal(await page.$eval('[data-testid="list"]', (list) => list.textContent), '');
        assert.equal(await page.$eval('[data-testid="download-csv"]', (button) => button.disabled), true);
        const japanese = await refusal();
        await page.click('#language');
        assert.notEqual(await refusal(), japanese, 'the message follows the language');

        await page.$$eval('details', (folded) => folded.forEach((details) => { details.open = true; }));
        assert.deepEqual(await axeViolations(page), []);

        // The language is kept: a reload opens in English. The unsaved '9S' is asked about.
        await page.reload();
        await page.waitForSelector('body[data-ready]');
        assert.deepEqual(questions.splice(0), ['beforeunload']);
        assert.equal(await page.evaluate(() => document.documentElement.lang), 'en');

        // An opened measurement file fills the fields and converts as the converter does.
        await (await page.$('[data-testid="file-input"]')).uploadFile(exampleArgs[1]);
        await page.waitForFunction(() => document.querySelector('[data-testid="reading-4"]')?.value !== '');
        assert.equal(await page.$eval('[data-testid="comment"]', (input) => input.value), example.comment);
        await page.click('[data-testid="convert"]');
        assert.equal(await page.$eval('[data-testid="list"]', (list) => list.textContent), expected.list, 'opened');
        await unsavedWork(page);

        // 31 positions typed, then one conversion timed; the list is the converter's for the same readings.
        await fill(page, 'positions', '31');
        for (const [k, reading] of longReadings.entries()) {
            await fill(page, `reading-${k}`, reading);
        }
        const convertMs = await page.evaluate(() => {
            const start = performance.now();
            document.querySelector('[data-testid="convert"]').click();
            return performance.now() - start;
        });
        assert.equal(await page.$eval('[data-testid="list"]', (list) => list.textContent),
            convert(['--list', ...longReadings]).toString('utf8'));
        await inputsAndDraft(page);
        if (name === 'chromium') {
            await page.screenshot({ path: join(scratch, 'page.png') });
        }
        await compareAndPrint(page, name);
        assert.deepEqual(requests, [], 'requests beyond file:, data: and blob:');
        assert.ok(questions.every((type) => type === 'beforeunload'), questions.join());
        console.log(`${name}: ready ${readyMs.toFixed(0)} ms, convert of 31 positions ${convertMs.toFixed(1)} ms`);
    } finally {
        await browser.close();
    }
}

console.log(`${pagePath}: ${statSync(pagePath).size} bytes; screenshot in ${scratch}`);
for (const name of browsers.length ? browsers : ['chromium', 'firefox']) {
    await run(name);
}
