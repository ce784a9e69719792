// The draft: what is typed and not yet saved, kept in localStorage as the user types, so that a closed tab
// or a crashed browser loses nothing; the next page offers it back (復元 / 破棄). The key carries the
// draft's format version, and so does the draft itself: a later page that changes what a draft holds uses
// a new key, and reads an older one or leaves it alone, and this page never reads a newer page's draft.
// While a draft is offered and not answered, nothing overwrites it.
import { type Language, text } from './texts';

export const kDraftKey = 'tessaroven.draft.v1';
const kDraftFormat = 'tessaroven-draft';
const kDraftVersion = 1;
// Long enough not to write on every key, short enough that a crash loses at most the last few.
const kSaveDelayMs = 300;

// What a draft holds: the measurement file's keys that the page keeps beside its boxes (as the file's JSON,
// the spectrum among them) and the page's boxes as typed.
export interface Draft<State> {
    format: typeof kDraftFormat;
    version: typeof kDraftVersion;
    savedAt: string;  // ISO 8601
    measurement: string;
    page: State;
}

function element<T extends HTMLElement>(testid: string): T {
    return document.querySelector(`[data-testid="${testid}"]`) as T;
}

// Reading a draft as this page's version; null for none, for another format or version, or for a text
// that is not JSON.
function readDraft<State>(stored: string | null): Draft<State> | null {
    try {
        const draft = JSON.parse(stored ?? 'null') as Draft<State> | null;
        return draft?.format === kDraftFormat && draft.version === kDraftVersion &&
            typeof draft.measurement === 'string' && typeof draft.page === 'object' ? draft : null;
    } catch {
        return null;
    }
}

export class Drafts<State> {
    private offered: Draft<State> | null = null;
    private timer: number | undefined;

    constructor(
        private language: () => Language,
        private collect: () => { measurement: string; page: State },
        private restore: (draft: Draft<State>) => void,
        // Whether the work typed since the page opened may be replaced by the draft (asks when it is unsaved).
        private mayReplace: () => Promise<boolean>,
    ) {
        element('draft-restore').addEventListener('click', async () => {
            const draft = this.offered;
            if (draft && await this.mayReplace()) {
                this.answered();
                this.restore(draft);
            }
        });
        element('draft-discard').addEventListener('click', () => {
            this.answered();
            this.remove();
        });
        // A tab closed within the delay still keeps its last change.
        addEventListener('pagehide', () => this.flush());
    }

    // Shows the banner when a draft of this version is there.
    offer(): void {
        try {
            this.offered = readDraft<State>(localStorage.getItem(kDraftKey));
        } catch {
            this.offered = null;  // storage refused: there is no draft to offer, and none will be kept
        }
        this.relabel();
        element('draft-banner').hidden = this.offered === null;
    }

    relabel(): void {
        if (this.offered) {
            const savedAt = new Date(this.offered.savedAt).toLocaleString(this.language() === 'ja' ? 'ja-JP' : 'en-GB');
            element('draft-text').textContent = text(this.language(), 'draftFound', savedAt);
        }
    }

    // Something was typed: kept after a short pause.
    changed(): void {
        if (this.offered !== null) {
            return;
        }
        clearTimeout(this.timer);
        this.timer = window.setTimeout(() => this.flush(), kSaveDelayMs);
    }

    // The work was saved to a file: the draft has nothing more to keep.
    saved(): void {
        clearTimeout(this.timer);
        this.timer = undefined;
        if (this.offered === null) {
            this.remove();
        }
    }

    private flush(): void {
        if (this.timer === undefined || this.offered !== null) {
            return;
        }
        clearTimeout(this.timer);
        this.timer = undefined;
        const draft: Draft<State> = { format: kDraftFormat, version: kDraftVersion,
            savedAt: new Date().toISOString(), ...this.collect() };
        try {
            localStorage.setItem(kDraftKey, JSON.stringify(draft));
            element('draft-message').textContent = '';
        } catch {
            // Storage refused or full (a large spectrum): the work is safe only once saved to a file.
            element('draft-message').textContent = text(this.language(), 'draftNotKept');
        }
    }

    private answered(): void {
        this.offered = null;
        element('draft-banner').hidden = true;
    }

    private remove(): void {
        try {
            localStorage.removeItem(kDraftKey);
        } catch {
            // nothing was kept then
        }
    }
}

// A measurement file or a spectrum file dropped anywhere on the page opens as the file buttons open it.
export function openDroppedFiles(target: HTMLElement, open: (files: File[]) => void): void {
    target.addEventListener('dragover', (event) => {
        if (event.dataTransfer?.types.includes('Files')) {
            event.preventDefault();
            event.dataTransfer.dropEffect = 'copy';
            target.classList.add('dropping');
        }
    });
    target.addEventListener('dragleave', (event) => {
        if (event.relatedTarget === null) {
            target.classList.remove('dropping');
        }
    });
    target.addEventListener('drop', (event) => {
        target.classList.remove('dropping');
        const files = Array.from(event.dataTransfer?.files ?? []);
        if (files.length > 0) {
            event.preventDefault();  // the browser would otherwise open the file in place of the page
            open(files);
        }
    });
}
