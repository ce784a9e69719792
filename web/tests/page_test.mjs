// The page in real browsers (Debian's Chromium, and Firefox ESR over WebDriver BiDi): the worked example
// typed and pasted gives the native converter's list and CSV bytes, the saved measurement file is the
// converter's, a refused cell shows the core's message there, the isotropic model, the conditions, the
// spectrum's files and a restored draft give the converter's files, no violation axe-core can find, and not
// one request beyond file:, data: and blob:. Prints the page's size, its open-to-ready time and the time of one
// conversion of 31 positions.
// Usage: node page_test.mjs PAGE.html NATIVE_CONVERTER [chromium|firefox ...]
import { execFileSync } from 'node:child_process';
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
    return { page, requests, readyMs, name };
}

async function lastDownload(page, click) {
    await page.click(click);
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

async function run(name) {
    const browser = await launchers[name]();
    try {
        const { page, requests, readyMs } = await openPage(browser, name);
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
        for (const entry of ['typed', 'pasted']) {
            if (entry === 'pasted') {
                await pasteColumn(page, 'reading-0', texts.join('\r\n') + '\r\n');
            }
            await page.click('[data-testid="convert"]');
            assert.equal(await page.$eval('[data-testid="list"]', (list) => list.textContent), expected.list, entry);
            assert.deepEqual(await lastDownload(page, '[data-testid="download-csv"]'), expected.csv, entry);
            assert.equal((await page.$$('[data-testid^="result-row-"]')).length, texts.length, entry);
        }
        assert.deepEqual(await lastDownload(page, '[data-testid="download-measurement"]'), expected.measurement);

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
        await page.addScriptTag({ content: axeSource });
        const violations = await page.evaluate(async () => (await window.axe.run()).violations);
        assert.deepEqual(violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`), []);

        // The language is kept: a reload opens in English.
        await page.reload();
        await page.waitForSelector('body[data-ready]');
        assert.equal(await page.evaluate(() => document.documentElement.lang), 'en');

        // An opened measurement file fills the fields and converts as the converter does.
        await (await page.$('[data-testid="file-input"]')).uploadFile(exampleArgs[1]);
        await page.waitForFunction(() => document.querySelector('[data-testid="reading-4"]')?.value !== '');
        assert.equal(await page.$eval('[data-testid="comment"]', (input) => input.value), example.comment);
        await page.click('[data-testid="convert"]');
        assert.equal(await page.$eval('[data-testid="list"]', (list) => list.textContent), expected.list, 'opened');

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
        assert.deepEqual(requests, [], 'requests beyond file:, data: and blob:');
        console.log(`${name}: ready ${readyMs.toFixed(0)} ms, convert of 31 positions ${convertMs.toFixed(1)} ms`);
    } finally {
        await browser.close();
    }
}

console.log(`${pagePath}: ${statSync(pagePath).size} bytes; screenshot in ${scratch}`);
for (const name of browsers.length ? browsers : ['chromium', 'firefox']) {
    await run(name);
}
