// The page's one door to the core's JavaScript API (tessaroven-core, src/wasm): the converter's list, CSV and
// measurement file, and the core's readers of what the user types and the results table's texts. Nothing here
// decides a number or a byte.
import createCore from 'tessaroven-core';
import { kLargestRead } from './limits';
import type { Language } from './texts';

interface CoreModule {
    putFile(name: string, contents: string | Uint8Array): void;
    readFile(name: string): Uint8Array<ArrayBuffer> | null;
    removeFiles(): void;
    run(args: string[], input?: string): { status: number; output: Uint8Array<ArrayBuffer>; messages: string };
    pageRequest(request: object): unknown;
}

export type Refused = { ok: false; message: string };
export type Answer<T> = ({ ok: true } & T) | Refused;

export interface Conversion {
    list: string;  // the result list's lines, as the converter's --list prints them
    csv: Uint8Array<ArrayBuffer>;  // the result file: code page 932, CR LF
}

// A point of the graph: cm, percent; errorBar is U (k = 2) of the relative value, null when unknown. A value
// JSON cannot hold (not finite) is null and not drawn.
export interface GraphPoint {
    position: number;
    relative: number | null;
    errorBar?: number | null;
}

export interface Table {
    headings: string[];
    rows: string[][];
}

// What the page shows of a conversion besides the list and the CSV file (src/wasm/page_views.cpp).
export interface Views extends Table {
    model: string;
    flagged: boolean[];  // per row: outside the tolerance of the baseline
    graph: {
        points: GraphPoint[];
        baseline?: GraphPoint[];
        flagged?: GraphPoint[];
        legend?: { measurement: string; baseline: string; flagged: string };
    };
    summary: string | null;  // the comparison's verdict, as the converter's --baseline prints it
    report: {
        title: string;
        created: string;
        conditions: [string, string][];
        notesLabel: string;
        notes: string;
        table: Table;
        uncertainty: string;
        warning: string;
        signature: string;
    };
}

// The baseline a conversion is compared with: its file's text and name, and the tolerance as typed.
export interface BaselineRequest {
    baseline: string;
    baselineName: string;
    tolerance: string;
}

// The bytes of a chosen or dropped file, up to the most any reader takes.
export async function fileBytes(file: File): Promise<Uint8Array> {
    return new Uint8Array(await file.slice(0, kLargestRead).arrayBuffer());
}

// The converter's messages end with a line feed and start with its name, which the page does not show.
function converterMessage(messages: string): string {
    return messages.trim().replace(/^tessaroven-convert: /gm, '');
}

export class Core {
    private constructor(private core: CoreModule) {}

    static async load(): Promise<Core> {
        return new Core((await createCore()) as CoreModule);
    }

    private request<T>(what: string, language: Language, fields: object): Answer<T> {
        return this.core.pageRequest({ ...fields, what, lang: language }) as Answer<T>;
    }

    // One position's readings as typed ("100.2; 100.0; 99.9", full-width digits too); blank is no readings,
    // refused when required.
    readReadings(language: Language, text: string, required: boolean): Answer<{ readings: number[]; notice?: string }> {
        return this.request('readings', language, { text, required });
    }

    // farthest (cm): the distance must let the focus turn outside it (-1: only above 0, as a file holds it).
    readNumber(language: Language, box: 'distance' | 'positions', text: string, farthest?: number):
        Answer<{ value: number }> {
        return this.request('number', language, { box, text, farthest });
    }

    // The comment box; converting, it must also fit the CSV file's code page.
    readComment(language: Language, text: string, converting: boolean): Answer<object> {
        return this.request('comment', language, { text, converting });
    }

    // A pasted text with its top-left cell at position: the text of each position's cell from there on.
    readPasted(language: Language, text: string, position: number, lastPosition: number): Answer<{ cells: string[] }> {
        return this.request('pasted', language, { text, position, lastPosition });
    }

    // An opened measurement file's bytes, read by the core; its canonical text (as the program writes it) and
    // the texts its boxes show. A refusal names the file as the user knows it.
    openMeasurement(language: Language, name: string, bytes: Uint8Array):
        Answer<{ canonical: string; distance: string; comment: string; cells: string[] }> {
        this.core.removeFiles();
        this.core.putFile(name, bytes);
        // The copy the program writes, under a name other than the opened file's, whatever that is.
        const canonicalName = name === 'canonical.tessaroven.json' ? 'written.tessaroven.json'
            : 'canonical.tessaroven.json';
        const run = this.core.run(['--lang', language, '--measurement', name, '--save-measurement', canonicalName]);
        const written = this.core.readFile(canonicalName);
        if (run.status !== 0 || !written) {
            return { ok: false, message: converterMessage(run.messages) };
        }
        const canonical = new TextDecoder().decode(written);
        const boxes = this.request<{ distance: string; comment: string; cells: string[] }>(
            'measurement', language, { text: canonical });
        return boxes.ok ? { ...boxes, canonical } : boxes;
    }

    // The desktop's question before unsaved changes are replaced, and its answers' labels.
    unsavedQuestion(language: Language): UnsavedQuestion {
        return this.core.pageRequest({ what: 'unsavedQuestion', lang: language }) as UnsavedQuestion;
    }

