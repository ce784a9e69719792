// The page: the fields and the readings table -> a measurement file's text -> the core's conversion -> the
// list, the results table and the files to download. Any change to what the results depend on clears them,
// so that what is shown and saved always belongs to what is typed.
import { ConditionsForm, type ConditionsState } from './conditions';
import { Core, type Conversion, fileBytes } from './core';
import { type Draft, Drafts, openDroppedFiles } from './draft';
import { download } from './download';
import { SpectrumExports, type SpectrumState } from './exports';
import { kMaxPositions } from './limits';
import { ReadingsTable } from './readings_table';
import { type Language, type TextName, text } from './texts';
import { UnsavedWork } from './unsaved';
import { ResultViews } from './views';

const kLanguageKey = 'tessaroven.language';
// What a new measurement starts with, as the page's first showing: the desktop's default comment, and the
// name the measurement file is offered under until one is opened.
const kDefaultComment = 'Comment';
const kUnnamedFile = 'measurement.tessaroven.json';

function element<T extends HTMLElement>(id: string): T {
    return document.getElementById(id) as T;
}

// Firefox and locked-down browsers may refuse storage for a file:// page; the page then starts in Japanese.
function storedLanguage(): Language {
    try {
        return localStorage.getItem(kLanguageKey) === 'en' ? 'en' : 'ja';
    } catch {
        return 'ja';
    }
}

class Page {
    private language = storedLanguage();
    // The opened measurement as the program wrote it: what the page has no boxes for yet (uncertainties,
    // conditions, spectrum, model) goes back into the file unchanged.
    private opened: Record<string, unknown> = {};
    private openedName = kUnnamedFile;
    private results: Conversion | null = null;
    // The farthest position the distance was last checked against (converting or saving), for its message
    // in another language.
    private distanceFarthest?: number;
    private commentConverting = false;  // likewise, whether the comment was last checked for the CSV file
    private distance = element<HTMLInputElement>('distance');
    private positions = element<HTMLInputElement>('positions');
    private comment = element<HTMLInputElement>('comment');
    private convertButton = element<HTMLButtonElement>('convert');
    private csvButton = element<HTMLButtonElement>('download-csv');
    private table: ReadingsTable;
    private conditions: ConditionsForm;
    private exports: SpectrumExports;
    private drafts: Drafts<PageState>;
    private unsaved: UnsavedWork;
    // The results table, the graph, the comparison with a baseline and the printed report.
    private views: ResultViews;

    constructor(private core: Core) {
        this.table = new ReadingsTable(element('readings').querySelector('tbody')!, core, () => this.language,
            () => this.clearResults(), () => this.convertButton.focus());
        this.views = new ResultViews(core, () => this.language,
            () => ('format' in this.opened ? this.openedName : ''), () => this.clearResults());
        this.distance.addEventListener('input', () => this.clearResults());
        this.distance.addEventListener('change', () => this.readDistance());
        this.comment.addEventListener('input', () => this.clearResults());
        this.comment.addEventListener('change', () => this.readComment(false));
        this.positions.addEventListener('input', () => {
            this.clearResults();
            this.readPositions(false);
        });
        this.convertButton.addEventListener('click', () => this.convert());
        this.csvButton.addEventListener('click', () => {
            if (this.results) {
                download(this.results.csv, 'tessaroven-result.csv', 'text/csv');
            }
        });
        element('download-measurement').addEventListener('click', () => this.saveMeasurement());
        element('new-measurement').addEventListener('click', () => void this.newMeasurement());
        element<HTMLInputElement>('file-input').addEventListener('change', (event) => this.open(event));
        element('language').addEventListener('click', () => this.switchLanguage());
        this.conditions = new ConditionsForm(core, () => this.language, element('condition-fields'), element('models'),
            element('conditions'), (affectsResults) => affectsResults ? this.clearResults() : this.drafts.changed());
        this.exports = new SpectrumExports(core, () => this.language,
            () => this.openedName.replace(/(\.tessaroven)?\.json$/i, ''), () => this.clearResults(),
            (message) => this.showMessage('file-message', message));
        this.drafts = new Drafts(() => this.language, () => this.draftOf(), (draft) => this.restoreDraft(draft),
            () => this.unsaved.mayReplace());
        document.querySelector('main')!.addEventListener('input', () => this.drafts.changed());
        // A box being corrected drops its message as soon as it is typed into, not when it is left: a message
        // vanishing on leaving would move the convert button from under the pointer between its press and
        // release, and the click would be lost. Captured, so that a box's own check (the number of positions
        // is read as it is typed) comes after.
        document.querySelector('main')!.addEventListener('input', (event) => {
            const box = event.target as HTMLElement;
            const message = document.getElementById(box.getAttribute('aria-describedby') ?? '');
            if (message?.classList.contains('message') && message.textContent !== '') {
                message.textContent = '';
                box.setAttribute('aria-invalid', 'false');
            }
        }, { capture: true });
        openDroppedFiles(document.body, (files) => void this.openFiles(files));
        document.addEventListener('keydown', (event) => this.shortcut(event));
        this.applyTexts();
        this.unsaved = new UnsavedWork(core, () => this.language, () => JSON.stringify(this.draftOf()),
            () => this.saveMeasurement());
        this.drafts.offer();
    }

