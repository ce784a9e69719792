// Unsaved work and the question before anything replaces it. The work counts as unsaved when what the page
// would keep of it differs from what it was at the last open, save or new measurement, so that typing a
// value and typing it back is no change. The question is the desktop's, in an in-page dialog rather than
// window.confirm, which blocks the whole browser and looks like no part of the program.
import type { Core } from './core';
import type { Language } from './texts';

type Answer = 'save' | 'discard' | 'cancel';

export class UnsavedWork {
    private savedState = '';
    private dialog = document.getElementById('confirm') as HTMLDialogElement;

    // state: what the page would keep of the work, as one text; save: saves the measurement file, false when
    // it was refused (the refusal is then shown where it belongs).
    constructor(private core: Core, private language: () => Language, private state: () => string,
        private save: () => boolean) {
        this.markSaved();
        // The draft keeps the work anyway, but only in this browser, and a draft is not a file.
        addEventListener('beforeunload', (event) => {
            if (this.modified) {
                event.preventDefault();
                event.returnValue = '';  // Chrome and Edge before 119 ask only when this is set
            }
        });
    }

    get modified(): boolean {
        return this.state() !== this.savedState;
    }

    // True while the question is on screen: the page's shortcuts wait for the answer.
    get asking(): boolean {
        return this.dialog.open;
    }

    markSaved(): void {
        this.savedState = this.state();
    }

    // Whether the work may be replaced: at once when nothing is unsaved, else after the question, saving
    // first when that is the answer. Esc is the cancel.
    // A second replacement while the question is open (a file dropped on the dialog) is refused.
    async mayReplace(): Promise<boolean> {
        if (this.asking) {
            return false;
        }
        if (!this.modified) {
            return true;
        }
        const answer = await this.ask();
        return answer === 'discard' || (answer === 'save' && this.save());
    }

    private ask(): Promise<Answer> {
        const texts = this.core.unsavedQuestion(this.language());
        this.dialog.querySelector('#confirm-question')!.textContent = texts.question;
        for (const answer of ['save', 'discard', 'cancel'] as const) {
            this.dialog.querySelector(`[value="${answer}"]`)!.textContent = texts[answer];
        }
        this.dialog.returnValue = 'cancel';
        this.dialog.showModal();
        return new Promise((answered) => {
            this.dialog.addEventListener('close', () => answered(this.dialog.returnValue as Answer), { once: true });
        });
    }
}