    // The measurement file's bytes as the program writes them.
    measurementFile(language: Language, measurement: string): Answer<{ bytes: Uint8Array<ArrayBuffer> }> {
        this.core.removeFiles();
        this.core.putFile('page.tessaroven.json', measurement);
        const run = this.core.run(['--lang', language, '--measurement', 'page.tessaroven.json',
            '--save-measurement', 'saved.tessaroven.json']);
        const bytes = this.core.readFile('saved.tessaroven.json');
        return run.status === 0 && bytes ? { ok: true, bytes } : { ok: false, message: converterMessage(run.messages) };
    }

    // The conversion of a measurement file's text: the converter's list and CSV file.
    convert(language: Language, measurement: string): Answer<Conversion> {
        this.core.removeFiles();
        this.core.putFile('page.tessaroven.json', measurement);
        const args = ['--lang', language, '--measurement', 'page.tessaroven.json'];
        const list = this.core.run([...args, '--list']);
        if (list.status !== 0) {
            return { ok: false, message: converterMessage(list.messages) };
        }
        const written = this.core.run([...args, '--output', 'result.csv']);
        const csv = this.core.readFile('result.csv');
        if (written.status !== 0 || !csv) {
            return { ok: false, message: converterMessage(written.messages) };
        }
        return { ok: true, list: new TextDecoder().decode(list.output), csv };
    }

    // The results table, the graph's values, the comparison with the baseline (when given) and the printed
    // report's texts of a measurement file's text; fileName and createdAt are the report's.
    views(language: Language, measurement: string, baseline: BaselineRequest | null, fileName: string,
        createdAt: string): Answer<Views> {
        return this.core.pageRequest({ ...baseline, what: 'views', lang: language, measurement, fileName,
            createdAt }) as Answer<Views>;
    }

    // A file chosen as the baseline, read and refused as the desktop reads and refuses it; its text, for views.
    checkBaseline(language: Language, name: string, bytes: Uint8Array): Answer<{ text: string }> {
        this.core.removeFiles();
        this.core.putFile(name, bytes);
        return this.core.pageRequest({ what: 'baseline', lang: language, file: name }) as Answer<{ text: string }>;
    }

    // The tolerance as typed, read as the comparison reads it.
    readTolerance(language: Language, tolerance: string): Answer<{ value: number }> {
        return this.core.pageRequest({ what: 'tolerance', lang: language, tolerance }) as Answer<{ value: number }>;
    }

    // The model, the conditions, the uncertainties, the spectrum and the files for other programs
    // (src/wasm/page_inputs.cpp); a refused field comes back with its key.

    // The conditions dialog's fields and the models, labelled in the language (never refused).
    inputFields(language: Language): { fields: InputField[]; models: { name: string; label: string }[] } {
        return this.core.pageRequest({ what: 'inputFields', lang: language }) as
            { fields: InputField[]; models: { name: string; label: string }[] };
    }

    checkInputField(language: Language, key: string, text: string): Answer<object> & { key?: string } {
        return this.request('inputField', language, { key, text });
    }

    inputsOf(language: Language, measurement: string): Answer<MeasurementInputs> {
        return this.request('inputsOf', language, { text: measurement });
    }

    // A spectrum file's bytes, read and checked as the desktop's spectrum dialog does; the measurement
    // file's "spectrum" value for it.
    readSpectrum(language: Language, name: string, bytes: Uint8Array): Answer<{ spectrum: object }> {
        this.core.removeFiles();
        this.core.putFile(name, bytes);
        return this.request('spectrum', language, { file: name, name });
    }

    // The measurement file's text with the edited fields, the model and the central thickness put in by
    // the program's own reader and writer.
    compose(language: Language, measurement: string, edits: InputEdits): Answer<{ text: string }> & { key?: string } {
        return this.request('compose', language, { text: measurement, ...edits });
    }

    // The converter's files of a measurement: the profile table (--profile), XCIST's bow-tie file (--xcist),
    // EGSnrc's two files (--egsnrc); the spectrum is the measurement file's.
    exportFiles(language: Language, measurement: string, kind: 'profile' | 'xcist' | 'egsnrc'):
        Answer<{ files: Uint8Array<ArrayBuffer>[] }> {
        this.core.removeFiles();
        this.core.putFile('page.tessaroven.json', measurement);
        const names = { profile: ['profile.csv'], xcist: ['bowtie.txt'],
            egsnrc: ['bowtie_distribution.dat', 'bowtie_bowtie.dat'] }[kind];
        const option = { profile: ['--profile', names[0]], xcist: ['--xcist', names[0]],
            egsnrc: ['--egsnrc', 'bowtie'] }[kind];
        const run = this.core.run(['--lang', language, '--measurement', 'page.tessaroven.json', ...option]);
        const files = names.map((name) => this.core.readFile(name));
        if (run.status !== 0 || files.some((file) => !file)) {
            return { ok: false, message: converterMessage(run.messages) };
        }
        return { ok: true, files: files as Uint8Array<ArrayBuffer>[] };
    }
}

export interface UnsavedQuestion {
    question: string;
    save: string;
    discard: string;
    cancel: string;
}

export interface InputField {
    key: string;
    label: string;
    note: string;
    kind: 'text' | 'date' | 'number' | 'uncertainty';
}

// What a measurement file holds beside the readings, as the page's fields show it.
export interface MeasurementInputs {
    fields: Record<string, string>;
    model: string;
    spectrum: string | null;  // the spectrum file's name
    centreAl: string;
}

// What compose puts into a measurement: the fields typed since they were filled (by key), the model, and
// the central thickness when it was typed.
export interface InputEdits {
    fields: Record<string, string>;
    model: string;
    centreAl?: string;
}
