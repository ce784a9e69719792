// The printed report: the desktop's one-page report (title, when it was made, what was measured and how, the
// graph, the table, the notes on uncertainty and readings, the verdict of the comparison, the signature) laid
// out for A4 by the print styles (page.css). The section is hidden on screen; printing shows it alone.
import type { Views } from './core';

function add<K extends keyof HTMLElementTagNameMap>(parent: HTMLElement, tag: K, className = '', content = ''):
    HTMLElementTagNameMap[K] {
    const made = document.createElement(tag);
    made.className = className;
    made.textContent = content;
    parent.append(made);
    return made;
}

export class PrintedReport {
    private section = document.createElement('section');

    constructor() {
        this.section.id = 'report';
        this.section.className = 'report';
        this.section.dataset.testid = 'report';
        document.body.append(this.section);
    }

    // The report of views with a copy of the graph as it is on screen.
    fill(report: Views['report'], summary: string | null, graph: SVGSVGElement): void {
        const page = this.section;
        page.replaceChildren();
        add(page, 'h1', '', report.title);
        add(page, 'p', 'created', report.created);
        const top = add(page, 'div', 'report-top');
        const conditions = add(top, 'dl', 'conditions');
        for (const [label, value] of report.conditions) {
            add(conditions, 'dt', '', label);
            add(conditions, 'dd', '', value);
        }
        const picture = graph.cloneNode(true) as SVGSVGElement;
        // Ids stay unique in the page; the copy is a picture on paper only.
        picture.querySelectorAll('[id]').forEach((named) => named.removeAttribute('id'));
        picture.removeAttribute('aria-labelledby');
        picture.removeAttribute('aria-describedby');
        picture.removeAttribute('data-testid');
        picture.setAttribute('aria-hidden', 'true');
        add(top, 'div', 'report-graph').append(picture);
        if (report.notes) {
            add(page, 'p', 'notes-label', report.notesLabel);
            add(page, 'p', 'notes', report.notes);
        }
        const table = add(page, 'table');
        const head = add(add(table, 'thead'), 'tr');
        for (const heading of report.table.headings) {
            add(head, 'th', '', heading).scope = 'col';
        }
        const body = add(table, 'tbody');
        for (const cells of report.table.rows) {
            const row = add(body, 'tr');
            for (const cell of cells) {
                add(row, 'td', '', cell);
            }
        }
        add(page, 'p', 'small', report.uncertainty);
        if (report.warning) {
            add(page, 'p', 'warning', report.warning);
        }
        if (summary) {
            add(page, 'p', 'verdict', summary.trim());
        }
        add(page, 'p', 'signature', report.signature);
        document.body.classList.add('has-report');
    }

    clear(): void {
        this.section.replaceChildren();
        document.body.classList.remove('has-report');
    }
}

// "YYYY-MM-DD hh:mm" of the local clock, as the desktop's report gives its making.
export function reportTime(now = new Date()): string {
    const two = (n: number): string => String(n).padStart(2, '0');
    return `${now.getFullYear()}-${two(now.getMonth() + 1)}-${two(now.getDate())} ${two(now.getHours())}:` +
        two(now.getMinutes());
}