    // The desktop's shortcuts that a browser lets a page take (Ctrl+N and Ctrl+W stay the browser's); ⌘ on a
    // Mac. Ctrl+P without results is the browser's own printing of the screen.
    private shortcut(event: KeyboardEvent): void {
        if (!(event.ctrlKey || event.metaKey) || event.altKey || event.shiftKey || event.isComposing ||
            this.unsaved.asking) {
            return;
        }
        const key = event.key.toLowerCase();
        const action = key === 's' ? () => this.saveMeasurement()
            : key === 'o' ? () => element('file-input').click()
                : key === 'enter' ? () => this.convert()
                    : key === 'p' && this.results ? () => window.print() : null;
        if (action) {
            event.preventDefault();
            action();
        }
    }

    private say(name: TextName, ...details: string[]): string {
        return text(this.language, name, ...details);
    }

    private applyTexts(): void {
        document.documentElement.lang = this.language;
        for (const shown of document.querySelectorAll<HTMLElement>('[data-text]')) {
            shown.textContent = this.say(shown.dataset.text as TextName);
        }
        const version = element('version');
        version.textContent = this.say('version', version.dataset.version ?? '');
        const switcher = element('language');
        switcher.textContent = this.say('languageSwitch');
        switcher.title = this.say('languageSwitchLabel');
        switcher.lang = this.language === 'ja' ? 'en' : 'ja';
        this.table.relabel();
        this.conditions.relabel();
        this.exports.relabel();
        this.drafts.relabel();
        this.views.relabel();
        if (!this.results) {
            element('model').textContent = this.say('noResults');
        }
    }

    private switchLanguage(): void {
        this.language = this.language === 'ja' ? 'en' : 'ja';
        try {
            localStorage.setItem(kLanguageKey, this.language);
        } catch {
            // The choice then lasts until the page is closed.
        }
        this.applyTexts();
        // Messages already shown, and the results' model name and headings, come again in the new language.
        if (element('distance-message').textContent) {
            this.readDistance(this.distanceFarthest);
        }
        if (element('comment-message').textContent) {
            this.readComment(this.commentConverting);
        }
        if (element('positions-message').textContent) {
            this.readPositions(false);
        }
        this.table.recheckShown();
        if (this.results) {
            this.convert();
        }
    }

    // A refusal is shown in red; done marks a report of what went well (a file opened), shown plainly.
    private showMessage(id: string, message: string, box?: HTMLInputElement, done = false): void {
        element(id).textContent = message;
        element(id).classList.toggle('done', done);
        box?.setAttribute('aria-invalid', String(message !== ''));
    }

    private readDistance(farthest?: number): number | null {
        this.distanceFarthest = farthest;
        const answer = this.core.readNumber(this.language, 'distance', this.distance.value, farthest);
        this.showMessage('distance-message', answer.ok ? '' : answer.message, this.distance);
        return answer.ok ? answer.value : null;
    }

    private readComment(converting: boolean): boolean {
        this.commentConverting = converting;
        const answer = this.core.readComment(this.language, this.comment.value, converting);
        this.showMessage('comment-message', answer.ok ? '' : answer.message, this.comment);
        return answer.ok;
    }

