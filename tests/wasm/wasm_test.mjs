// The WebAssembly converter and core against the native converter: the worked example and 100 random
// measurements through both converters, every output byte for byte, and the core's JavaScript API on the
// worked example; then the module's size and the time of one conversion. Run by scripts/wasm.sh:
//   node tests/wasm/wasm_test.mjs BUILD_DIR NATIVE_CONVERTER
import { spawnSync } from 'child_process';
import fs from 'fs';
import os from 'os';
import path from 'path';
import { fileURLToPath, pathToFileURL } from 'url';

const buildDir = process.argv[2];
const native = path.resolve(process.argv[3]);
const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const converter = path.resolve(buildDir, 'src/cli/tessaroven-convert.mjs');
const coreFile = path.resolve(buildDir, 'src/wasm/tessaroven-core.mjs');
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'tessaroven-wasm-'));
let passed = 0;
let failed = 0;

function check(condition, what) {
    if (condition) {
        ++passed;
    } else {
        ++failed;
        console.error('FAILED: ' + what);
    }
}

// Runs one converter in its own folder (each run writes its files there) and collects what it wrote.
function run(program, folder, args, input, files) {
    fs.rmSync(folder, { recursive: true, force: true });
    fs.mkdirSync(folder, { recursive: true });
    for (const [name, bytes] of Object.entries(files)) {
        fs.writeFileSync(path.join(folder, name), bytes);
    }
    const command = program === native ? [native, args] : [process.execPath, [converter, ...args]];
    const result = spawnSync(command[0], command[1], { cwd: folder, input: input ?? '' });
    const written = {};
    for (const name of fs.readdirSync(folder).sort()) {
        written[name] = fs.readFileSync(path.join(folder, name)).toString('hex');
    }
    return { status: result.status, out: result.stdout.toString('hex'), err: result.stderr.toString(), written };
}

// Where two runs differ: the first output that does, as text from its first differing character.
function difference(expected, actual) {
    const flat = (r) => Object.assign({ status: String(r.status), out: r.out, err: r.err }, r.written);
    const [a, b] = [flat(expected), flat(actual)];
    for (const key of new Set([...Object.keys(a), ...Object.keys(b)])) {
        if (a[key] !== b[key]) {
            const text = (v) => (v === undefined ? '(none)' : /^[0-9a-f]*$/.test(v) && key !== 'status' && key !== 'err'
                                                                  ? Buffer.from(v, 'hex').toString('latin1') : v);
            const [x, y] = [text(a[key]), text(b[key])];
            let at = 0;
            while (at < x.length && x[at] === y[at]) {
                ++at;
            }
            return `${key} differs at ${at}: native ${JSON.stringify(x.slice(at - 20, at + 40))}, ` +
                   `wasm ${JSON.stringify(y.slice(at - 20, at + 40))}`;
        }
    }
    return '';
}

// The same run through both converters: the same status, standard output and error, and files.
function compareRuns(what, args, input, files = {}) {
    const expected = run(native, path.join(work, 'native'), args, input, files);
    const actual = run(converter, path.join(work, 'wasm'), args, input, files);
    check(JSON.stringify(actual) === JSON.stringify(expected), `${what}: ${args.join(' ')}: ${difference(expected, actual)}`);
    return expected;
}

// A small deterministic generator (mulberry32), so every run tests the same measurements.
let seed = 20240611;
function random() {
    seed = (seed + 0x6d2b79f5) | 0;
    let t = Math.imul(seed ^ (seed >>> 15), 1 | seed);
    t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
}
const pick = (list) => list[Math.floor(random() * list.length)];
const decimals = (value, places) => Number(value.toFixed(places));

