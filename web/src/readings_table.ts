// The readings table: one row per position, one cell per position holding its reading or its repeats as
// typed. Enter moves down as in the desktop's table, Shift+Enter and the arrows up and down move too; a
// pasted column, row or block fills from the cell down.
// The cells keep their texts when the number of positions shrinks and grows again.
import type { Core } from './core';
import { kMaxPositions } from './limits';
import { type Language, text } from './texts';

export class ReadingsTable {
    private texts: string[] = new Array(kMaxPositions).fill('');
    private checkedAsRequired: boolean[] = new Array(kMaxPositions).fill(false);
    private rows = 0;

    constructor(
        private body: HTMLTableSectionElement,
        private core: Core,
        private language: () => Language,
        private changed: () => void,
        private enterOnLast: () => void,
    ) {}

    get positions(): number {
        return this.rows;
    }

    cellText(position: number): string {
        return this.texts[position];
    }

    input(position: number): HTMLInputElement {
        return this.body.querySelector(`[data-testid="reading-${position}"]`) as HTMLInputElement;
    }

    // Rows for positions 0 .. count - 1, with the cells' texts as they were.
    setPositions(count: number): void {
        this.rows = count;
        this.body.replaceChildren();
        for (let k = 0; k < count; ++k) {
            this.body.append(this.row(k));
        }
    }

    // The cells' texts (an opened file's), from position 0; the rest are emptied.
    setTexts(cells: string[]): void {
        this.texts = this.texts.map((_, k) => cells[k] ?? '');
        this.setPositions(cells.length);
    }

    // The labels in the language now chosen.
    relabel(): void {
        for (let k = 0; k < this.rows; ++k) {
            this.body.rows[k].cells[0].textContent = text(this.language(), 'positionCell', String(k));
            this.input(k).setAttribute('aria-label', text(this.language(), 'readingCell', String(k)));
        }
    }

    // Shows the core's refusal or notice at the cell, or clears it; the readings when the text is accepted.
    check(position: number, required: boolean): number[] | null {
        this.checkedAsRequired[position] = required;
        const answer = this.core.readReadings(this.language(), this.texts[position], required);
        this.show(position, answer.ok ? answer.notice ?? '' : answer.message, !answer.ok);
        return answer.ok ? answer.readings : null;
    }

    // Checks again every cell that shows something: the messages come back in the language now chosen.
    recheckShown(): void {
        for (let k = 0; k < this.rows; ++k) {
            if (this.message(k).textContent !== '') {
                this.check(k, this.checkedAsRequired[k]);
            }
        }
    }

    private message(position: number): HTMLElement {
        return this.body.querySelector(`[data-testid="reading-${position}-message"]`) as HTMLElement;
    }

    private show(position: number, message: string, refused: boolean): void {
        const shown = this.message(position);
        shown.textContent = message;
        shown.classList.toggle('notice', !refused);
        this.input(position).setAttribute('aria-invalid', String(refused));
    }

    private row(position: number): HTMLTableRowElement {
        const row = document.createElement('tr');
        const heading = document.createElement('th');
        heading.scope = 'row';
        heading.textContent = text(this.language(), 'positionCell', String(position));
        const cell = document.createElement('td');
        const input = document.createElement('input');
        input.type = 'text';
        input.inputMode = 'decimal';
        input.autocomplete = 'off';
        input.value = this.texts[position];
        input.dataset.testid = `reading-${position}`;
        input.setAttribute('aria-label', text(this.language(), 'readingCell', String(position)));
        const message = document.createElement('p');
        message.className = 'message';
        message.id = `reading-${position}-message`;
        message.dataset.testid = message.id;
        message.setAttribute('role', 'alert');
        input.setAttribute('aria-describedby', message.id);
        input.addEventListener('input', () => {
            this.texts[position] = input.value;
            this.changed();
        });
        input.addEventListener('change', () => this.check(position, false));
        input.addEventListener('keydown', (event) => {
            if (event.isComposing || event.ctrlKey || event.metaKey) {
                return;  // keys that end or steer an input method's conversion stay in the cell; Ctrl+Enter converts
            }
            // Arrow up and down move between the cells like a spreadsheet's, Shift+Enter goes up.
            const step = event.key === 'ArrowDown' ? 1
                : event.key === 'ArrowUp' || (event.key === 'Enter' && event.shiftKey) ? -1
                    : event.key === 'Enter' ? 0 : null;
            if (step === null) {
                return;
            }
            event.preventDefault();
            if (this.check(position, false) === null) {
                return;
            }
            const next = position + (step === 0 ? 1 : step);
            if (next >= 0 && next < this.rows) {
                this.input(next).focus();
                this.input(next).select();
            } else if (step === 0) {
                this.enterOnLast();
            }
        });
        input.addEventListener('paste', (event) => this.paste(event, position));
        cell.append(input, message);
        row.append(heading, cell);
        return row;
    }

    // A paste of one line goes into the cell as typed; more lines or cells are read by the core as a block.
    private paste(event: ClipboardEvent, position: number): void {
        const pasted = event.clipboardData?.getData('text/plain') ?? '';
        if (!/[\t\r\n]/.test(pasted)) {
            return;
        }
        event.preventDefault();
        const answer = this.core.readPasted(this.language(), pasted, position, this.rows - 1);
        if (!answer.ok) {
            this.show(position, answer.message, true);
            return;
        }
        answer.cells.forEach((cellText, k) => {
            this.texts[position + k] = cellText;
            this.input(position + k).value = cellText;
            this.check(position + k, false);
        });
        this.changed();
    }
}