    // The number of positions sizes the table as soon as the core accepts it.
    private readPositions(required: boolean): boolean {
        if (!required && this.positions.value.trim() === '') {
            this.showMessage('positions-message', '', this.positions);
            return false;
        }
        const answer = this.core.readNumber(this.language, 'positions', this.positions.value);
        this.showMessage('positions-message', answer.ok ? '' : answer.message, this.positions);
        if (answer.ok && answer.value !== this.table.positions) {
            this.table.setPositions(answer.value);
        }
        return answer.ok;
    }

    // The measurement file's text of what is typed, or null after showing every refusal where it belongs.
    // Converting needs a distance the focus can turn at outside the farthest position; a file, one above 0.
    private measurementText(converting: boolean): string | null {
        const positionsRead = this.readPositions(true);
        const distance = this.readDistance(positionsRead ? (converting ? this.table.positions - 1 : -1) : undefined);
        const commentRead = this.readComment(converting);
        if (!positionsRead) {
            this.positions.focus();
            return null;
        }
        const readings: number[][] = [];
        let firstRefused = -1;
        for (let k = 0; k < this.table.positions; ++k) {
            const read = this.table.check(k, true);
            if (read === null) {
                firstRefused = firstRefused < 0 ? k : firstRefused;
            } else {
                readings.push(read);
            }
        }
        if (distance === null) {
            this.distance.focus();
            return null;
        }
        if (!commentRead) {
            this.comment.focus();
            return null;
        }
        if (firstRefused >= 0) {
            this.table.input(firstRefused).focus();
            return null;
        }
        // JSON.stringify writes each double in its shortest form, which the core reads back to the same value.
        return this.composed({
            ...this.opened,
            spectrum: this.exports.spectrum,
            format: 'tessaroven-measurement',
            version: this.opened.version ?? 1,
            comment: this.comment.value,
            distance_cm: distance,
            readings,
        });
    }

    private clearResults(): void {
        this.results = null;
        this.csvButton.disabled = true;
        element('list').textContent = '';
        this.views.clear();
        this.showMessage('convert-message', '');
        this.exports.resultsCleared();
        this.drafts.changed();
    }

    private convert(): void {
        this.clearResults();
        const measurement = this.measurementText(true);
        if (measurement === null) {
            return;
        }
        const answer = this.core.convert(this.language, measurement);
        if (!answer.ok) {
            this.showMessage('convert-message', answer.message);
            return;
        }
        const refused = this.views.show(measurement);
        if (refused) {
            this.showMessage('convert-message', refused.message);
            return;
        }
        this.results = answer;
        element('list').textContent = answer.list;
        this.csvButton.disabled = false;
        this.exports.resultsShown(measurement);
    }

    // False when the measurement was refused: its refusals are shown where they belong.
    private saveMeasurement(): boolean {
        const measurement = this.measurementText(false);
        if (measurement === null) {
            return false;
        }
        const answer = this.core.measurementFile(this.language, measurement);
        if (!answer.ok) {
            this.showMessage('convert-message', answer.message);
            return false;
        }
        download(answer.bytes, this.openedName, 'application/json');
        this.drafts.saved();
        this.unsaved.markSaved();
        return true;
    }

    // The desktop's 新しい測定: the distance stays for the next measurement, everything else starts again.
    private async newMeasurement(): Promise<void> {
        if (!(await this.unsaved.mayReplace())) {
            return;
        }
        this.opened = {};
        this.openedName = kUnnamedFile;
        this.positions.value = '';
        this.comment.value = kDefaultComment;
        this.table.setTexts([]);
        this.conditions.restore({ texts: {}, shown: {}, model: 'compatible' });
        this.exports.restore({ spectrum: null, centreAl: '', shownCentreAl: '' });
        this.showMessage('positions-message', '', this.positions);
        this.showMessage('comment-message', '', this.comment);
        this.showMessage('file-message', '');
        this.clearResults();
        this.drafts.saved();  // nothing is left to keep
        this.unsaved.markSaved();
        this.positions.focus();
    }

    private async open(event: Event): Promise<void> {
        const input = event.target as HTMLInputElement;
        const file = input.files?.[0];
        input.value = '';  // the same file can be chosen again after an edit
        if (file) {
            await this.openMeasurement(file);
        }
    }