const comments = ['Comment', 'CT 1, body filter, 120 kV', '胴体用フィルター 120 kV 測定', 'ＣＴ２　頭部', 'x'];
function randomMeasurement(index) {
    const positions = 1 + Math.floor(random() * 31);
    const readings = [];
    let level = 50 + random() * 950;
    for (let k = 0; k < positions; ++k) {
        const repeats = [];
        for (let r = 1 + Math.floor(random() * 3); r > 0; --r) {
            repeats.push(decimals(level * (0.98 + random() * 0.04), Math.floor(random() * 4)));
        }
        readings.push(repeats);
        level *= 0.8 + random() * 0.25;
    }
    const measurement = {
        format: 'tessaroven-measurement',
        version: 1,
        comment: pick(comments) + (index % 7 === 0 ? ` ${index}` : ''),
        distance_cm: decimals(40 + random() * 60, Math.floor(random() * 3)),
        readings,
    };
    if (random() < 0.5) {
        measurement.reading_repeatability_percent = decimals(random() * 2, 2);
        measurement.calibration_uncertainty_percent = decimals(random() * 3, 1);
    }
    return JSON.stringify(measurement, null, 2) + '\n';
}

function randomSpectrum() {
    const lines = [];
    const top = 80 + Math.floor(random() * 70);
    for (let energy = 10 + Math.floor(random() * 10); energy <= top; energy += 1 + Math.floor(random() * 4)) {
        lines.push(`${energy}, ${decimals(random() * 1e5, 3)}`);
    }
    return lines.join('\n') + '\n';
}

// The worked example: from standard input, from its measurement file, and the refusals of the options.
const example = fs.readFileSync(path.join(root, 'examples/worked-example.tessaroven.json'));
const readings5 = fs.readFileSync(path.join(root, 'examples/readings-5.txt'));
compareRuns('readings on standard input', [], readings5);
compareRuns('--list', ['--list'], readings5);
compareRuns('--output', ['--measurement', 'm.json', '--output', 'r.csv'], '', { 'm.json': example });
compareRuns('refused reading', ['--lang', 'en', '12abc'], '');
// Saves as the file system sees them: a new file's permissions, `--output /dev/stdout >> log.csv`, bad links.
const saves = [native, converter].map((program) => {
    const folder = path.join(work, 'saves');
    const start = (args, options) => spawnSync(program === native ? native : process.execPath,
                                               program === native ? args : [converter, ...args], options);
    const mask = process.umask(0o027);
    run(program, folder, ['--output', 'new.csv'], readings5, { 'log.csv': 'kept\r\n' });
    process.umask(mask);
    const log = fs.openSync(path.join(folder, 'log.csv'), 'a');
    start(['--output', '/dev/stdout'], { input: readings5, stdio: ['pipe', log, 'pipe'] });
    fs.symlinkSync('nowhere/new.csv', path.join(folder, 'dangling.csv'));
    fs.symlinkSync('loop.csv', path.join(folder, 'loop.csv'));
    return [fs.statSync(path.join(folder, 'new.csv')).mode, fs.readFileSync(path.join(folder, 'log.csv'), 'latin1'),
            ...['dangling.csv', 'loop.csv'].map((name) => start(['--output', name, '1'], { cwd: folder }).stderr + '')];
});
check(JSON.stringify(saves[1]) === JSON.stringify(saves[0]), `saves: ${JSON.stringify(saves)}`);
// Drawing needs Qt: refused with its reason, as in native builds without Qt, and nothing written.
const drawing = run(converter, path.join(work, 'wasm'), ['--lang', 'en', '--plot', 'g.png', '1', '2'], '', {});
check(drawing.status === 1 && drawing.out === '' && Object.keys(drawing.written).length === 0 &&
          drawing.err.includes('--plot'), `--plot refused: ${JSON.stringify(drawing)}`);
compareRuns('--simulate', ['--simulate', 'p.csv'], '', { 'p.csv': '0, 100\n10, 50\n' });
compareRuns('--model isotropic', ['--model', 'isotropic', '--profile', '-', '100', '90', '70'], '');

// 100 random measurements, every output of a run compared.
for (let i = 0; i < 100; ++i) {
    const files = { 'm.json': randomMeasurement(i) };
    const model = random() < 0.3 ? ['--model', 'isotropic'] : [];
    const args = ['--measurement', 'm.json', ...model, '--output', 'r.csv', '--profile', 't.csv',
                  '--save-measurement', 's.json'];
    if (i % 3 === 0) {
        files['s.txt'] = randomSpectrum();
        args.push('--spectrum', 's.txt', '--xcist', 'x.txt', '--egsnrc', 'e', '--centre-al', '2');
    }
    compareRuns(`measurement ${i}`, args, '', files);
    compareRuns(`measurement ${i} list`, ['--measurement', 'm.json', '--list', ...model], '', files);
    compareRuns(`measurement ${i} list in English`, ['--measurement', 'm.json', '--list', '--lang', 'en'], '',
                files);
}

