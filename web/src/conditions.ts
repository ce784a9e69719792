// The conversion model and the measuring conditions with the two uncertainties: the desktop's model menu and
// conditions dialog as a choice and a form on the page. The fields, their labels and every check come from
// the core (the dialog's own table and reader); the page only keeps the texts. A field keeps what an opened
// file held until it is typed into, so a value the dialog would not take as typed (a date in free text)
// goes back into the saved file unchanged.
import type { Core, InputField, MeasurementInputs } from './core';
import type { Language } from './texts';

export interface ConditionsState {
    texts: Record<string, string>;
    shown: Record<string, string>;  // the texts the fields were filled with
    model: string;
}

export class ConditionsForm {
    private fields: InputField[] = [];
    private inputs = new Map<string, HTMLInputElement>();
    private shown: Record<string, string> = {};

    constructor(
        private core: Core,
        private language: () => Language,
        private form: HTMLElement,
        private models: HTMLElement,
        private details: HTMLDetailsElement,
        // affectsResults: the model or an uncertainty changed, which the results depend on
        private changed: (affectsResults: boolean) => void,
    ) {
        const answer = core.inputFields(language());
        this.fields = answer.fields;
        for (const field of this.fields) {
            this.form.append(this.row(field));
        }
        for (const model of answer.models) {
            const label = document.createElement('label');
            const radio = document.createElement('input');
            radio.type = 'radio';
            radio.name = 'model';
            radio.value = model.name;
            radio.dataset.testid = `model-${model.name}`;
            // A new measurement starts with the compatible model, as on the desktop.
            radio.checked = model.name === 'compatible';
            radio.addEventListener('change', () => this.changed(true));
            label.append(radio, document.createElement('span'));
            this.models.append(label);
        }
        this.relabel();
    }

    // The labels in the language now chosen, and the messages shown again in it.
    relabel(): void {
        const answer = this.core.inputFields(this.language());
        for (const field of answer.fields) {
            const label = this.form.querySelector(`label[for="condition-${field.key}"]`)!;
            label.firstChild!.textContent = field.label;
            label.querySelector('.note')!.textContent = field.note;
        }
        answer.models.forEach((model, k) => {
            this.models.querySelectorAll('label span')[k].textContent = model.label;
        });
        for (const [key, input] of this.inputs) {
            if (this.message(key).textContent !== '') {
                this.check(key, input.value);
            }
        }
    }

    get model(): string {
        return this.models.querySelector<HTMLInputElement>('input:checked')?.value ?? 'compatible';
    }

    // An opened file's model and fields; what is filled counts as not typed.
    fill(inputs: MeasurementInputs): void {
        this.restore({ texts: inputs.fields, shown: inputs.fields, model: inputs.model });
        // Conditions worth a look are shown; an empty form stays folded away.
        this.details.open = Object.values(inputs.fields).some((text) => text !== '');
    }

    // The fields typed into since they were filled, by key.
    edited(): Record<string, string> {
        const edited: Record<string, string> = {};
        for (const [key, input] of this.inputs) {
            if (input.value !== (this.shown[key] ?? '')) {
                edited[key] = input.value;
            }
        }
        return edited;
    }

    // The core's refusal at its field, which gets the keyboard; false when the key is none of the fields.
    showRefusal(key: string, message: string): boolean {
        const input = this.inputs.get(key);
        if (!input) {
            return false;
        }
        this.show(key, message);
        this.details.open = true;
        input.focus();
        return true;
    }

    state(): ConditionsState {
        const texts: Record<string, string> = {};
        for (const [key, input] of this.inputs) {
            texts[key] = input.value;
        }
        return { texts, shown: { ...this.shown }, model: this.model };
    }

    restore(state: ConditionsState): void {
        this.shown = { ...state.shown };
        for (const [key, input] of this.inputs) {
            input.value = state.texts[key] ?? '';
            this.show(key, '');
        }
        for (const radio of this.models.querySelectorAll<HTMLInputElement>('input')) {
            radio.checked = radio.value === state.model;
        }
    }

    private message(key: string): HTMLElement {
        return this.form.querySelector(`[data-testid="condition-${key}-message"]`)!;
    }

    private show(key: string, message: string): void {
        this.message(key).textContent = message;
        this.inputs.get(key)!.setAttribute('aria-invalid', String(message !== ''));
    }

    private check(key: string, text: string): void {
        // A field as the file had it is not read again (it keeps the file's value).
        const answer = text === (this.shown[key] ?? '') ? { ok: true } as const
            : this.core.checkInputField(this.language(), key, text);
        this.show(key, answer.ok ? '' : answer.message);
    }

    private row(field: InputField): HTMLElement {
        const row = document.createElement('div');
        row.className = 'field';
        const label = document.createElement('label');
        label.htmlFor = `condition-${field.key}`;
        const note = document.createElement('span');
        note.className = 'note';
        label.append(document.createTextNode(''), note);
        const input = document.createElement('input');
        input.type = 'text';
        input.id = label.htmlFor;
        input.autocomplete = 'off';
        input.inputMode = field.kind === 'number' || field.kind === 'uncertainty' ? 'decimal' : 'text';
        input.dataset.testid = input.id;
        const message = document.createElement('p');
        message.className = 'message';
        message.id = `${input.id}-message`;
        message.dataset.testid = message.id;
        message.setAttribute('role', 'alert');
        input.setAttribute('aria-describedby', message.id);
        input.addEventListener('input', () => this.changed(field.kind === 'uncertainty'));
        input.addEventListener('change', () => this.check(field.key, input.value));
        this.inputs.set(field.key, input);
        row.append(label, input, message);
        return row;
    }
}