    // False when the user kept the work the file would have replaced. A refused file asks nothing: it
    // replaces nothing.
    private async openMeasurement(file: File): Promise<boolean> {
        const answer = this.core.openMeasurement(this.language, file.name, await fileBytes(file));
        if (!answer.ok) {
            this.showMessage('file-message', answer.message);
            return true;
        }
        if (!(await this.unsaved.mayReplace())) {
            return false;
        }
        this.clearResults();
        this.opened = JSON.parse(answer.canonical);
        this.openedName = file.name;
        this.distance.value = answer.distance;
        this.comment.value = answer.comment;
        this.positions.value = String(answer.cells.length);
        this.showMessage('distance-message', '', this.distance);
        this.showMessage('comment-message', '', this.comment);
        this.showMessage('positions-message', '', this.positions);
        this.table.setTexts(answer.cells);
        const inputs = this.core.inputsOf(this.language, answer.canonical);
        if (inputs.ok) {
            this.conditions.fill(inputs);
            this.exports.fill(inputs, this.opened.spectrum as object | undefined);
        }
        this.showMessage('file-message', this.say('opened', file.name), undefined, true);
        this.drafts.saved();  // what was opened is in its file
        this.unsaved.markSaved();
        return true;
    }

    // Dropped files, measurement files first, so that a spectrum dropped with one stays with it (and is
    // not put into the work kept in place of that measurement).
    private async openFiles(files: File[]): Promise<void> {
        const isMeasurement = (file: File) => /\.json$/i.test(file.name);
        for (const file of files.filter(isMeasurement)) {
            if (!(await this.openMeasurement(file))) {
                return;
            }
        }
        for (const file of files.filter((file) => !isMeasurement(file))) {
            await this.exports.open(file);
        }
    }

    // The typed measurement with the model, the conditions, the uncertainties and the central thickness put
    // in by the core; a refused field shows the core's message there and gets the keyboard.
    private composed(typed: object): string | null {
        const answer = this.core.compose(this.language, JSON.stringify(typed),
            { fields: this.conditions.edited(), model: this.conditions.model, centreAl: this.exports.editedCentre });
        if (answer.ok) {
            return answer.text;
        }
        if (answer.key === 'centreAl') {
            this.exports.showRefusal(answer.message);
        } else if (!answer.key || !this.conditions.showRefusal(answer.key, answer.message)) {
            this.showMessage('convert-message', answer.message);
        }
        return null;
    }

    private draftOf(): { measurement: string; page: PageState } {
        const { centreAl, shownCentreAl } = this.exports.state();
        return {
            measurement: JSON.stringify({ ...this.opened, spectrum: this.exports.spectrum }),
            page: { distance: this.distance.value, positions: this.positions.value, comment: this.comment.value,
                rows: this.table.positions, cells: Array.from({ length: kMaxPositions }, (_, k) => this.table.cellText(k)),
                openedName: this.openedName, conditions: this.conditions.state(), spectrum: { centreAl, shownCentreAl } },
        };
    }

    private restoreDraft(draft: Draft<PageState>): void {
        const page = draft.page;
        this.opened = JSON.parse(draft.measurement);
        this.openedName = page.openedName;
        this.distance.value = page.distance;
        this.positions.value = page.positions;
        this.comment.value = page.comment;
        this.table.setTexts(page.cells);
        this.table.setPositions(page.rows);
        this.conditions.restore(page.conditions);
        this.exports.restore({ spectrum: (this.opened.spectrum as object | undefined) ?? null, ...page.spectrum });
        this.showMessage('distance-message', '', this.distance);
        this.showMessage('comment-message', '', this.comment);
        this.showMessage('positions-message', '', this.positions);
        this.clearResults();
    }
}

// The page's boxes as typed, kept in a draft beside the measurement file's other keys.
interface PageState {
    distance: string;
    positions: string;
    comment: string;
    rows: number;
    cells: string[];
    openedName: string;
    conditions: ConditionsState;
    spectrum: Omit<SpectrumState, 'spectrum'>;
}

async function start(): Promise<void> {
    new Page(await Core.load());
    document.body.dataset.ready = 'true';
    performance.mark('tessaroven-ready');
}

void start();
