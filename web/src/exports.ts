// The centre spectrum (the desktop's spectrum dialog: the file and the bow-tie's central thickness) and the
// files for other programs: the profile table, XCIST's bow-tie file and EGSnrc's two files, each the
// converter's bytes for the measurement last converted. The spectrum is read and checked by the core, and
// kept as the measurement file's "spectrum" value, so that it goes into the saved file as the desktop
// writes it.
import { type Core, type MeasurementInputs, fileBytes } from './core';
import { download } from './download';
import { type Language, text } from './texts';

export interface SpectrumState {
    spectrum: object | null;
    centreAl: string;
    shownCentreAl: string;
}

type Kind = 'profile' | 'xcist' | 'egsnrc';

function element<T extends HTMLElement>(testid: string): T {
    return document.querySelector(`[data-testid="${testid}"]`) as T;
}

export class SpectrumExports {
    private value: object | null = null;
    private shownCentre = '';
    private converted: string | null = null;  // the measurement file's text of the results shown
    private centre = element<HTMLInputElement>('centre-al');
    private buttons: Record<Kind, HTMLButtonElement[]> = {
        profile: [element('download-profile')],
        xcist: [element('download-xcist')],
        egsnrc: [element('download-egsnrc'), element('download-egsnrc-bowtie')],
    };

    constructor(
        private core: Core,
        private language: () => Language,
        private baseName: () => string,
        private changed: () => void,
        private say: (message: string) => void,
    ) {
        element<HTMLInputElement>('spectrum-input').addEventListener('change', (event) => {
            const input = event.target as HTMLInputElement;
            const file = input.files?.[0];
            input.value = '';  // the same file can be chosen again
            if (file) {
                void this.open(file);
            }
        });
        element('spectrum-remove').addEventListener('click', () => {
            this.restore({ spectrum: null, centreAl: '', shownCentreAl: '' });
            this.changed();
        });
        this.centre.addEventListener('input', () => this.changed());
        this.centre.addEventListener('change', () => this.checkCentre());
        for (const kind of ['profile', 'xcist', 'egsnrc'] as Kind[]) {
            this.buttons[kind].forEach((button, k) => button.addEventListener('click', () => this.export(kind, k)));
        }
        this.restore({ spectrum: null, centreAl: '', shownCentreAl: '' });
        this.resultsCleared();
    }

    // The measurement file's "spectrum" value, or undefined (which JSON.stringify leaves out).
    get spectrum(): object | undefined {
        return this.value ?? undefined;
    }

    // The central thickness when it was typed into since it was filled.
    get editedCentre(): string | undefined {
        return this.centre.value !== this.shownCentre ? this.centre.value : undefined;
    }

    async open(file: File): Promise<void> {
        const answer = this.core.readSpectrum(this.language(), file.name, await fileBytes(file));
        if (!answer.ok) {
            this.say(answer.message);
            return;
        }
        this.restore({ spectrum: answer.spectrum, centreAl: this.centre.value, shownCentreAl: this.shownCentre });
        this.say(text(this.language(), 'spectrumOpened', file.name));
        this.changed();
    }

    fill(inputs: MeasurementInputs, spectrum: object | undefined): void {
        this.restore({ spectrum: spectrum ?? null, centreAl: inputs.centreAl, shownCentreAl: inputs.centreAl });
    }

    state(): SpectrumState {
        return { spectrum: this.value, centreAl: this.centre.value, shownCentreAl: this.shownCentre };
    }

    restore(state: SpectrumState): void {
        this.value = state.spectrum;
        this.centre.value = state.centreAl;
        this.shownCentre = state.shownCentreAl;
        this.showCentre('');
        this.centre.disabled = this.value === null;
        const name = (this.value as { file?: string } | null)?.file;
        element('spectrum-name').textContent = name ?? text(this.language(), 'noSpectrum');
        element<HTMLButtonElement>('spectrum-remove').disabled = this.value === null;
        if (this.value !== null) {
            (document.getElementById('spectrum') as HTMLDetailsElement).open = true;
        }
    }

    // The core's refusal of the central thickness at its field, which gets the keyboard.
    showRefusal(message: string): void {
        this.showCentre(message);
        this.centre.focus();
    }

    relabel(): void {
        if (this.value === null) {
            element('spectrum-name').textContent = text(this.language(), 'noSpectrum');
        }
        if (element('centre-al-message').textContent !== '') {
            this.checkCentre();
        }
    }

    resultsShown(measurement: string): void {
        this.converted = measurement;
        this.buttons.profile[0].disabled = false;
        for (const button of [...this.buttons.xcist, ...this.buttons.egsnrc]) {
            button.disabled = this.value === null;
        }
    }

    resultsCleared(): void {
        this.converted = null;
        for (const button of Object.values(this.buttons).flat()) {
            button.disabled = true;
        }
    }

    private showCentre(message: string): void {
        element('centre-al-message').textContent = message;
        this.centre.setAttribute('aria-invalid', String(message !== ''));
    }

    private checkCentre(): void {
        const answer = this.centre.value === this.shownCentre ? { ok: true } as const
            : this.core.checkInputField(this.language(), 'centreAl', this.centre.value);
        this.showCentre(answer.ok ? '' : answer.message);
    }

    private export(kind: Kind, file: number): void {
        if (this.converted === null) {
            return;
        }
        const answer = this.core.exportFiles(this.language(), this.converted, kind);
        if (!answer.ok) {
            this.say(answer.message);
            return;
        }
        const base = this.baseName();
        const names: Record<Kind, [string, string][]> = {
            profile: [[`${base}-profile.csv`, 'text/csv']],
            xcist: [[`${base}-bowtie.txt`, 'text/plain']],
            egsnrc: [[`${base}_distribution.dat`, 'text/plain'], [`${base}_bowtie.dat`, 'text/plain']],
        };
        download(answer.files[file], ...names[kind][file]);
    }
}