// The core's API on the worked example, against the native converter's files.
const { default: createTessaroven } = await import(pathToFileURL(coreFile).href);
const core = await createTessaroven();
const nativeList = spawnSync(native, ['--measurement', path.join(root, 'examples/worked-example.tessaroven.json'),
                                      '--list']).stdout.toString();
const converted = core.convert(example.toString(), { lang: 'en' });
check(converted.ok && converted.positions.map((p) => p.resultLine + '\n').join('') === nativeList,
      'convert: the result lines of the native --list');
check(converted.positions[1].relativePercent === 93.6006833732037 ||
          Math.abs(converted.positions[1].relativePercent - 93.601) < 5e-4,
      'convert: the relative value of position 1');
core.putFile('m.json', example);
const api = core.run(['--measurement', 'm.json', '--output', 'r.csv', '--profile', 't.csv'], '');
const nativeFiles = run(native, path.join(work, 'native'),
                        ['--measurement', 'm.json', '--output', 'r.csv', '--profile', 't.csv'], '',
                        { 'm.json': example }).written;
check(api.status === 0 && Buffer.from(core.readFile('r.csv')).toString('hex') === nativeFiles['r.csv'],
      'run: the CSV bytes');
check(Buffer.from(core.readFile('t.csv')).toString('hex') === nativeFiles['t.csv'], 'run: the profile table');
const refused = core.convert('{"format": "tessaroven-measurement", "version": 1}', { lang: 'ja' });
const nativeRefusal = spawnSync(native, ['--measurement', 'bad.json'], {
    cwd: (fs.writeFileSync(path.join(work, 'bad.json'), '{"format": "tessaroven-measurement", "version": 1}'),
          work),
}).stderr.toString();
check(!refused.ok && nativeRefusal.includes(refused.message), 'convert: the refusal in Japanese');

// The figures of docs/wasm.md.
const wasmBytes = Buffer.from(fs.readFileSync(coreFile).toString().match(/base64,([A-Za-z0-9+/=]+)/)[1],
                              'base64').length;
const positions31 = { format: 'tessaroven-measurement', version: 1, comment: 'Comment', distance_cm: 60,
                      readings: Array.from({ length: 31 }, (_, k) => [decimals(100 * Math.exp(-k * k / 300), 2)]) };
const text31 = JSON.stringify(positions31);
function timeConversion(model) {
    const answer = core.convert(text31, { model });
    check(answer.ok && answer.positions.length === 31, `31 positions, ${model}`);
    for (let i = 0; i < 200; ++i) {
        core.convert(text31, { model });
    }
    const count = 2000;
    const start = process.hrtime.bigint();
    for (let i = 0; i < count; ++i) {
        core.convert(text31, { model });
    }
    return Number(process.hrtime.bigint() - start) / count / 1000;
}
console.log(`tessaroven-core.mjs: ${fs.statSync(coreFile).size} bytes (WebAssembly inside: ${wasmBytes} bytes); ` +
            `tessaroven-convert.mjs: ${fs.statSync(converter).size} bytes`);
console.log(`one conversion of 31 positions through convert(): compatible ${timeConversion('compatible').toFixed(1)} µs, ` +
            `isotropic ${timeConversion('isotropic').toFixed(1)} µs`);
for (const model of ['compatible', 'isotropic']) {
    core.timeConversion(text31, { model }, 200);
    const alone = core.timeConversion(text31, { model }, 2000);
    check(alone > 0, `the conversion alone of 31 positions, ${model}`);
    console.log(`the conversion alone of 31 positions (timeConversion), ${model}: ${alone.toFixed(1)} µs`);
}

fs.rmSync(work, { recursive: true, force: true });
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed === 0 ? 0 : 1);
