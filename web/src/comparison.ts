// The baseline a conversion is compared with: a measurement file chosen (read and checked by the core as the
// desktop's 基準と比較… reads it), removed again, and the tolerance in percentage points, kept in localStorage
// as the desktop keeps it in its settings. Choosing, removing or a new tolerance clears the results, which
// belong to the comparison they were made with.
import { type BaselineRequest, type Core, fileBytes } from './core';
import { type Language, text } from './texts';

const kToleranceKey = 'tessaroven.tolerance';
const kDefaultTolerance = '5';

function storedTolerance(): string {
    try {
        return localStorage.getItem(kToleranceKey) ?? kDefaultTolerance;
    } catch {
        return kDefaultTolerance;
    }
}

export class Comparison {
    private baseline: { name: string; text: string } | null = null;
    private input = document.getElementById('baseline-input') as HTMLInputElement;
    private removeButton = document.getElementById('baseline-remove') as HTMLButtonElement;
    private status = document.getElementById('baseline-status')!;
    private tolerance = document.getElementById('tolerance') as HTMLInputElement;
    private toleranceMessage = document.getElementById('tolerance-message')!;

    constructor(private core: Core, private language: () => Language, private changed: () => void) {
        this.tolerance.value = storedTolerance();
        this.input.addEventListener('change', () => void this.choose());
        this.removeButton.addEventListener('click', () => {
            this.baseline = null;
            this.show('');
            this.changed();
        });
        this.tolerance.addEventListener('input', () => this.changed());
        this.tolerance.addEventListener('change', () => this.readTolerance());
        this.relabel();
    }

    // What a conversion compares with, or null without a baseline.
    request(): BaselineRequest | null {
        return this.baseline && { baseline: this.baseline.text, baselineName: this.baseline.name,
            tolerance: this.tolerance.value };
    }

    relabel(): void {
        this.status.textContent = this.baseline ? text(this.language(), 'baselineShown', this.baseline.name) :
            text(this.language(), 'noBaseline');
        if (this.toleranceMessage.textContent) {
            this.readTolerance();
        }
    }

    private show(message: string): void {
        this.removeButton.disabled = this.baseline === null;
        this.relabel();
        const refusal = document.getElementById('baseline-message')!;
        refusal.textContent = message;
    }

    // A refused file leaves the baseline as it was, as on the desktop.
    private async choose(): Promise<void> {
        const file = this.input.files?.[0];
        this.input.value = '';  // the same file can be chosen again after it changed
        if (!file) {
            return;
        }
        const answer = this.core.checkBaseline(this.language(), file.name, await fileBytes(file));
        if (!answer.ok) {
            this.show(answer.message);
            return;
        }
        this.baseline = { name: file.name, text: answer.text };
        this.show('');
        this.changed();
    }

    private readTolerance(): void {
        const answer = this.core.readTolerance(this.language(), this.tolerance.value);
        this.toleranceMessage.textContent = answer.ok ? '' : answer.message;
        this.tolerance.setAttribute('aria-invalid', String(!answer.ok));
        if (answer.ok) {
            try {
                localStorage.setItem(kToleranceKey, this.tolerance.value);
            } catch {
                // The tolerance then lasts until the page is closed.
            }
        }
    }
}
